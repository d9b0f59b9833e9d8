// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The host's IPlugFrame for an editor: records every resizeView request, grants it (calling the
// view's onSize and an optional resize hook, as hosts do) unless told to refuse, and offers the
// host's run loop on Linux: queryInterface answers Steinberg::Linux::IRunLoop with this object,
// which forwards to the RunLoop it was given.
#include "host/RunLoop.h"
#include "pluginterfaces/gui/iplugview.h"
#include <functional>
#include <vector>

namespace Morvane {
namespace Host {

class PlugFrame : public Steinberg::IPlugFrame, public Steinberg::Linux::IRunLoop
{
public:
    explicit PlugFrame (RunLoop* runLoop);
    virtual ~PlugFrame ();

    Steinberg::tresult PLUGIN_API resizeView (Steinberg::IPlugView* view,
                                              Steinberg::ViewRect* newSize) SMTG_OVERRIDE;

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

    RunLoop& runLoop () const { return *loop; }
    // Refused requests are still recorded.
    void setRefuseResize (bool refuse) { refuseResize = refuse; }
    const std::vector<Steinberg::ViewRect>& resizeRequests () const { return requests; }
    // Called with the granted size before the view's onSize (e.g. to resize the host window).
    void setResizeHook (std::function<void (const Steinberg::ViewRect&)> hook)
    {
        onResize = std::move (hook);
    }

    Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID iid,
                                                  void** obj) SMTG_OVERRIDE;
    Steinberg::uint32 PLUGIN_API addRef () SMTG_OVERRIDE;
    Steinberg::uint32 PLUGIN_API release () SMTG_OVERRIDE;

private:
    Steinberg::IPtr<RunLoop> loop;
    std::vector<Steinberg::ViewRect> requests;
    std::function<void (const Steinberg::ViewRect&)> onResize;
    bool refuseResize = false;
    Steinberg::int32 refCount = 1;
};

}   // namespace Host
}   // namespace Morvane
