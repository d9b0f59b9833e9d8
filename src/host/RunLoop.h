// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The run loop a Linux host gives an editor: file-descriptor handlers and timers dispatched from
// poll() on the calling thread. Tests and tools drive it with runFor/runUntil. A handler may
// unregister itself (or any other) while it is being called; an unregistered handler is never
// called again, and the loop keeps a reference on each handler only while it is registered or
// being called.
#include "pluginterfaces/gui/iplugview.h"
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace Morvane {
namespace Host {

class RunLoop : public Steinberg::Linux::IRunLoop
{
public:
    RunLoop ();
    virtual ~RunLoop ();

    Steinberg::tresult PLUGIN_API registerEventHandler (Steinberg::Linux::IEventHandler* handler,
                                                        Steinberg::Linux::FileDescriptor fd)
        SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API unregisterEventHandler (Steinberg::Linux::IEventHandler* handler)
        SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API registerTimer (Steinberg::Linux::ITimerHandler* handler,
                                                 Steinberg::Linux::TimerInterval milliseconds)
        SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API unregisterTimer (Steinberg::Linux::ITimerHandler* handler)
        SMTG_OVERRIDE;

    // One pass: waits up to timeoutMs for a ready descriptor or a due timer, then calls every
    // ready handler and every due timer once. Returns the number of calls made.
    int runOnce (int timeoutMs);
    // Dispatches for durationMs, however busy or idle the loop is.
    void runFor (int durationMs);
    // Dispatches until done () is true (checked before the first pass and after each) or
    // timeoutMs has passed; returns done ()'s last answer.
    bool runUntil (const std::function<bool ()>& done, int timeoutMs);

    int eventHandlerCount () const;
    int timerCount () const;

    DECLARE_FUNKNOWN_METHODS

private:
    using Clock = std::chrono::steady_clock;

    struct EventEntry
    {
        Steinberg::IPtr<Steinberg::Linux::IEventHandler> handler;
        int fd;
        bool alive;
    };

    struct TimerEntry
    {
        Steinberg::IPtr<Steinberg::Linux::ITimerHandler> handler;
        std::chrono::milliseconds interval;
        Clock::time_point due;
        bool alive;
    };

    // Entries are shared so that a pass holds on to the ones it is dispatching while handlers
    // change the lists underneath it.
    std::vector<std::shared_ptr<EventEntry>> events;
    std::vector<std::shared_ptr<TimerEntry>> timers;
};

}   // namespace Host
}   // namespace Morvane
