// SPDX-License-Identifier: GPL-3.0-or-later
// The editor in an X11 window of the host's, on the host's run loop.
#include "host/EditorSession.h"
#include <cstdlib>

using namespace Steinberg;

namespace Morvane {
namespace HostTool {

const FIDString EditorSession::kWindowType = kPlatformTypeX11EmbedWindowID;

bool EditorSession::displayAvailable ()
{
    const char* display = std::getenv ("DISPLAY");
    return display && *display;
}

IPtr<Host::HostPlugFrame> EditorSession::createPlugFrame ()
{
    loop = owned (new Host::RunLoop);
    hostWindow->attach (*loop);
    return owned (new Host::PlugFrame (loop));
}

void* EditorSession::nativeParent () const
{
    return reinterpret_cast<void*> (static_cast<uintptr_t> (hostWindow->windowId ()));
}

void EditorSession::closeWindow ()
{
    if (hostWindow)
        hostWindow->detach ();
    hostWindow.reset ();
    plugFrame = nullptr;
    loop = nullptr;
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

}   // namespace HostTool
}   // namespace Morvane
