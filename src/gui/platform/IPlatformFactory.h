// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the widget layer asks of the window system. Defined once per platform by the platform
// files the build compiles (platform/x11, platform/win32, or platform/offscreen without windows),
// so nothing above this line names a window system.
#include "IPlatformFrame.h"
#include "IPlatformTimer.h"

namespace VSTGUI {

struct PlatformFactory
{
    // A window for a frame, as IPlatformFrame's contract says; null when none can be made.
    static IPlatformFrame* createFrame (IPlatformFrameCallback* callback, const CRect& size,
                                        void* parent, PlatformType type,
                                        IPlatformFrameConfig* config);
    // A popup window placed at size (root pixels), on the same window system connection and
    // event source as owner; null when none can be made.
    static IPlatformFrame* createPopup (IPlatformFrameCallback* callback, const CRect& size,
                                        IPlatformFrame* owner);
    // Never null; its start () fails where the platform cannot run timers.
    static SharedPointer<IPlatformTimer> createTimer (IPlatformTimerCallback* callback);
};

}   // namespace VSTGUI
