// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/Win32HostWindow.h"
#include <windows.h>
#include <chrono>

namespace Morvane {
namespace Host {

namespace {

const wchar_t kWindowClass[] = L"OvermoorHostWindow";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW & ~(WS_THICKFRAME | WS_MAXIMIZEBOX);

std::wstring wide (const std::string& utf8)
{
    const int length = MultiByteToWideChar (CP_UTF8, 0, utf8.c_str (), -1, nullptr, 0);
    std::wstring text (length > 0 ? length : 1, L'\0');
    if (length > 0)
        MultiByteToWideChar (CP_UTF8, 0, utf8.c_str (), -1, text.data (), length);
    text.resize (text.size () - 1);
    return text;
}

// The outer size whose client area is width × height.
SIZE outerSize (int width, int height)
{
    RECT rect {0, 0, width, height};
    AdjustWindowRectEx (&rect, kStyle, FALSE, 0);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

bool registerClass (HINSTANCE instance, WNDPROC proc)
{
    WNDCLASSEXW windowClass {};
    if (GetClassInfoExW (instance, kWindowClass, &windowClass))
        return true;
    windowClass.cbSize = sizeof (windowClass);
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW (nullptr, reinterpret_cast<LPCWSTR> (IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH> (GetStockObject (BLACK_BRUSH));
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW (&windowClass) != 0;
}

}   // namespace

std::unique_ptr<Win32HostWindow>
Win32HostWindow::create (int width, int height, const std::string& title, std::string& error)
{
    if (width <= 0 || height <= 0 || width > 0x7fff || height > 0x7fff)
    {
        error = "window size out of range";
        return nullptr;
    }
    const HINSTANCE instance = GetModuleHandleW (nullptr);
    if (!registerClass (instance, &Win32HostWindow::windowProc))
    {
        error = "cannot register the host window's class (error " + std::to_string (GetLastError ())
                + ")";
        return nullptr;
    }
    std::unique_ptr<Win32HostWindow> host (new Win32HostWindow);
    const SIZE outer = outerSize (width, height);
    host->window = CreateWindowExW (0, kWindowClass, wide (title).c_str (),
                                    kStyle | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                                    outer.cx, outer.cy, nullptr, nullptr, instance, host.get ());
    if (!host->window)
    {
        error = "cannot create the host window (error " + std::to_string (GetLastError ()) + ")";
        return nullptr;
    }
    ShowWindow (host->window, SW_SHOWNORMAL);
    UpdateWindow (host->window);
    return host;
}

Win32HostWindow::~Win32HostWindow ()
{
    if (window && IsWindow (window))
    {
        SetWindowLongPtrW (window, GWLP_USERDATA, 0);
        DestroyWindow (window);
    }
}

void Win32HostWindow::resize (int width, int height)
{
    if (!window || width <= 0 || height <= 0)
        return;
    const SIZE outer = outerSize (width, height);
    SetWindowPos (window, nullptr, 0, 0, outer.cx, outer.cy,
                  SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32HostWindow::processEvents ()
{
    MSG message;
    while (PeekMessageW (&message, nullptr, 0, 0, PM_REMOVE))
    {
        if (message.message == WM_QUIT)
        {
            closing = true;
            continue;
        }
        TranslateMessage (&message);
        DispatchMessageW (&message);
    }
}

void Win32HostWindow::runFor (int durationMs)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now () + std::chrono::milliseconds (durationMs);
    for (processEvents (); !closing; processEvents ())
    {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds> (end - Clock::now ()).count ();
        if (left <= 0)
            break;
        MsgWaitForMultipleObjects (0, nullptr, FALSE, static_cast<DWORD> (left), QS_ALLINPUT);
    }
}

long long __stdcall Win32HostWindow::windowProc (HWND__* window, unsigned message,
                                                 unsigned long long wParam, long long lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW (
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR> (reinterpret_cast<CREATESTRUCTW*> (lParam)->lpCreateParams));
    auto* host = reinterpret_cast<Win32HostWindow*> (GetWindowLongPtrW (window, GWLP_USERDATA));
    // The editor is removed before the window goes: closing only asks the owner to end.
    if (host && message == WM_CLOSE)
    {
        host->closing = true;
        return 0;
    }
    if (host && message == WM_DESTROY)
    {
        host->closing = true;
        host->window = nullptr;
    }
    return DefWindowProcW (window, message, wParam, lParam);
}

}   // namespace Host
}   // namespace Morvane
