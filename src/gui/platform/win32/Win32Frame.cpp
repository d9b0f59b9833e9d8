// SPDX-License-Identifier: GPL-3.0-or-later
#include "Win32Frame.h"
#include "gui/platform/direct2d/WicBitmap.h"
#include <cmath>
#include <vector>

namespace VSTGUI {
namespace {

constexpr wchar_t kClassName[] = L"OvermoorFrame";
constexpr UINT kFocusLostMessage = WM_APP + 1;
constexpr UINT kClipboardMessage = WM_APP + 2;

// The module that holds this code: the plug-in's library (or a test program).
HINSTANCE ownModule ()
{
    HMODULE module = nullptr;
    GetModuleHandleExW (GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS
                            | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                        reinterpret_cast<LPCWSTR> (&ownModule), &module);
    return module;
}

// The system cursors' ids, whichever character set the headers were told.
template <class Id>
LPCWSTR cursorId (Id id)
{
    return reinterpret_cast<LPCWSTR> (id);
}

// Windows of ours alive now: the class is registered with the first and goes with the last, so
// the library can be unloaded without a class whose procedure is gone.
int& liveWindows ()
{
    static int count = 0;
    return count;
}

}   // namespace

Win32Frame::Win32Frame (IPlatformFrameCallback* callback, PlatformType t)
: IPlatformFrame (callback), type (t), cursor (LoadCursorW (nullptr, cursorId (IDC_ARROW)))
{}

Win32Frame::~Win32Frame ()
{
    closeWindow ();
}

Win32Frame* Win32Frame::create (IPlatformFrameCallback* callback, const CRect& size, HWND parent,
                                PlatformType type)
{
    if (!callback || (type == PlatformType::kHWND && !IsWindow (parent))
        || type == PlatformType::kX11EmbedWindowID)
        return nullptr;
    const HINSTANCE module = ownModule ();
    if (liveWindows () == 0)
    {
        WNDCLASSEXW windowClass {};
        windowClass.cbSize = sizeof (windowClass);
        windowClass.lpfnWndProc = &Win32Frame::windowProc;
        windowClass.hInstance = module;
        windowClass.lpszClassName = kClassName;
        windowClass.style = CS_DBLCLKS;
        // Another instance of the library (another host bundle copy) may own one already.
        if (!RegisterClassExW (&windowClass) && GetLastError () != ERROR_CLASS_ALREADY_EXISTS)
            return nullptr;
    }
    auto* frame = new Win32Frame (callback, type);
    const bool popup = type == PlatformType::kPopup;
    const DWORD style = popup ? WS_POPUP : (WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    const DWORD exStyle = popup ? (WS_EX_TOOLWINDOW | WS_EX_TOPMOST) : 0;
    ++liveWindows ();
    frame->counted = true;
    frame->window = CreateWindowExW (
        exStyle, kClassName, L"", style, static_cast<int> (std::lround (size.left)),
        static_cast<int> (std::lround (size.top)),
        static_cast<int> (std::lround (size.getWidth ())),
        static_cast<int> (std::lround (size.getHeight ())), parent, nullptr, module, frame);
    if (!frame->window)
    {
        frame->forget ();
        return nullptr;
    }
    ShowWindow (frame->window, SW_SHOW);
    if (popup)
    {
        // A popup has the keyboard and sees every press, inside or out, while open.
        SetFocus (frame->window);
        SetCapture (frame->window);
    }
    return frame;
}

void Win32Frame::closeWindow ()
{
    if (HWND old = window)
    {
        window = nullptr;
        SetWindowLongPtrW (old, GWLP_USERDATA, 0);
        DestroyWindow (old);
    }
    if (counted && --liveWindows () == 0)
        UnregisterClassW (kClassName, ownModule ());
    counted = false;
    backBuffer = nullptr;
}

LRESULT CALLBACK Win32Frame::windowProc (HWND window, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_NCCREATE)
    {
        auto* frame =
            static_cast<Win32Frame*> (reinterpret_cast<CREATESTRUCTW*> (l)->lpCreateParams);
        frame->window = window;   // messages arrive before CreateWindowExW returns
        SetWindowLongPtrW (window, GWLP_USERDATA, reinterpret_cast<LONG_PTR> (frame));
    }
    auto* frame = reinterpret_cast<Win32Frame*> (GetWindowLongPtrW (window, GWLP_USERDATA));
    if (!frame || !frame->callbackAlive ())
        return DefWindowProcW (window, message, w, l);
    DispatchScope scope (*frame);
    return frame->handle (message, w, l);
}

LRESULT Win32Frame::handle (UINT message, WPARAM w, LPARAM l)
{
    switch (message)
    {
        case WM_ERASEBKGND: return 1;   // the paint covers everything
        case WM_PAINT: paint (); return 0;
        case WM_SETCURSOR:
            if (LOWORD (l) == HTCLIENT)
            {
                SetCursor (cursor);
                return TRUE;
            }
            break;
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_WANTTAB;
        case WM_KILLFOCUS:
            // Told after the message that moved the focus is done: a submenu that takes it
            // from its menu is then already in place.
            PostMessageW (window, kFocusLostMessage, 0, 0);
            return 0;
        case WM_CAPTURECHANGED:
            if (type == PlatformType::kPopup && reinterpret_cast<HWND> (l) == nullptr)
                PostMessageW (window, kFocusLostMessage, 0, 0);
            return 0;
        case kClipboardMessage: answerClipboardRequest (); return 0;
        case kFocusLostMessage:
            if (GetFocus () != window)
                getFrameCallback ()->platformOnFocusLost ();
            return 0;
        default:
            if (onMouse (message, w, l) || onKey (message, w, l))
                return 0;
            break;
    }
    return DefWindowProcW (window, message, w, l);
}

void Win32Frame::paint ()
{
    const HWND painted = window;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint (painted, &ps);
    RECT client;
    GetClientRect (painted, &client);
    const int width = client.right, height = client.bottom;
    const double s = scale ();
    if (width > 0 && height > 0)
    {
        if (!backBuffer
            || backBuffer->getBitmap ()->getPlatformBitmap ()->getSize () != CPoint (width, height))
            backBuffer = COffscreenContext::create (width / s, height / s, s);
        auto* pixels =
            backBuffer ? dynamic_cast<WicBitmap*> (backBuffer->getBitmap ()->getPlatformBitmap ())
                       : nullptr;
        if (pixels)
        {
            const CRect dirty (ps.rcPaint.left / s, ps.rcPaint.top / s, ps.rcPaint.right / s,
                               ps.rcPaint.bottom / s);
            SharedPointer<COffscreenContext> buffer = backBuffer;
            getFrameCallback ()->platformDrawRect (buffer, dirty);
            buffer->endDraw ();
            // The dirty rows, from the back buffer's pixels to the window.
            const RECT& r = ps.rcPaint;
            const int w = std::min<int> (r.right, width) - r.left;
            const int h = std::min<int> (r.bottom, height) - r.top;
            if (w > 0 && h > 0 && callbackAlive ())
            {
                std::vector<uint32_t> rows (static_cast<size_t> (w) * h);
                const WICRect from {r.left, r.top, w, h};
                if (SUCCEEDED (pixels->getWicBitmap ()->CopyPixels (
                        &from, 4 * w, 4 * w * h, reinterpret_cast<BYTE*> (rows.data ()))))
                {
                    BITMAPINFO info {};
                    info.bmiHeader.biSize = sizeof (info.bmiHeader);
                    info.bmiHeader.biWidth = w;
                    info.bmiHeader.biHeight = -h;   // top-down
                    info.bmiHeader.biPlanes = 1;
                    info.bmiHeader.biBitCount = 32;
                    info.bmiHeader.biCompression = BI_RGB;
                    SetDIBitsToDevice (dc, r.left, r.top, w, h, 0, 0, 0, h, rows.data (), &info,
                                       DIB_RGB_COLORS);
                }
            }
        }
    }
    EndPaint (painted, &ps);
}

bool Win32Frame::getGlobalPosition (CPoint& position) const
{
    POINT origin {0, 0};
    if (!window || !ClientToScreen (window, &origin))
        return false;
    position = CPoint (origin.x, origin.y);
    return true;
}

bool Win32Frame::setSize (const CRect& size)
{
    return window
           && SetWindowPos (window, nullptr, static_cast<int> (std::lround (size.left)),
                            static_cast<int> (std::lround (size.top)),
                            static_cast<int> (std::lround (size.getWidth ())),
                            static_cast<int> (std::lround (size.getHeight ())),
                            SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32Frame::getSize (CRect& size) const
{
    RECT r;
    if (!window || !GetWindowRect (window, &r))
        return false;
    POINT topLeft {r.left, r.top};
    if (type != PlatformType::kPopup)
        ScreenToClient (GetParent (window), &topLeft);
    size = CRect (topLeft.x, topLeft.y, topLeft.x + (r.right - r.left),
                  topLeft.y + (r.bottom - r.top));
    return true;
}

bool Win32Frame::invalidRect (const CRect& rect)
{
    if (!window)
        return false;
    const double s = scale ();
    const RECT r {static_cast<LONG> (std::floor (rect.left * s)),
                  static_cast<LONG> (std::floor (rect.top * s)),
                  static_cast<LONG> (std::ceil (rect.right * s)),
                  static_cast<LONG> (std::ceil (rect.bottom * s))};
    return InvalidateRect (window, &r, FALSE);
}

bool Win32Frame::setMouseCursor (CCursorType cursorType)
{
    LPCWSTR name = cursorId (IDC_ARROW);
    switch (cursorType)
    {
        case kCursorWait: name = cursorId (IDC_WAIT); break;
        case kCursorHSize: name = cursorId (IDC_SIZEWE); break;
        case kCursorVSize: name = cursorId (IDC_SIZENS); break;
        case kCursorSizeAll: name = cursorId (IDC_SIZEALL); break;
        case kCursorNESWSize: name = cursorId (IDC_SIZENESW); break;
        case kCursorNWSESize: name = cursorId (IDC_SIZENWSE); break;
        case kCursorNotAllowed: name = cursorId (IDC_NO); break;
        case kCursorHand: name = cursorId (IDC_HAND); break;
        default: break;
    }
    cursor = LoadCursorW (nullptr, name);
    SetCursor (cursor);
    return true;
}

bool Win32Frame::getCurrentMouseButtons (CButtonState& buttons) const
{
    int32_t bits = currentModifiers ();
    if (GetKeyState (VK_LBUTTON) < 0)
        bits |= kLButton;
    if (GetKeyState (VK_MBUTTON) < 0)
        bits |= kMButton;
    if (GetKeyState (VK_RBUTTON) < 0)
        bits |= kRButton;
    buttons = CButtonState (bits);
    return true;
}

bool Win32Frame::requestClipboardText ()
{
    // Answered from the message loop, as the other window systems answer.
    return window && PostMessageW (window, kClipboardMessage, 0, 0);
}

bool Win32Frame::takeFocus ()
{
    // SetFocus answers the window that had focus before, which may be none.
    if (!window)
        return false;
    SetFocus (window);
    return GetFocus () == window;
}

CPoint Win32Frame::toFrame (LPARAM l) const
{
    const double s = scale ();
    return CPoint (static_cast<short> (LOWORD (l)) / s, static_cast<short> (HIWORD (l)) / s);
}

}   // namespace VSTGUI
