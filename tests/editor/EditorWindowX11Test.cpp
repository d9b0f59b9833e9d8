// SPDX-License-Identifier: GPL-3.0-or-later
// The editor of the built bundle in a real X11 window under a private Xvfb, driven by XTest
// input as a user would: knob drags, footswitch clicks, Ctrl-click, closing and reopening.
#include "editor-x11/support/XTestDisplay.h"
#include "editor-x11/support/XvfbServer.h"
#include "host/PlugFrame.h"
#include "host/RunLoop.h"
#include "host/X11HostWindow.h"
#include "support/BundleFixture.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

namespace EditorTest {
namespace {

using namespace Steinberg;
using namespace Morvane;
using Kind = Host::ComponentHandlerRecorder::EditKind;

class EditorWindow : public Test::BundleFixture
{
protected:
    void SetUp () override
    {
        std::string reason;
        if (!X11Test::XvfbServer::ensureRunning (reason))
            GTEST_SKIP () << "no Xvfb: " << reason;
        BundleFixture::SetUp ();
        instance = createInstance ();
        ASSERT_NE (instance, nullptr);
        view = owned (instance->controller ()->createView (Vst::ViewType::kEditor));
        ASSERT_TRUE (view);
        std::string error;
        window = Host::X11HostWindow::create (180, 300, "Overmoor test", error);
        ASSERT_NE (window, nullptr) << error;
        loop = owned (new Host::RunLoop);
        plugFrame = owned (new Host::PlugFrame (loop));
        ASSERT_TRUE (window->attach (*loop));
        input = X11Test::XTestDisplay::open (error);
        ASSERT_NE (input, nullptr) << error;
    }

    void TearDown () override
    {
        if (view && attachedNow)
            view->removed ();
        view = nullptr;
        if (window)
            window->detach ();
        instance.reset ();
    }

    void attach ()
    {
        view->setFrame (plugFrame);
        ASSERT_EQ (view->attached (reinterpret_cast<void*> (uintptr_t (window->windowId ())),
                                   kPlatformTypeX11EmbedWindowID),
                   kResultTrue);
        attachedNow = true;
        loop->runFor (150);
        ASSERT_EQ (window->childWindows ().size (), 1u);
        ASSERT_TRUE (input->rootPosition (window->windowId (), originX, originY));
    }

    void detach ()
    {
        EXPECT_EQ (view->removed (), kResultOk);
        attachedNow = false;
        loop->runFor (100);
    }

    // A press at a point of the window (window coordinates), held through moves by dy steps.
    void drag (int x, int y, int dy, unsigned modifiers = X11Test::kNoModifier)
    {
        input->moveTo (originX + x, originY + y);
        loop->runFor (60);
        input->pressButton (1, modifiers);
        loop->runFor (60);
        for (int step = 1; step <= 5; ++step)
        {
            input->moveTo (originX + x, originY + y + dy * step / 5);
            loop->runFor (40);
        }
        input->releaseButton (1, modifiers);
        loop->runFor (100);
    }

    double value (int id) const { return instance->controller ()->getParamNormalized (id); }

    std::unique_ptr<Host::PluginInstance> instance;
    IPtr<IPlugView> view;
    std::unique_ptr<Host::X11HostWindow> window;
    IPtr<Host::RunLoop> loop;
    IPtr<Host::PlugFrame> plugFrame;
    std::unique_ptr<X11Test::XTestDisplay> input;
    int originX = 0, originY = 0;
    bool attachedNow = false;
};

// "Over Drive": gain knob at (24, 34) and the bar footswitch at (0, 138) inside the pedal,
// which sits at (2, 19) in the window.
constexpr int kGainX = 2 + 24 + 20, kGainY = 19 + 34 + 20;
constexpr int kFootswitchX = 2 + 85, kFootswitchY = 19 + 138 + 39;

TEST_F (EditorWindow, MouseEditsReachTheControllerAndTheHostInGestures)
{
    instance->controller ()->setParamNormalized (1, 3 / 7.0);
    instance->controller ()->setParamNormalized (0, 0.0);
    attach ();
    Host::ComponentHandlerRecorder& host = instance->componentHandler ();
    host.clear ();

    const double before = value (2);
    drag (kGainX, kGainY, -40);
    EXPECT_GT (value (2), before);
    ASSERT_FALSE (host.edits ().empty ());
    EXPECT_EQ (host.edits ().front ().kind, Kind::begin);
    EXPECT_EQ (host.edits ().back ().kind, Kind::end);
    EXPECT_EQ (host.editCount (Kind::begin, 2), 1);
    EXPECT_GE (host.editCount (Kind::perform, 2), 1);
    EXPECT_EQ (host.editCount (Kind::end, 2), 1);

    drag (kFootswitchX, kFootswitchY, 0);
    EXPECT_EQ (value (0), 1.0) << "a click on the footswitch turns the effect on";
    drag (kFootswitchX, kFootswitchY, 0);
    EXPECT_EQ (value (0), 0.0);

    Vst::ParameterInfo gain{};
    ASSERT_EQ (instance->controller ()->getParameterInfo (2, gain), kResultOk);
    drag (kGainX, kGainY, 0, X11Test::kControlKey);
    EXPECT_NEAR (value (2), gain.defaultNormalizedValue, 1e-6)
        << "Ctrl-click returns the knob to its default";
}

TEST_F (EditorWindow, RemovingLeavesNothingBehindAndReopeningShowsTheSameWindow)
{
    const int handlersBefore = loop->eventHandlerCount (), timersBefore = loop->timerCount ();
    instance->controller ()->setParamNormalized (1, 7 / 7.0);
    attach ();
    EXPECT_GT (loop->timerCount (), timersBefore) << "the idle timer runs on the host's loop";
    const auto embedded = window->childWindows ().front ();
    EXPECT_EQ (input->property32 (embedded, "_XEMBED_INFO").size (), 2u);
    int width = 0, height = 0;
    const std::vector<uint32_t> shown = window->capture (width, height);

    detach ();
    EXPECT_TRUE (window->childWindows ().empty ());
    EXPECT_EQ (loop->eventHandlerCount (), handlersBefore);
    EXPECT_EQ (loop->timerCount (), timersBefore);

    attach ();
    int width2 = 0, height2 = 0;
    EXPECT_EQ (window->capture (width2, height2), shown)
        << "the same controls with the same values";
    detach ();
}

// Two windows of one instance on one host loop: removing the first leaves the second's idle
// timer and window running, and removing the second takes back the rest.
TEST_F (EditorWindow, EachOpenEditorKeepsItsOwnIdleTimer)
{
    const int handlersBefore = loop->eventHandlerCount (), timersBefore = loop->timerCount ();
    attach ();
    std::string error;
    auto secondWindow = Host::X11HostWindow::create (180, 300, "Overmoor second", error);
    ASSERT_NE (secondWindow, nullptr) << error;
    IPtr<IPlugView> second = owned (instance->controller ()->createView (Vst::ViewType::kEditor));
    second->setFrame (plugFrame);
    ASSERT_EQ (second->attached (reinterpret_cast<void*> (uintptr_t (secondWindow->windowId ())),
                                 kPlatformTypeX11EmbedWindowID),
               kResultTrue);
    const int timersWithBoth = loop->timerCount ();
    EXPECT_GE (timersWithBoth, timersBefore + 2);

    detach ();
    EXPECT_EQ (loop->timerCount (), timersWithBoth - 1) << "the second editor's idle goes on";
    EXPECT_EQ (secondWindow->childWindows ().size (), 1u);
    EXPECT_EQ (second->removed (), kResultOk);
    loop->runFor (50);
    EXPECT_EQ (loop->timerCount (), timersBefore);
    EXPECT_EQ (loop->eventHandlerCount (), handlersBefore);
    EXPECT_TRUE (secondWindow->childWindows ().empty ());
}

} // namespace
} // namespace EditorTest
