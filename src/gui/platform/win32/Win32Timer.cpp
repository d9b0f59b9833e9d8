// SPDX-License-Identifier: GPL-3.0-or-later
// Timers on Windows: thread timers (SetTimer without a window), which fire from the message loop
// the host runs on the user-interface thread.
#include "gui/platform/IPlatformFactory.h"
#include <map>
#include <windows.h>

namespace VSTGUI {
namespace {

class Win32Timer;

// Thread timers are told apart only by their id.
std::map<UINT_PTR, Win32Timer*>& liveTimers ()
{
    static std::map<UINT_PTR, Win32Timer*> timers;
    return timers;
}

class Win32Timer : public IPlatformTimer
{
public:
    explicit Win32Timer (IPlatformTimerCallback* c) : callback (c) {}
    ~Win32Timer () override { stop (); }

    bool start (uint32_t intervalMs) override
    {
        if (id != 0)
            return true;
        if (intervalMs == 0)
            return false;
        id = SetTimer (nullptr, 0, intervalMs, &Win32Timer::onTimer);
        if (id == 0)
            return false;
        liveTimers ()[id] = this;
        return true;
    }

    void stop () override
    {
        if (id == 0)
            return;
        KillTimer (nullptr, id);
        liveTimers ().erase (id);
        id = 0;
    }

    bool isRunning () const override { return id != 0; }

private:
    static void CALLBACK onTimer (HWND, UINT, UINT_PTR timerId, DWORD)
    {
        auto found = liveTimers ().find (timerId);
        if (found == liveTimers ().end ())
            return;
        SharedPointer<Win32Timer> guard (found->second);
        guard->callback->onPlatformTimer ();
    }

    IPlatformTimerCallback* callback;
    UINT_PTR id {0};
};

}   // namespace

SharedPointer<IPlatformTimer> PlatformFactory::createTimer (IPlatformTimerCallback* callback)
{
    return owned<IPlatformTimer> (new Win32Timer (callback));
}

}   // namespace VSTGUI
