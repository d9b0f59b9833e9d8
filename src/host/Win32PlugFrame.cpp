// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/Win32PlugFrame.h"

namespace Morvane {
namespace Host {

using namespace Steinberg;

IMPLEMENT_FUNKNOWN_METHODS (Win32PlugFrame, IPlugFrame, IPlugFrame::iid)

tresult PLUGIN_API Win32PlugFrame::resizeView (IPlugView* view, ViewRect* newSize)
{
    if (!view || !newSize)
        return kInvalidArgument;
    if (onResize)
        onResize (*newSize);
    view->onSize (newSize);
    return kResultTrue;
}

}   // namespace Host
}   // namespace Morvane
