// SPDX-License-Identifier: GPL-3.0-or-later
// The editor of the built bundle in a real X11 window under a private Xvfb: embedding, closing
// and reopening, and an idle timer per window. Mouse edits are in EditorWindowZoomX11Test.
#include "editor-x11/support/EditorWindowFixture.h"

namespace EditorTest {
namespace {

using namespace Steinberg;
using namespace Morvane;

using EditorWindow = X11Test::EditorWindowFixture;

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

}   // namespace
}   // namespace EditorTest
