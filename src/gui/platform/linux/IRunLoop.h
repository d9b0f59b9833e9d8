// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Linux's side of the window-system seam: the run loop a window lives on, the host's (adapted by
// the editor) or a standalone one. We never run a loop or a thread of our own; everything happens
// in these callbacks.
#include "../../CBaseObject.h"
#include "../../SharedPointer.h"
#include "../IPlatformFrame.h"
#include <cstdint>

namespace VSTGUI {
namespace X11 {

class IEventHandler
{
public:
    virtual ~IEventHandler () = default;
    // The registered descriptor is readable.
    virtual void onEvent () = 0;
};

class ITimerHandler
{
public:
    virtual ~ITimerHandler () = default;
    virtual void onTimer () = 0;
};

class IRunLoop : public CBaseObject
{
public:
    virtual bool registerEventHandler (int fd, IEventHandler* handler) = 0;
    virtual bool unregisterEventHandler (IEventHandler* handler) = 0;
    virtual bool registerTimer (uint64_t intervalMs, ITimerHandler* handler) = 0;
    virtual bool unregisterTimer (ITimerHandler* handler) = 0;
};

// What an X11 frame needs besides its parent: the loop that reads its connection.
struct FrameConfig : IPlatformFrameConfig
{
    SharedPointer<IRunLoop> runLoop;
};

// The process-wide run loop for timers that have no frame to ask. init/exit pairs nest: the
// loop given to the first init stays until the matching last exit.
class RunLoop
{
public:
    static void init (const SharedPointer<IRunLoop>& runLoop);
    static void exit ();
    static const SharedPointer<IRunLoop>& get ();
};

}   // namespace X11
}   // namespace VSTGUI
