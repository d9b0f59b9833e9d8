// SPDX-License-Identifier: GPL-3.0-or-later
// Builds without a window system: every frame stays offscreen.
#include "gui/platform/IPlatformFactory.h"

namespace VSTGUI {

IPlatformFrame* PlatformFactory::createFrame (IPlatformFrameCallback*, const CRect&, void*,
                                              PlatformType, IPlatformFrameConfig*)
{
    return nullptr;
}

IPlatformFrame* PlatformFactory::createPopup (IPlatformFrameCallback*, const CRect&,
                                              IPlatformFrame*)
{
    return nullptr;
}

}   // namespace VSTGUI
