// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/PlugFrame.h"

namespace Morvane {
namespace Host {

using namespace Steinberg;

PlugFrame::PlugFrame (RunLoop* runLoop) : loop (runLoop)
{}

PlugFrame::~PlugFrame () = default;

tresult PLUGIN_API PlugFrame::resizeView (IPlugView* view, ViewRect* newSize)
{
    if (!view || !newSize)
        return kInvalidArgument;
    requests.push_back (*newSize);
    if (refuseResize)
        return kResultFalse;
    if (onResize)
        onResize (*newSize);
    view->onSize (newSize);
    return kResultTrue;
}

tresult PLUGIN_API PlugFrame::registerEventHandler (Linux::IEventHandler* handler,
                                                    Linux::FileDescriptor fd)
{
    return loop->registerEventHandler (handler, fd);
}

tresult PLUGIN_API PlugFrame::unregisterEventHandler (Linux::IEventHandler* handler)
{
    return loop->unregisterEventHandler (handler);
}

tresult PLUGIN_API PlugFrame::registerTimer (Linux::ITimerHandler* handler,
                                             Linux::TimerInterval milliseconds)
{
    return loop->registerTimer (handler, milliseconds);
}

tresult PLUGIN_API PlugFrame::unregisterTimer (Linux::ITimerHandler* handler)
{
    return loop->unregisterTimer (handler);
}

tresult PLUGIN_API PlugFrame::queryInterface (const TUID iid, void** obj)
{
    QUERY_INTERFACE (iid, obj, FUnknown::iid, IPlugFrame)
    QUERY_INTERFACE (iid, obj, IPlugFrame::iid, IPlugFrame)
    QUERY_INTERFACE (iid, obj, Linux::IRunLoop::iid, Linux::IRunLoop)
    *obj = nullptr;
    return kNoInterface;
}

uint32 PLUGIN_API PlugFrame::addRef ()
{
    return static_cast<uint32> (FUnknownPrivate::atomicAdd (refCount, 1));
}

uint32 PLUGIN_API PlugFrame::release ()
{
    const int32 left = FUnknownPrivate::atomicAdd (refCount, -1);
    if (left == 0)
        delete this;
    return static_cast<uint32> (left);
}

}   // namespace Host
}   // namespace Morvane
