// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A GoogleTest fixture for the built bundle's editor in a real X11 window under a private Xvfb
// (the test is skipped with the reason when Xvfb is missing): an instance of the bundle, its
// editor view, the host's 180 x 300 parent window, run loop and plug frame, and XTest input, so
// a test sees the product as a Linux DAW shows it. The view is removed (if still attached) and
// the instance freed in TearDown. Link overmoor_x11_test_support, and give the test the
// fontconfig leak suppressions and the bundle's text libraries as test_editor_window does.
#include "editor-x11/support/XTestDisplay.h"
#include "host/PlugFrame.h"
#include "host/RunLoop.h"
#include "host/X11HostWindow.h"
#include "support/BundleFixture.h"
#include "pluginterfaces/gui/iplugview.h"
#include <memory>

namespace Morvane {
namespace X11Test {

class EditorWindowFixture : public Test::BundleFixture
{
protected:
    // "Over Drive" at 100 %: gain knob centre and the bar footswitch in window pixels (the
    // pedal sits at (2, 19) in the window, the knob at (24, 34), the footswitch at (0, 138)).
    static constexpr int kGainX = 2 + 24 + 20, kGainY = 19 + 34 + 20;
    static constexpr int kFootswitchX = 2 + 85, kFootswitchY = 19 + 138 + 39;

    void SetUp () override;
    void TearDown () override;

    // A new editor view of the instance (the one made in SetUp is in `view`).
    Steinberg::IPtr<Steinberg::IPlugView> createView ();
    // Gives the view the plug frame and embeds it into the parent window.
    Steinberg::tresult embed (Steinberg::IPlugView& editor, Host::X11HostWindow& parent);
    // Embeds `view` into `window`, lets it map, and reads the window's origin on the screen.
    void attach ();
    void detach ();

    // A press at a window point, held through five moves of dy pixels in all; dy 0 is a click
    // held long enough for the press's handlers to run before the release.
    void drag (int x, int y, int dy, unsigned modifiers = kNoModifier, int button = 1);
    void clickAt (int rootX, int rootY, int button = 1);
    void clickWindow (int x, int y, int button = 1) { clickAt (originX + x, originY + y, button); }

    double value (int id) const;

    std::unique_ptr<Host::PluginInstance> instance;
    Steinberg::IPtr<Steinberg::IPlugView> view;
    std::unique_ptr<Host::X11HostWindow> window;
    Steinberg::IPtr<Host::RunLoop> loop;
    Steinberg::IPtr<Host::PlugFrame> plugFrame;
    std::unique_ptr<XTestDisplay> input;
    int originX = 0, originY = 0;
    bool attachedNow = false;
};

}   // namespace X11Test
}   // namespace Morvane
