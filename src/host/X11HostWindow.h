// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A top-level X11 window owned by the host, the parent an editor embeds itself in. It has its
// own XCB connection (so nothing of the plug-in's connection is shared), answers the window
// manager's close button, and reads back what is on screen for screenshots and tests.
#include "host/RunLoop.h"
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct xcb_connection_t;

namespace Morvane {
namespace Host {

class X11HostWindow
{
public:
    // Connects to $DISPLAY and maps a window of that size; null with a message on failure.
    static std::unique_ptr<X11HostWindow> create (int width, int height, const std::string& title,
                                                  std::string& error);
    ~X11HostWindow ();
    X11HostWindow (const X11HostWindow&) = delete;
    X11HostWindow& operator= (const X11HostWindow&) = delete;

    // The id an editor's attached () gets as its parent.
    uint32_t windowId () const { return window; }
    void resize (int width, int height);
    // Reads the window's events until none is left; handy without a run loop.
    void processEvents ();
    // Lets the run loop call processEvents whenever the connection has something to read, until
    // detach () or destruction.
    bool attach (RunLoop& loop);
    void detach ();
    // True once the window manager's close button was pressed, or the display went away.
    bool closeRequested () const { return closing; }

    // Windows directly inside ours (the embedded editor's), in stacking order.
    std::vector<uint32_t> childWindows () const;
    // What the screen shows inside the window, 0x00RRGGBB row by row; empty if unreadable.
    std::vector<uint32_t> capture (int& width, int& height) const;

private:
    class Handler;
    X11HostWindow () = default;

    xcb_connection_t* connection = nullptr;
    uint32_t window = 0;
    uint32_t deleteAtom = 0;
    bool closing = false;
    Steinberg::IPtr<RunLoop> attachedLoop;
    Steinberg::IPtr<Steinberg::Linux::IEventHandler> handler;
};

}   // namespace Host
}   // namespace Morvane
