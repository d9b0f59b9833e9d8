// SPDX-License-Identifier: GPL-3.0-or-later
// Input of an X11 frame: read from the run loop's event handler, coalesced, and passed to the
// frame's callback in the order the server sent it.
#include "gui/platform/x11/X11Frame.h"
#include <cstdlib>

namespace VSTGUI {
namespace X11 {

namespace {

struct EventFree
{
    void operator() (xcb_generic_event_t* event) const { std::free (event); }
};
using Event = std::unique_ptr<xcb_generic_event_t, EventFree>;

constexpr uint32_t kDoubleClickMs = 400;
constexpr double kDoubleClickSlop = 4;

int32_t buttonBit (int button)
{
    switch (button)
    {
        case 1: return kLButton;
        case 2: return kMButton;
        case 3: return kRButton;
        default: return 0;
    }
}

int32_t heldButtonBits (uint16_t stateMask)
{
    int32_t bits = 0;
    if (stateMask & XCB_BUTTON_MASK_1)
        bits |= kLButton;
    if (stateMask & XCB_BUTTON_MASK_2)
        bits |= kMButton;
    if (stateMask & XCB_BUTTON_MASK_3)
        bits |= kRButton;
    return bits;
}

}   // namespace

void Frame::onEvent ()
{
    if (!callbackAlive () || !connection)
        return;
    DispatchScope scope (*this);
    // Motion is acted on only at its latest position before the next other event.
    Event motion;
    while (callbackAlive () && usable ())
    {
        Event event (xcb_poll_for_event (connection));
        if (!event)
            break;
        if ((event->response_type & 0x7f) == XCB_MOTION_NOTIFY)
        {
            motion = std::move (event);
            continue;
        }
        if (motion)
        {
            onMotion (reinterpret_cast<const xcb_motion_notify_event_t*> (motion.get ()));
            motion.reset ();
            if (!callbackAlive ())
                break;
        }
        dispatch (event.get ());
    }
    if (motion && callbackAlive ())
        onMotion (reinterpret_cast<const xcb_motion_notify_event_t*> (motion.get ()));
    if (grabFailed && callbackAlive ())
    {
        grabFailed = false;
        getFrameCallback ()->platformOnFocusLost ();
    }
    if (callbackAlive ())
        drawDirty ();
    // What views invalidated while they drew waits for the next pass.
    if (callbackAlive () && !dirty.empty ())
        postWakeUp ();
    if (callbackAlive () && connection && xcb_connection_has_error (connection))
        connectionLost ();
}

void Frame::connectionLost ()
{
    // The display went away: close quietly; a popup tells its owner it is gone.
    closeWindow ();
    if (type == PlatformType::kPopup && callbackAlive ())
        getFrameCallback ()->platformOnFocusLost ();
}

void Frame::dispatch (const xcb_generic_event_t* event)
{
    auto* callback = getFrameCallback ();
    switch (event->response_type & 0x7f)
    {
        case XCB_EXPOSE: {
            const auto* e = reinterpret_cast<const xcb_expose_event_t*> (event);
            const CRect area (e->x / scale, e->y / scale, (e->x + e->width) / scale,
                              (e->y + e->height) / scale);
            if (exposed.isEmpty ())
                exposed = area;
            else
                exposed.unite (area);
            if (e->count == 0)
            {
                addDirty (exposed);
                exposed = CRect ();
            }
            break;
        }
        case XCB_BUTTON_PRESS:
            onButton (reinterpret_cast<const xcb_button_press_event_t*> (event), true);
            break;
        case XCB_BUTTON_RELEASE:
            onButton (reinterpret_cast<const xcb_button_press_event_t*> (event), false);
            break;
        case XCB_LEAVE_NOTIFY: {
            const auto* e = reinterpret_cast<const xcb_leave_notify_event_t*> (event);
            if (e->mode == XCB_NOTIFY_MODE_UNGRAB)
                break;
            CPoint where = toFrame (e->event_x, e->event_y);
            callback->platformOnMouseExited (
                where,
                CButtonState (heldButtonBits (e->state) | Keyboard::buttonModifiers (e->state)));
            break;
        }
        case XCB_KEY_PRESS:
            onKey (reinterpret_cast<const xcb_key_press_event_t*> (event), true);
            break;
        case XCB_KEY_RELEASE:
            onKey (reinterpret_cast<const xcb_key_press_event_t*> (event), false);
            break;
        case XCB_FOCUS_OUT: {
            // Grab and ungrab changes are ours (a popup) or passing; only a real move counts.
            const auto* e = reinterpret_cast<const xcb_focus_out_event_t*> (event);
            if (e->mode == XCB_NOTIFY_MODE_NORMAL && e->detail != XCB_NOTIFY_DETAIL_INFERIOR
                && e->detail != XCB_NOTIFY_DETAIL_POINTER)
                callback->platformOnFocusLost ();
            break;
        }
        case XCB_CLIENT_MESSAGE:
            if (reinterpret_cast<const xcb_client_message_event_t*> (event)->type == wakeAtom)
                wakePending = false;
            break;
        case XCB_SELECTION_REQUEST:
            onSelectionRequest (reinterpret_cast<const xcb_selection_request_event_t*> (event));
            break;
        case XCB_SELECTION_NOTIFY:
            onSelectionNotify (reinterpret_cast<const xcb_selection_notify_event_t*> (event));
            break;
        case XCB_SELECTION_CLEAR:
            clipboardText.clear ();   // another program owns the clipboard now
            break;
        case XCB_CONFIGURE_NOTIFY: {
            const auto* e = reinterpret_cast<const xcb_configure_notify_event_t*> (event);
            if (parentWindow && e->window == parentWindow)
                onParentResized (e);
            break;
        }
        case XCB_MAPPING_NOTIFY:
            if (keyboard)
                keyboard->reload ();
            break;
        default: break;   // errors included: a failed request of ours is never fatal
    }
}

void Frame::onButton (const xcb_button_press_event_t* e, bool press)
{
    auto* callback = getFrameCallback ();
    CPoint where = toFrame (e->event_x, e->event_y);
    const int32_t modifiers = Keyboard::buttonModifiers (e->state);
    if (e->detail == 4 || e->detail == 5)
    {
        if (press)
            callback->platformOnMouseWheel (where, e->detail == 4 ? 1.f : -1.f,
                                            CButtonState (modifiers));
        return;
    }
    // Buttons 6 and 7 (horizontal wheel) have no meaning for our views; others neither.
    const int32_t bit = buttonBit (e->detail);
    if (bit == 0)
        return;
    if (!press)
    {
        // A release whose press went elsewhere (to a popup that has closed since) is not ours.
        if ((heldButtons & bit) == 0)
            return;
        heldButtons &= ~bit;
        callback->platformOnMouseUp (where, CButtonState (bit | modifiers));
        return;
    }
    heldButtons |= bit;
    lastInputTime = e->time;
    // No window manager hands focus to an embedded window: a click takes it.
    if (type == PlatformType::kX11EmbedWindowID)
        xcb_set_input_focus (connection, XCB_INPUT_FOCUS_PARENT, window, e->time);
    int32_t flags = bit | modifiers;
    if (e->detail == lastPressButton && e->time - lastPressTime < kDoubleClickMs
        && std::abs (where.x - lastPressWhere.x) <= kDoubleClickSlop
        && std::abs (where.y - lastPressWhere.y) <= kDoubleClickSlop)
        flags |= kDoubleClick;
    lastPressButton = e->detail;
    lastPressTime = e->time;
    lastPressWhere = where;
    callback->platformOnMouseDown (where, CButtonState (flags));
}

void Frame::onMotion (const xcb_motion_notify_event_t* e)
{
    CPoint where = toFrame (e->event_x, e->event_y);
    getFrameCallback ()->platformOnMouseMoved (
        where, CButtonState (heldButtonBits (e->state) | Keyboard::buttonModifiers (e->state)));
}

void Frame::onKey (const xcb_key_press_event_t* e, bool press)
{
    lastInputTime = e->time;
    VstKeyCode key;
    // The keymap is read at the first key: most windows never see one, and reading it costs
    // several round trips that opening a window or a menu need not wait for.
    if (!keyboard)
        keyboard = std::make_unique<Keyboard> (connection);
    if (!keyboard->translate (e->detail, e->state, key))
        return;
    if (press)
        getFrameCallback ()->platformOnKeyDown (key);
    else
        getFrameCallback ()->platformOnKeyUp (key);
}

}   // namespace X11
}   // namespace VSTGUI
