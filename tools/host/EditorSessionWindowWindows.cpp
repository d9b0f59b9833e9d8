// SPDX-License-Identifier: GPL-3.0-or-later
// The editor in a Win32 window of the host's; the window's message loop drives the editor too.
#include "host/EditorSession.h"

using namespace Steinberg;

namespace Morvane {
namespace HostTool {

bool EditorSession::displayAvailable ()
{
    return true;
}

bool EditorSession::attachToWindow (std::string& error, int panelHeight)
{
    if (plugView->isPlatformTypeSupported (kPlatformTypeHWND) != kResultTrue)
    {
        error = "the editor cannot be attached to a Win32 window";
        return false;
    }
    ViewRect size;
    plugView->getSize (&size);
    hostWindow = Host::Win32HostWindow::create (size.getWidth (), size.getHeight () + panelHeight,
                                                "Overmoor", error);
    if (!hostWindow)
        return false;
    plugFrame = owned (new Host::Win32PlugFrame);
    Host::Win32HostWindow* windowPtr = hostWindow.get ();
    plugFrame->setResizeHook ([this, windowPtr, panelHeight] (const ViewRect& r) {
        windowPtr->resize (r.getWidth (), r.getHeight () + panelHeight);
        if (viewResized)
            viewResized (r.getWidth (), r.getHeight ());
    });
    plugView->setFrame (plugFrame);
    if (plugView->attached (hostWindow->windowHandle (), kPlatformTypeHWND) != kResultTrue)
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
    if (hostWindow)
        hostWindow->runFor (timeoutMs);
}

void EditorSession::runFor (int durationMs)
{
    // A window closed meanwhile ends the wait early; the caller asks closeRequested ().
    if (hostWindow)
        hostWindow->runFor (durationMs);
}

void EditorSession::detach ()
{
    if (attached)
    {
        plugView->removed ();
        plugView->setFrame (nullptr);
        attached = false;
    }
    hostWindow.reset ();
    plugFrame = nullptr;
}

}   // namespace HostTool
}   // namespace Morvane
