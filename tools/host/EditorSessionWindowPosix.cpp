// SPDX-License-Identifier: GPL-3.0-or-later
// The editor in an X11 window of the host's, on the host's run loop.
#include "host/EditorSession.h"
#include <cstdlib>

using namespace Steinberg;

namespace Morvane {
namespace HostTool {

bool EditorSession::displayAvailable ()
{
    const char* display = std::getenv ("DISPLAY");
    return display && *display;
}

bool EditorSession::attachToWindow (std::string& error, int panelHeight)
{
    if (plugView->isPlatformTypeSupported (kPlatformTypeX11EmbedWindowID) != kResultTrue)
    {
        error = "the editor cannot be embedded in an X11 window";
        return false;
    }
    ViewRect size;
    plugView->getSize (&size);
    hostWindow = Host::X11HostWindow::create (size.getWidth (), size.getHeight () + panelHeight,
                                              "Overmoor", error);
    if (!hostWindow)
        return false;
    loop = owned (new Host::RunLoop);
    plugFrame = owned (new Host::PlugFrame (loop));
    Host::X11HostWindow* windowPtr = hostWindow.get ();
    plugFrame->setResizeHook ([this, windowPtr, panelHeight] (const ViewRect& r) {
        windowPtr->resize (r.getWidth (), r.getHeight () + panelHeight);
        if (viewResized)
            viewResized (r.getWidth (), r.getHeight ());
    });
    hostWindow->attach (*loop);
    plugView->setFrame (plugFrame);
    if (plugView->attached (
            reinterpret_cast<void*> (static_cast<uintptr_t> (hostWindow->windowId ())),
            kPlatformTypeX11EmbedWindowID)
        != kResultTrue)
    {
        error = "the editor refused to attach to the window";
        plugView->setFrame (nullptr);
        return false;
    }
    attached = true;
    return true;
}

void EditorSession::runUntilClosed (int timeoutMs)
{
    if (loop && hostWindow)
        loop->runUntil ([this] { return hostWindow->closeRequested (); }, timeoutMs);
}

void EditorSession::runFor (int durationMs)
{
    if (loop)
        loop->runFor (durationMs);
}

void EditorSession::detach ()
{
    if (attached)
    {
        plugView->removed ();
        plugView->setFrame (nullptr);
        attached = false;
    }
    if (hostWindow)
        hostWindow->detach ();
    hostWindow.reset ();
    plugFrame = nullptr;
    loop = nullptr;
}

}   // namespace HostTool
}   // namespace Morvane
