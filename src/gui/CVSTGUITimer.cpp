// SPDX-License-Identifier: GPL-3.0-or-later
#include "CVSTGUITimer.h"
#include "SharedPointer.h"
#include "platform/IPlatformFactory.h"

namespace VSTGUI {

const IdStringPtr CVSTGUITimer::kMsgTimer = "timer fired";

struct CVSTGUITimer::Platform : IPlatformTimerCallback
{
    explicit Platform (CVSTGUITimer& t) : timer (t), impl (PlatformFactory::createTimer (this)) {}
    void onPlatformTimer () override { timer.fire (); }

    CVSTGUITimer& timer;
    SharedPointer<IPlatformTimer> impl;
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
    return platform->impl->isRunning ();
}

bool CVSTGUITimer::start ()
{
    return fireTime != 0 && platform->impl->start (fireTime);
}

bool CVSTGUITimer::stop ()
{
    if (!isRunning ())
        return false;
    platform->impl->stop ();
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

}   // namespace VSTGUI
