// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One plug-in instance with its editor view, as a host holds it: the bundle loaded, processor
// and controller connected, the view created; then embedded in a host window on the host's run
// loop, or drawn offscreen into a PNG. Used by overmoor-host and the editor benchmarks. The window
// part is each system's own (EditorSessionWindowPosix.cpp, EditorSessionWindowWindows.cpp).
#include "host/PluginInstance.h"
#ifdef _WIN32
#include "host/Win32HostWindow.h"
#include "host/Win32PlugFrame.h"
#else
#include "host/PlugFrame.h"
#include "host/RunLoop.h"
#include "host/X11HostWindow.h"
#endif
#include "pluginterfaces/gui/iplugview.h"
#include <functional>
#include <memory>
#include <string>

namespace Morvane {
namespace Host {
#ifdef _WIN32
using HostWindow = Win32HostWindow;
using HostPlugFrame = Win32PlugFrame;
#else
using HostWindow = X11HostWindow;
using HostPlugFrame = PlugFrame;
#endif
}   // namespace Host

namespace HostTool {

class EditorSession
{
public:
    // Loads the bundle and creates instance and view; null with a message on failure.
    static std::unique_ptr<EditorSession> create (const std::string& bundlePath,
                                                  std::string& error);
    ~EditorSession ();

    // A factory or user preset by number or name, as the preset bar selects it.
    bool selectPreset (const std::string& numberOrName, std::string& error);
    // The host's content scale (a desktop at 200 % sends 2), as hosts send it before attaching.
    bool setContentScale (float factor, std::string& error);
    // The view's window as it looks now, offscreen.
    bool writeSnapshot (const std::string& pngPath, std::string& error);

    // True where a window can open: Windows always has a desktop, X11 one where DISPLAY names it.
    static bool displayAvailable ();
    // Opens a host window (on $DISPLAY on Linux) sized to the view (plus a panel of the host's below it)
    // and attaches the view inside it.
    bool attachToWindow (std::string& error, int panelHeight = 0);
    // Called with the view's new size after the editor resized itself.
    void onViewResized (std::function<void (int width, int height)> hook)
    {
        viewResized = std::move (hook);
    }
    // Runs the host loop until the window is closed (or forever-ish: timeoutMs).
    void runUntilClosed (int timeoutMs);
    void runFor (int durationMs);
    // Removes the view from the window and closes the window.
    void detach ();

    Steinberg::IPlugView* view () const { return plugView.get (); }
    Host::PluginInstance& instance () const { return *pluginInstance; }
#ifndef _WIN32
    // The run loop the window and the editor share (on Windows the window's message loop).
    Host::RunLoop* runLoop () const
    {
        return loop.get ();
    }
#endif
    Host::HostWindow* window () const
    {
        return hostWindow.get ();
    }

private:
    EditorSession () = default;

    // What each system does its own way (EditorSessionWindow*.cpp).
    static const Steinberg::FIDString kWindowType;
    Steinberg::IPtr<Host::HostPlugFrame> createPlugFrame ();
    void* nativeParent () const;
    void closeWindow ();

    std::unique_ptr<Host::PluginInstance> pluginInstance;
    Steinberg::IPtr<Steinberg::IPlugView> plugView;
#ifndef _WIN32
    Steinberg::IPtr<Host::RunLoop> loop;
#endif
    Steinberg::IPtr<Host::HostPlugFrame> plugFrame;
    std::unique_ptr<Host::HostWindow> hostWindow;
    bool attached = false;
    std::function<void (int, int)> viewResized;
};

}   // namespace HostTool
}   // namespace Morvane
