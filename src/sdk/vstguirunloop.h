// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The host's run loop (Steinberg::Linux::IRunLoop) seen as the widget layer's X11 run loop. Each
// registration becomes a small handler object registered with the host; unregisterAll () takes
// back whatever is still registered, so nothing of ours is called after the editor is removed.
#include "gui/platform/linux/IRunLoop.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"
#include <vector>

namespace Steinberg {
namespace Vst {

class HostRunLoopAdapter : public VSTGUI::X11::IRunLoop
{
public:
    explicit HostRunLoopAdapter (Linux::IRunLoop* hostLoop);
    ~HostRunLoopAdapter () override;

    // The run loop the host offers through the plug frame, else through its context; null if none.
    static IPtr<Linux::IRunLoop> findHostRunLoop (FUnknown* plugFrame, FUnknown* hostContext);

    bool registerEventHandler (int fd, VSTGUI::X11::IEventHandler* handler) override;
    bool unregisterEventHandler (VSTGUI::X11::IEventHandler* handler) override;
    bool registerTimer (uint64_t intervalMs, VSTGUI::X11::ITimerHandler* handler) override;
    bool unregisterTimer (VSTGUI::X11::ITimerHandler* handler) override;

    void unregisterAll ();
    int registrationCount () const { return static_cast<int> (events.size () + timers.size ()); }

private:
    class EventForwarder;
    class TimerForwarder;

    IPtr<Linux::IRunLoop> host;
    std::vector<IPtr<EventForwarder>> events;
    std::vector<IPtr<TimerForwarder>> timers;
};

}   // namespace Vst
}   // namespace Steinberg
