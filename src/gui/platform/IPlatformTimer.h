// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The timer seam: a repeating timer on whatever drives the window system (a run loop on Linux,
// window timers on Windows). Made by PlatformFactory::createTimer.
#include "../CBaseObject.h"
#include <cstdint>

namespace VSTGUI {

class IPlatformTimerCallback
{
public:
    virtual ~IPlatformTimerCallback () = default;
    virtual void onPlatformTimer () = 0;
};

class IPlatformTimer : public CBaseObject
{
public:
    // False when the platform has nothing to run a timer on yet (no run loop, no window thread).
    virtual bool start (uint32_t intervalMs) = 0;
    virtual void stop () = 0;
    virtual bool isRunning () const = 0;
};

}   // namespace VSTGUI
