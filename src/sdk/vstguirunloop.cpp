// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdk/vstguirunloop.h"
#include "base/source/fobject.h"
#include <algorithm>

namespace Steinberg {
namespace Vst {

// The host calls these; they pass the call on while the widget layer's handler is registered.
class HostRunLoopAdapter::EventForwarder : public FObject, public Linux::IEventHandler
{
public:
    explicit EventForwarder (VSTGUI::X11::IEventHandler* target) : target (target) {}
    void PLUGIN_API onFDIsSet (Linux::FileDescriptor) override
    {
        if (target)
            target->onEvent ();
    }
    VSTGUI::X11::IEventHandler* target;

    OBJ_METHODS (EventForwarder, FObject)
    REFCOUNT_METHODS (FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE (Linux::IEventHandler)
    END_DEFINE_INTERFACES (FObject)
};

class HostRunLoopAdapter::TimerForwarder : public FObject, public Linux::ITimerHandler
{
public:
    explicit TimerForwarder (VSTGUI::X11::ITimerHandler* target) : target (target) {}
    void PLUGIN_API onTimer () override
    {
        if (target)
            target->onTimer ();
    }
    VSTGUI::X11::ITimerHandler* target;

    OBJ_METHODS (TimerForwarder, FObject)
    REFCOUNT_METHODS (FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE (Linux::ITimerHandler)
    END_DEFINE_INTERFACES (FObject)
};

HostRunLoopAdapter::HostRunLoopAdapter (Linux::IRunLoop* hostLoop) : host (hostLoop)
{}

HostRunLoopAdapter::~HostRunLoopAdapter ()
{
    unregisterAll ();
}

IPtr<Linux::IRunLoop> HostRunLoopAdapter::findHostRunLoop (FUnknown* plugFrame,
                                                           FUnknown* hostContext)
{
    for (FUnknown* source : {plugFrame, hostContext})
    {
        Linux::IRunLoop* loop = nullptr;
        if (source
            && source->queryInterface (Linux::IRunLoop::iid, reinterpret_cast<void**> (&loop))
                   == kResultOk
            && loop)
            return owned (loop);
    }
    return nullptr;
}

bool HostRunLoopAdapter::registerEventHandler (int fd, VSTGUI::X11::IEventHandler* handler)
{
    if (!host || !handler)
        return false;
    auto forwarder = owned (new EventForwarder (handler));
    if (host->registerEventHandler (forwarder, fd) != kResultOk)
        return false;
    events.push_back (forwarder);
    return true;
}

bool HostRunLoopAdapter::unregisterEventHandler (VSTGUI::X11::IEventHandler* handler)
{
    auto found = std::find_if (events.begin (), events.end (),
                               [&] (const auto& f) { return f->target == handler; });
    if (found == events.end ())
        return false;
    IPtr<EventForwarder> forwarder = *found;
    events.erase (found);
    forwarder->target = nullptr;   // a host that still calls it reaches nothing of ours
    host->unregisterEventHandler (forwarder);
    return true;
}

bool HostRunLoopAdapter::registerTimer (uint64_t intervalMs, VSTGUI::X11::ITimerHandler* handler)
{
    if (!host || !handler)
        return false;
    auto forwarder = owned (new TimerForwarder (handler));
    if (host->registerTimer (forwarder, intervalMs) != kResultOk)
        return false;
    timers.push_back (forwarder);
    return true;
}

bool HostRunLoopAdapter::unregisterTimer (VSTGUI::X11::ITimerHandler* handler)
{
    auto found = std::find_if (timers.begin (), timers.end (),
                               [&] (const auto& f) { return f->target == handler; });
    if (found == timers.end ())
        return false;
    IPtr<TimerForwarder> forwarder = *found;
    timers.erase (found);
    forwarder->target = nullptr;
    host->unregisterTimer (forwarder);
    return true;
}

void HostRunLoopAdapter::unregisterAll ()
{
    while (!events.empty ())
        unregisterEventHandler (events.back ()->target);
    while (!timers.empty ())
        unregisterTimer (timers.back ()->target);
}

}   // namespace Vst
}   // namespace Steinberg
