// SPDX-License-Identifier: GPL-3.0-or-later
#include "CVSTGUITimer.h"
#include "SharedPointer.h"
#include "platform/IRunLoop.h"

namespace VSTGUI {

const IdStringPtr CVSTGUITimer::kMsgTimer = "timer fired";

// Registered with the run loop that was current at start () and unregistered from that same
// loop at stop (), even if the process-wide one changed in between.
struct CVSTGUITimer::Platform : X11::ITimerHandler
{
    explicit Platform (CVSTGUITimer& t) : timer (t) {}
    void onTimer () override { timer.fire (); }

    CVSTGUITimer& timer;
    SharedPointer<X11::IRunLoop> runLoop;
};

CVSTGUITimer::CVSTGUITimer (CBaseObject* t, uint32_t ms, bool doStart)
    : target (t), fireTime (ms), platform (new Platform (*this))
{
    if (doStart)
        start ();
}

CVSTGUITimer::CVSTGUITimer (Callback c, uint32_t ms, bool doStart)
    : callback (std::move (c)), fireTime (ms), platform (new Platform (*this))
{
    if (doStart)
        start ();
}

CVSTGUITimer::~CVSTGUITimer ()
{
    stop ();
}

bool CVSTGUITimer::isRunning () const
{
    return platform->runLoop != nullptr;
}

bool CVSTGUITimer::start ()
{
    if (isRunning ())
        return true;
    const SharedPointer<X11::IRunLoop>& loop = X11::RunLoop::get ();
    if (!loop || fireTime == 0)
        return false;
    if (!loop->registerTimer (fireTime, platform.get ()))
        return false;
    platform->runLoop = loop;
    return true;
}

bool CVSTGUITimer::stop ()
{
    if (!isRunning ())
        return false;
    SharedPointer<X11::IRunLoop> loop = std::move (platform->runLoop);
    platform->runLoop = nullptr;
    loop->unregisterTimer (platform.get ());
    return true;
}

bool CVSTGUITimer::setFireTime (uint32_t ms)
{
    fireTime = ms;
    if (!isRunning ())
        return true;
    stop ();
    return start ();
}

void CVSTGUITimer::fire ()
{
    SharedPointer<CVSTGUITimer> guard (this);
    if (callback)
        callback (this);
    else if (target)
        target->notify (this, kMsgTimer);
}

} // namespace VSTGUI
