// SPDX-License-Identifier: GPL-3.0-or-later
// The editor in a Win32 window of the host's; the window's message loop drives the editor too.
#include "host/EditorSession.h"

using namespace Steinberg;

namespace Morvane {
namespace HostTool {

const FIDString EditorSession::kWindowType = kPlatformTypeHWND;

bool EditorSession::displayAvailable ()
{
    return true;
}

IPtr<Host::HostPlugFrame> EditorSession::createPlugFrame ()
{
    return owned (new Host::Win32PlugFrame);
}

void* EditorSession::nativeParent () const
{
    return hostWindow->windowHandle ();
}

void EditorSession::closeWindow ()
{
    hostWindow.reset ();
    plugFrame = nullptr;
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

}   // namespace HostTool
}   // namespace Morvane
