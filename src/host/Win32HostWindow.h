// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A top-level Win32 window owned by the host, the parent an editor attaches itself to as "HWND".
// It runs the calling thread's message loop (which also drives the editor's window timer) and
// answers the close button.
#include <memory>
#include <string>

struct HWND__;

namespace Morvane {
namespace Host {

class Win32HostWindow
{
public:
    // Shows a window whose client area has that size; null with a message on failure.
    static std::unique_ptr<Win32HostWindow> create (int width, int height, const std::string& title,
                                                    std::string& error);
    ~Win32HostWindow ();
    Win32HostWindow (const Win32HostWindow&) = delete;
    Win32HostWindow& operator= (const Win32HostWindow&) = delete;

    // The handle an editor's attached () gets as its parent.
    HWND__* windowHandle () const { return window; }
    // Resizes the client area.
    void resize (int width, int height);
    // Dispatches this thread's messages until none is left.
    void processEvents ();
    // Dispatches messages for durationMs, or until the window is closed.
    void runFor (int durationMs);
    // True once the close button was pressed (or the window destroyed by someone else).
    bool closeRequested () const { return closing; }

private:
    Win32HostWindow () = default;
    static long long __stdcall windowProc (HWND__* window, unsigned message,
                                           unsigned long long wParam, long long lParam);

    HWND__* window = nullptr;
    bool closing = false;
};

}   // namespace Host
}   // namespace Morvane
