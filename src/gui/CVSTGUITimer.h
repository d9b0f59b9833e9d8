// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A repeating timer on the window system's event source: each time it fires it sends kMsgTimer
// to its target (or calls its callback). start () fails where the platform cannot run it yet
// (on Linux: before a run loop is set).
#include "CBaseObject.h"
#include <functional>
#include <memory>

namespace VSTGUI {

class CVSTGUITimer : public CBaseObject
{
public:
    // Compared by pointer identity.
    static const IdStringPtr kMsgTimer;

    using Callback = std::function<void (CVSTGUITimer*)>;

    CVSTGUITimer (CBaseObject* target, uint32_t fireTimeMs = 100, bool doStart = false);
    CVSTGUITimer (Callback callback, uint32_t fireTimeMs = 100, bool doStart = true);
    ~CVSTGUITimer () override;

    bool start ();
    bool stop ();
    bool isRunning () const;
    // Restarts a running timer with the new interval.
    bool setFireTime (uint32_t ms);
    uint32_t getFireTime () const { return fireTime; }
    // What the platform timer calls; public so tests can fire it by hand.
    void fire ();

private:
    struct Platform;

    CBaseObject* target {nullptr};
    Callback callback;
    uint32_t fireTime;
    std::unique_ptr<Platform> platform;
};

}   // namespace VSTGUI
