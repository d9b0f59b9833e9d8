// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A GoogleTest fixture for tests of real windows of frames the test builds itself: a private Xvfb
// (the test is skipped with the reason when Xvfb is missing), the host side a Linux DAW provides
// (a top-level parent window, a poll run loop, and a plug frame that offers that run loop) and
// XTest input. The bundle's own editor in such a window is EditorWindowFixture's.
//
// Link overmoor_x11_test_support and give the test the fontconfig leak suppressions as
// test_editor_x11 does. Events are only read while the run loop runs: input helpers pump it
// between steps and afterwards; pump () before checking what a handler should have done.
#include "editor-x11/support/XTestDisplay.h"
#include "host/PlugFrame.h"
#include "host/RunLoop.h"
#include "host/X11HostWindow.h"
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace Morvane {
namespace X11Test {

class X11WindowTest : public ::testing::Test
{
protected:
    // Size of the host's parent window.
    static constexpr int kHostWidth = 400;
    static constexpr int kHostHeight = 400;

    void SetUp () override;
    void TearDown () override;

    // Runs the host's loop for that long (handlers read their events in it).
    void pump (int ms = 80);
    // Runs it until done () or the timeout; returns done ()'s last answer.
    bool pumpUntil (const std::function<bool ()>& done, int timeoutMs = 2000);

    // The first child of the host window, once it is viewable; 0 if none appears in time.
    uint32_t embeddedWindow ();
    bool waitForEmbeddedWindow (int timeoutMs = 2000)
    {
        return pumpUntil ([&] { return embeddedWindow () != 0; }, timeoutMs);
    }

    // Input at a point given in a window's own coordinates, with modifier keys held throughout.
    void moveTo (uint32_t window, int x, int y);
    void click (uint32_t window, int x, int y, unsigned modifiers = kNoModifier, int button = 1);
    void drag (uint32_t window, int fromX, int fromY, int toX, int toY,
               unsigned modifiers = kNoModifier, int steps = 8);
    // A wheel step (+1 up, -1 down) over the point.
    void wheel (uint32_t window, int x, int y, int steps, unsigned modifiers = kNoModifier);

    std::unique_ptr<XTestDisplay> display;
    Steinberg::IPtr<Host::RunLoop> runLoop;
    Steinberg::IPtr<Host::PlugFrame> plugFrame;
    std::unique_ptr<Host::X11HostWindow> hostWindow;

private:
    void toRoot (uint32_t window, int& x, int& y) const;
};

}   // namespace X11Test
}   // namespace Morvane
