// SPDX-License-Identifier: GPL-3.0-or-later
// Mouse and keyboard messages of a Win32Frame, in frame coordinates.
#include "Win32Frame.h"
#include <windowsx.h>

namespace VSTGUI {
namespace {

int32_t buttonOf (UINT message)
{
    switch (message)
    {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK: return kLButton;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK: return kMButton;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK: return kRButton;
        default: return 0;
    }
}

int32_t heldBits (WPARAM w)
{
    int32_t bits = 0;
    if (w & MK_LBUTTON)
        bits |= kLButton;
    if (w & MK_MBUTTON)
        bits |= kMButton;
    if (w & MK_RBUTTON)
        bits |= kRButton;
    return bits;
}

}   // namespace

bool Win32Frame::onMouse (UINT message, WPARAM w, LPARAM l)
{
    IPlatformFrameCallback* callback = getFrameCallback ();
    switch (message)
    {
        case WM_LBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK: {
            const bool twice = message == WM_LBUTTONDBLCLK || message == WM_MBUTTONDBLCLK
                               || message == WM_RBUTTONDBLCLK;
            heldButtons |= buttonOf (message);
            // A drag goes on reaching us outside the window; a click takes the keyboard.
            if (type != PlatformType::kPopup)
            {
                SetCapture (window);
                SetFocus (window);
            }
            CPoint where = toFrame (l);
            callback->platformOnMouseDown (where,
                                           CButtonState (buttonOf (message) | currentModifiers ()
                                                         | (twice ? kDoubleClick : 0)));
            return true;
        }
        case WM_LBUTTONUP:
        case WM_MBUTTONUP:
        case WM_RBUTTONUP: {
            const int32_t bit = buttonOf (message);
            // A release whose press went elsewhere (to a popup that has closed since) is not ours.
            if ((heldButtons & bit) == 0)
                return true;
            heldButtons &= ~bit;
            if (heldButtons == 0 && type != PlatformType::kPopup && GetCapture () == window)
                ReleaseCapture ();
            CPoint where = toFrame (l);
            callback->platformOnMouseUp (where, CButtonState (bit | currentModifiers ()));
            return true;
        }
        case WM_MOUSEMOVE: {
            if (!tracking)
            {
                TRACKMOUSEEVENT track {sizeof (track), TME_LEAVE, window, 0};
                tracking = TrackMouseEvent (&track) != FALSE;
            }
            CPoint where = toFrame (l);
            callback->platformOnMouseMoved (where,
                                            CButtonState (heldBits (w) | currentModifiers ()));
            return true;
        }
        case WM_MOUSELEAVE: {
            tracking = false;
            POINT p;
            GetCursorPos (&p);
            ScreenToClient (window, &p);
            CPoint where = toFrame (MAKELPARAM (p.x, p.y));
            callback->platformOnMouseExited (where, CButtonState (currentModifiers ()));
            return true;
        }
        case WM_MOUSEWHEEL: {
            // The point comes in screen coordinates.
            POINT p {GET_X_LPARAM (l), GET_Y_LPARAM (l)};
            ScreenToClient (window, &p);
            const CPoint where = toFrame (MAKELPARAM (p.x, p.y));
            callback->platformOnMouseWheel (where, GET_WHEEL_DELTA_WPARAM (w) / float (WHEEL_DELTA),
                                            CButtonState (currentModifiers ()));
            return true;
        }
        default: return false;
    }
}

bool Win32Frame::onKey (UINT message, WPARAM w, LPARAM)
{
    if (message != WM_KEYDOWN && message != WM_KEYUP && message != WM_CHAR
        && message != WM_SYSKEYDOWN && message != WM_SYSKEYUP)
        return false;
    VstKeyCode key;
    if (!toVstKeyCode (message == WM_SYSKEYDOWN ? WM_KEYDOWN
                       : message == WM_SYSKEYUP ? WM_KEYUP
                                                : message,
                       w, key))
        return message == WM_CHAR;   // a character no view can take goes nowhere, without a beep
    const bool down = message != WM_KEYUP && message != WM_SYSKEYUP;
    const bool used = down ? getFrameCallback ()->platformOnKeyDown (key)
                           : getFrameCallback ()->platformOnKeyUp (key);
    // Unused system keys (Alt+F4 and the like) stay the system's.
    return used || (message != WM_SYSKEYDOWN && message != WM_SYSKEYUP);
}

}   // namespace VSTGUI
