// SPDX-License-Identifier: GPL-3.0-or-later
// The timer on a stand-in run loop: registration follows start and stop, firing notifies.
#include "gui/CVSTGUITimer.h"
#include "gui/platform/linux/IRunLoop.h"
#include <gtest/gtest.h>
#include <map>

using namespace VSTGUI;

namespace {

struct FakeRunLoop : X11::IRunLoop
{
    bool registerEventHandler (int, X11::IEventHandler*) override { return false; }
    bool unregisterEventHandler (X11::IEventHandler*) override { return false; }
    bool registerTimer (uint64_t ms, X11::ITimerHandler* h) override
    {
        return timers.emplace (h, ms).second;
    }
    bool unregisterTimer (X11::ITimerHandler* h) override { return timers.erase (h) == 1; }
    void fireAll ()
    {
        auto copy = timers;
        for (auto& [handler, ms] : copy)
            handler->onTimer ();
    }
    std::map<X11::ITimerHandler*, uint64_t> timers;
};

struct Target : CBaseObject
{
    CMessageResult notify (CBaseObject* sender, IdStringPtr message) override
    {
        if (message != CVSTGUITimer::kMsgTimer)   // identity, not text
            return kMessageUnknown;
        lastSender = sender;
        ++fired;
        return kMessageNotified;
    }
    CBaseObject* lastSender {nullptr};
    int fired {0};
};

}   // namespace

TEST (Timer, RegistersWithTheRunLoopOfItsStartAndNotifiesItsTarget)
{
    auto target = owned (new Target);
    auto timer = owned (new CVSTGUITimer (target.get (), 100));
    EXPECT_FALSE (timer->start ());   // no run loop yet

    auto loop = owned (new FakeRunLoop);
    X11::RunLoop::init (loop);
    X11::RunLoop::init (owned (new FakeRunLoop));   // nested: the first loop stays
    ASSERT_TRUE (timer->start ());
    ASSERT_EQ (loop->timers.size (), 1u);
    EXPECT_EQ (loop->timers.begin ()->second, 100u);
    loop->fireAll ();
    loop->fireAll ();
    EXPECT_EQ (target->fired, 2);
    EXPECT_EQ (target->lastSender, timer.get ());

    X11::RunLoop::exit ();
    X11::RunLoop::exit ();
    EXPECT_FALSE (X11::RunLoop::get ());
    EXPECT_TRUE (timer->stop ());   // from the loop it started on, though none is current now
    EXPECT_TRUE (loop->timers.empty ());

    X11::RunLoop::init (loop);
    int calls = 0;
    {
        auto callbackTimer = owned (new CVSTGUITimer ([&] (CVSTGUITimer*) { ++calls; }, 50));
        loop->fireAll ();
    }
    EXPECT_EQ (calls, 1);
    EXPECT_TRUE (loop->timers.empty ());   // released timers leave nothing behind
    X11::RunLoop::exit ();
}
