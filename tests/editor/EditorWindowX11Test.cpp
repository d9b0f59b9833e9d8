// SPDX-License-Identifier: GPL-3.0-or-later
// The editor of the built bundle in a real X11 window under a private Xvfb, driven by XTest
// input as a user would: knob drags, footswitch clicks, Ctrl-click, closing and reopening.
#include "editor-x11/support/EditorWindowFixture.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

namespace EditorTest {
namespace {

using namespace Steinberg;
using namespace Morvane;
using Kind = Host::ComponentHandlerRecorder::EditKind;

using EditorWindow = X11Test::EditorWindowFixture;

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
    IPtr<IPlugView> second = createView ();
    ASSERT_TRUE (second);
    ASSERT_EQ (embed (*second, *secondWindow), kResultTrue);
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
