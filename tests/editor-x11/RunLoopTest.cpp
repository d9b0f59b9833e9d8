// SPDX-License-Identifier: GPL-3.0-or-later
// The host-side run loop and plug frame an editor is given, without a display.
#include "host/PlugFrame.h"
#include "host/RunLoop.h"
#include "public.sdk/source/common/pluginview.h"
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Steinberg;
using Morvane::Host::PlugFrame;
using Morvane::Host::RunLoop;

namespace {

class CallbackHandler : public Linux::IEventHandler, public Linux::ITimerHandler
{
public:
    explicit CallbackHandler (std::function<void ()> onCall) : call (std::move (onCall)) {}
    void PLUGIN_API onFDIsSet (Linux::FileDescriptor) override { ++calls, call (); }
    void PLUGIN_API onTimer () override { ++calls, call (); }
    tresult PLUGIN_API queryInterface (const TUID, void** obj) override
    {
        *obj = nullptr;
        return kNoInterface;
    }
    uint32 PLUGIN_API addRef () override { return ++refs; }
    uint32 PLUGIN_API release () override { return --refs; }

    std::function<void ()> call;
    int calls = 0;
    uint32 refs = 1;
};

struct Pipe
{
    int fds[2];
    Pipe () { EXPECT_EQ (::pipe (fds), 0); }
    ~Pipe () { ::close (fds[0]), ::close (fds[1]); }
    void signal () { EXPECT_EQ (::write (fds[1], "x", 1), 1); }
};

}   // namespace

TEST (RunLoop, HandlersThatUnregisterDuringAPassAreNeverCalledAgain)
{
    IPtr<RunLoop> loop (new RunLoop, false);
    Pipe first, second;
    CallbackHandler* other = nullptr;
    // The first handler removes itself and the second, which is ready in the same pass.
    CallbackHandler a (
        [&] { loop->unregisterEventHandler (&a), loop->unregisterEventHandler (other); });
    CallbackHandler b ([] {});
    other = &b;
    ASSERT_EQ (loop->registerEventHandler (&a, first.fds[0]), kResultOk);
    ASSERT_EQ (loop->registerEventHandler (&b, second.fds[0]), kResultOk);
    EXPECT_NE (loop->registerEventHandler (&a, first.fds[0]), kResultOk) << "registered twice";
    EXPECT_EQ (a.refs, 2u) << "the loop holds a reference while registered";
    first.signal (), second.signal ();
    loop->runFor (30);
    EXPECT_EQ (a.calls, 1);
    EXPECT_EQ (b.calls, 0);
    EXPECT_EQ (loop->eventHandlerCount (), 0);
    EXPECT_EQ (a.refs, 1u);
    EXPECT_EQ (b.refs, 1u);
    EXPECT_NE (loop->unregisterEventHandler (&a), kResultOk);
}

TEST (RunLoop, TimersKeepTheirIntervalAndStopWhenUnregistered)
{
    IPtr<RunLoop> loop (new RunLoop, false);
    CallbackHandler fast ([] {});
    CallbackHandler once ([&] { loop->unregisterTimer (&once); });
    ASSERT_EQ (loop->registerTimer (&fast, 20), kResultOk);
    ASSERT_EQ (loop->registerTimer (&once, 5), kResultOk);
    loop->runFor (210);
    // A loaded machine may fire late, but never in a catch-up burst.
    EXPECT_GE (fast.calls, 5);
    EXPECT_LE (fast.calls, 11);
    EXPECT_EQ (once.calls, 1);
    EXPECT_EQ (loop->timerCount (), 1);
    EXPECT_EQ (loop->unregisterTimer (&fast), kResultOk);
    EXPECT_EQ (loop->timerCount (), 0);

    // runUntil sees a condition met by a timer, and gives up at its timeout otherwise.
    CallbackHandler tick ([] {});
    loop->registerTimer (&tick, 10);
    EXPECT_TRUE (loop->runUntil ([&] { return tick.calls >= 3; }, 1000));
    EXPECT_FALSE (loop->runUntil ([] { return false; }, 30));
    loop->unregisterTimer (&tick);
}

// The run loop it offers is the window tests'; that a granted resize reaches the view's onSize,
// which the editor also does itself, is seen only here.
TEST (PlugFrame, AGrantedResizeReachesTheViewsOnSizeAndARefusedOneOnlyTheRecord)
{
    IPtr<RunLoop> loop (new RunLoop, false);
    IPtr<PlugFrame> frame (new PlugFrame (loop), false);
    IPtr<CPluginView> view (new CPluginView, false);
    ViewRect granted (0, 0, 180, 300), refused (0, 0, 400, 400);
    EXPECT_EQ (frame->resizeView (view, &granted), kResultTrue);
    EXPECT_EQ (view->getRect ().getWidth (), 180);
    frame->setRefuseResize (true);
    EXPECT_EQ (frame->resizeView (view, &refused), kResultFalse);
    EXPECT_EQ (view->getRect ().getWidth (), 180);
    EXPECT_EQ (frame->resizeRequests ().size (), 2u);
}
