// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor-x11/support/X11WindowTest.h"
#include "editor-x11/support/XvfbServer.h"

namespace Morvane {
namespace X11Test {

void X11WindowTest::SetUp ()
{
    std::string reason;
    if (!XvfbServer::ensureRunning (reason))
        GTEST_SKIP () << "no X server for window tests: " << reason;
    display = XTestDisplay::open (reason);
    ASSERT_TRUE (display) << reason;
    runLoop = Steinberg::owned (new Host::RunLoop);
    plugFrame = Steinberg::owned (new Host::PlugFrame (runLoop));
    hostWindow =
        Host::X11HostWindow::create (kHostWidth, kHostHeight, "Overmoor test host", reason);
    ASSERT_TRUE (hostWindow) << reason;
    ASSERT_TRUE (pumpUntil ([&] { return display->isViewable (hostWindow->windowId ()); }));
    // The pointer starts away from every window so that the first move is a real entry.
    display->moveTo (kHostWidth + 50, kHostHeight + 50);
}

void X11WindowTest::TearDown ()
{
    hostWindow.reset ();
    plugFrame = nullptr;
    runLoop = nullptr;
    display.reset ();
}

void X11WindowTest::pump (int ms)
{
    runLoop->runFor (ms);
}

bool X11WindowTest::pumpUntil (const std::function<bool ()>& done, int timeoutMs)
{
    return runLoop->runUntil (done, timeoutMs);
}

uint32_t X11WindowTest::embeddedWindow ()
{
    for (const uint32_t child : hostWindow->childWindows ())
        if (display->isViewable (child))
            return child;
    return 0;
}

void X11WindowTest::toRoot (uint32_t window, int& x, int& y) const
{
    int originX = 0;
    int originY = 0;
    EXPECT_TRUE (display->rootPosition (window, originX, originY))
        << "window " << window << " is gone";
    x += originX;
    y += originY;
}

void X11WindowTest::moveTo (uint32_t window, int x, int y)
{
    toRoot (window, x, y);
    display->moveTo (x, y);
    pump (20);
}

void X11WindowTest::click (uint32_t window, int x, int y, unsigned modifiers, int button)
{
    moveTo (window, x, y);
    display->pressButton (button, modifiers);
    pump (20);
    display->releaseButton (button, modifiers);
    pump (20);
}

void X11WindowTest::drag (uint32_t window, int fromX, int fromY, int toX, int toY,
                          unsigned modifiers, int steps)
{
    int x = fromX;
    int y = fromY;
    toRoot (window, x, y);
    const int dx = x - fromX;
    const int dy = y - fromY;
    display->moveTo (x, y);
    pump (20);
    display->pressButton (1, modifiers);
    pump (20);
    for (int i = 1; i <= steps; ++i)
    {
        display->moveTo (dx + fromX + (toX - fromX) * i / steps,
                         dy + fromY + (toY - fromY) * i / steps);
        pump (10);
    }
    display->releaseButton (1, modifiers);
    pump (20);
}

void X11WindowTest::wheel (uint32_t window, int x, int y, int steps, unsigned modifiers)
{
    moveTo (window, x, y);
    display->holdModifiers (modifiers);
    for (int i = 0; i < std::abs (steps); ++i)
    {
        display->pressButton (steps > 0 ? 4 : 5);
        display->releaseButton (steps > 0 ? 4 : 5);
    }
    display->releaseModifiers (modifiers);
    pump (20);
}

}   // namespace X11Test
}   // namespace Morvane
