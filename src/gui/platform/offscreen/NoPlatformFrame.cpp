// SPDX-License-Identifier: GPL-3.0-or-later
// Builds without a window system: every frame stays offscreen.
#include "gui/platform/IPlatformFrame.h"

namespace VSTGUI {

IPlatformFrame* IPlatformFrame::create (IPlatformFrameCallback*, const CRect&, void*, PlatformType,
                                        IPlatformFrameConfig*)
{
    return nullptr;
}

} // namespace VSTGUI
