// SPDX-License-Identifier: GPL-3.0-or-later
// Timers on Linux: registered with the process-wide run loop that is current at start () and
// unregistered from that same loop at stop (), even if the process-wide one changed in between.
#include "gui/platform/IPlatformFactory.h"
#include "gui/platform/linux/IRunLoop.h"

namespace VSTGUI {
namespace {

class RunLoopTimer : public IPlatformTimer, X11::ITimerHandler
{
public:
    explicit RunLoopTimer (IPlatformTimerCallback* c) : callback (c) {}
    ~RunLoopTimer () override { stop (); }

    bool start (uint32_t intervalMs) override
    {
        if (runLoop)
            return true;
        const SharedPointer<X11::IRunLoop>& loop = X11::RunLoop::get ();
        if (!loop || intervalMs == 0 || !loop->registerTimer (intervalMs, this))
            return false;
        runLoop = loop;
        return true;
    }

    void stop () override
    {
        if (SharedPointer<X11::IRunLoop> loop = std::move (runLoop))
            loop->unregisterTimer (this);
    }

    bool isRunning () const override { return runLoop != nullptr; }

    void onTimer () override { callback->onPlatformTimer (); }

private:
    IPlatformTimerCallback* callback;
    SharedPointer<X11::IRunLoop> runLoop;
};

}   // namespace

SharedPointer<IPlatformTimer> PlatformFactory::createTimer (IPlatformTimerCallback* callback)
{
    return owned<IPlatformTimer> (new RunLoopTimer (callback));
}

}   // namespace VSTGUI
