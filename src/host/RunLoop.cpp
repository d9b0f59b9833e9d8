// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/RunLoop.h"
#include <algorithm>
#include <cerrno>
#include <poll.h>

namespace Morvane {
namespace Host {

using namespace Steinberg;

IMPLEMENT_FUNKNOWN_METHODS (RunLoop, Linux::IRunLoop, Linux::IRunLoop::iid)

RunLoop::RunLoop ()
{
    FUNKNOWN_CTOR
}

RunLoop::~RunLoop ()
{
    FUNKNOWN_DTOR
}

tresult PLUGIN_API RunLoop::registerEventHandler (Linux::IEventHandler* handler,
                                                  Linux::FileDescriptor fd)
{
    if (!handler || fd < 0)
        return kInvalidArgument;
    for (const auto& entry : events)
        if (entry->alive && entry->handler == handler)
            return kInvalidArgument;
    events.push_back (std::make_shared<EventEntry> (EventEntry {handler, fd, true}));
    return kResultOk;
}

tresult PLUGIN_API RunLoop::unregisterEventHandler (Linux::IEventHandler* handler)
{
    auto found = std::find_if (events.begin (), events.end (),
                               [&] (const auto& entry) { return entry->handler == handler; });
    if (!handler || found == events.end ())
        return kInvalidArgument;
    (*found)->alive = false;
    events.erase (found);
    return kResultOk;
}

tresult PLUGIN_API RunLoop::registerTimer (Linux::ITimerHandler* handler,
                                           Linux::TimerInterval milliseconds)
{
    if (!handler)
        return kInvalidArgument;
    for (const auto& entry : timers)
        if (entry->alive && entry->handler == handler)
            return kInvalidArgument;
    const std::chrono::milliseconds interval (milliseconds);
    timers.push_back (std::make_shared<TimerEntry> (
        TimerEntry {handler, interval, Clock::now () + interval, true}));
    return kResultOk;
}

tresult PLUGIN_API RunLoop::unregisterTimer (Linux::ITimerHandler* handler)
{
    auto found = std::find_if (timers.begin (), timers.end (),
                               [&] (const auto& entry) { return entry->handler == handler; });
    if (!handler || found == timers.end ())
        return kInvalidArgument;
    (*found)->alive = false;
    timers.erase (found);
    return kResultOk;
}

int RunLoop::runOnce (int timeoutMs)
{
    const auto now = Clock::now ();
    auto wait = std::chrono::milliseconds (std::max (timeoutMs, 0));
    for (const auto& timer : timers)
    {
        const auto untilDue = std::chrono::ceil<std::chrono::milliseconds> (timer->due - now);
        wait = std::min (wait, std::max (untilDue, std::chrono::milliseconds (0)));
    }

    // Snapshots: handlers may register and unregister while they run.
    const auto readyEvents = events;
    std::vector<pollfd> fds;
    fds.reserve (readyEvents.size ());
    for (const auto& entry : readyEvents)
        fds.push_back ({entry->fd, POLLIN, 0});
    int ready = ::poll (fds.data (), fds.size (), static_cast<int> (wait.count ()));
    if (ready < 0 && errno != EINTR)
        ready = 0;

    int calls = 0;
    for (std::size_t i = 0; ready > 0 && i < fds.size (); ++i)
    {
        if (fds[i].revents == 0 || !readyEvents[i]->alive)
            continue;
        // A descriptor that hung up stays readable; its handler learns of it and unregisters.
        auto handler = readyEvents[i]->handler;
        handler->onFDIsSet (readyEvents[i]->fd);
        ++calls;
    }

    const auto dueTimers = timers;
    const auto afterPoll = Clock::now ();
    for (const auto& timer : dueTimers)
    {
        if (!timer->alive || timer->due > afterPoll)
            continue;
        // Late timers fire once, then keep their rhythm from now rather than catching up.
        timer->due = afterPoll + std::max (timer->interval, std::chrono::milliseconds (1));
        auto handler = timer->handler;
        handler->onTimer ();
        ++calls;
    }
    return calls;
}

void RunLoop::runFor (int durationMs)
{
    const auto end = Clock::now () + std::chrono::milliseconds (durationMs);
    for (auto now = Clock::now (); now < end; now = Clock::now ())
        runOnce (
            static_cast<int> (std::chrono::ceil<std::chrono::milliseconds> (end - now).count ()));
}

bool RunLoop::runUntil (const std::function<bool ()>& done, int timeoutMs)
{
    const auto end = Clock::now () + std::chrono::milliseconds (timeoutMs);
    while (!done ())
    {
        const auto now = Clock::now ();
        if (now >= end)
            return false;
        // Short passes so that a condition changed by something other than a handler is seen.
        const auto left = std::chrono::ceil<std::chrono::milliseconds> (end - now).count ();
        runOnce (static_cast<int> (std::min<long long> (left, 10)));
    }
    return true;
}

int RunLoop::eventHandlerCount () const
{
    return static_cast<int> (events.size ());
}

int RunLoop::timerCount () const
{
    return static_cast<int> (timers.size ());
}

}   // namespace Host
}   // namespace Morvane
