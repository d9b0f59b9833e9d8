// SPDX-License-Identifier: GPL-3.0-or-later
// Popups and the pointer: each window has its own connection, so the server sees our windows as
// separate clients, and a grab held by one makes another's fail. Popups therefore take the
// pointer over explicitly and give it back when they close.
#include "gui/platform/x11/X11Frame.h"
#include <algorithm>
#include <cstdlib>

namespace VSTGUI {
namespace X11 {

namespace {

constexpr int kGrabRetries = 25;   // every 20 ms: half a second
constexpr uint16_t kGrabEventMask = XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE
                                    | XCB_EVENT_MASK_POINTER_MOTION | XCB_EVENT_MASK_LEAVE_WINDOW;

}   // namespace

std::vector<Frame*>& Frame::liveFrames ()
{
    static std::vector<Frame*> frames;
    return frames;
}

void Frame::releaseOtherFramesPointer ()
{
    // A popup opens from a press in another of our windows, whose connection holds the pointer
    // (the implicit grab of the press) until release, or from a popup that grabs it: our grab
    // would fail. They let go first; the round trip makes sure the server has done so before we
    // grab. Each window has its own connection, so the server sees separate clients.
    for (Frame* other : liveFrames ())
    {
        if (other == this || !other->usable () || (other->heldButtons == 0 && !other->grabbing))
            continue;
        xcb_ungrab_pointer (other->connection, XCB_CURRENT_TIME);
        if (other->grabbing)
            xcb_ungrab_keyboard (other->connection, XCB_CURRENT_TIME);
        std::free (xcb_get_input_focus_reply (other->connection,
                                              xcb_get_input_focus (other->connection), nullptr));
        other->heldButtons = 0;
        other->grabbing = false;
    }
}

void Frame::handGrabBack ()
{
    // When a submenu's popup closes, the popup below it takes the pointer and keyboard again.
    auto& frames = liveFrames ();
    for (auto it = frames.rbegin (); it != frames.rend (); ++it)
        if ((*it)->type == PlatformType::kPopup && (*it)->usable ())
        {
            (*it)->startGrab ();
            return;
        }
}

void Frame::startGrab ()
{
    if (grabbing || timerRegistered)
        return;
    if (tryGrab ())
        return;
    // Another client holds a grab: try again for a moment from the run loop.
    grabAttempts = 0;
    timerRegistered = runLoop->registerTimer (20, this);
    if (!timerRegistered)
    {
        grabFailed = true;
        postWakeUp ();
    }
}

bool Frame::tryGrab ()
{
    auto pointer = xcb_grab_pointer (connection, 0, window, kGrabEventMask, XCB_GRAB_MODE_ASYNC,
                                     XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE, XCB_CURRENT_TIME);
    auto keys = xcb_grab_keyboard (connection, 0, window, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC,
                                   XCB_GRAB_MODE_ASYNC);
    auto* pointerReply = xcb_grab_pointer_reply (connection, pointer, nullptr);
    auto* keysReply = xcb_grab_keyboard_reply (connection, keys, nullptr);
    const bool grabbed = pointerReply && pointerReply->status == XCB_GRAB_STATUS_SUCCESS
                         && keysReply && keysReply->status == XCB_GRAB_STATUS_SUCCESS;
    std::free (pointerReply);
    std::free (keysReply);
    grabbing = grabbed;
    if (!grabbed)
    {
        xcb_ungrab_pointer (connection, XCB_CURRENT_TIME);
        xcb_ungrab_keyboard (connection, XCB_CURRENT_TIME);
    }
    xcb_flush (connection);
    return grabbed;
}

void Frame::onTimer ()
{
    if (!callbackAlive () || !usable () || !timerRegistered)
        return;
    DispatchScope scope (*this);
    const bool grabbed = tryGrab ();
    if (!grabbed && ++grabAttempts < kGrabRetries)
        return;
    runLoop->unregisterTimer (this);
    timerRegistered = false;
    if (!grabbed)
        getFrameCallback ()->platformOnFocusLost ();
}

}   // namespace X11
}   // namespace VSTGUI
