// SPDX-License-Identifier: GPL-3.0-or-later
// Frames and popups on Windows.
#include "Win32Frame.h"

namespace VSTGUI {

IPlatformFrame* PlatformFactory::createFrame (IPlatformFrameCallback* callback, const CRect& size,
                                              void* parent, PlatformType type,
                                              IPlatformFrameConfig*)
{
    if (type == PlatformType::kX11EmbedWindowID)
        return nullptr;
    return Win32Frame::create (callback, size, static_cast<HWND> (parent), type);
}

IPlatformFrame* PlatformFactory::createPopup (IPlatformFrameCallback* callback, const CRect& size,
                                              IPlatformFrame* owner)
{
    // Every platform frame of this build is a Win32 one.
    HWND ownerWindow = owner ? static_cast<Win32Frame*> (owner)->getWindow () : nullptr;
    return Win32Frame::create (callback, size, ownerWindow, PlatformType::kPopup);
}

}   // namespace VSTGUI
