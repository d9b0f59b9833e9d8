// SPDX-License-Identifier: GPL-3.0-or-later
// The built bundle's editor in a real X11 window under a private Xvfb: embedding, removing and
// reopening with an idle timer per window; XTest drags and clicks at 100 % and 200 % edit the
// parameters in host gestures and as much at either zoom, and the zoom menu's popup (itself at
// 200 %) resizes the window through the host's plug frame.
#include "editor-x11/support/EditorWindowFixture.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include <cstdlib>
#include <filesystem>

namespace EditorTest {
namespace {

using namespace Steinberg;
using namespace Morvane;
using Kind = Host::ComponentHandlerRecorder::EditKind;

class EditorWindow : public X11Test::EditorWindowFixture
{
protected:
    void SetUp () override
    {
        EditorWindowFixture::SetUp ();
        if (IsSkipped () || HasFatalFailure ())
            return;
        Host::X11HostWindow* host = window.get ();
        plugFrame->setResizeHook (
            [host] (const ViewRect& r) { host->resize (r.getWidth (), r.getHeight ()); });
    }

    void TearDown () override
    {
        EditorWindowFixture::TearDown ();
        // A zoom chosen here must not carry over into the next test's windows.
        if (const char* config = std::getenv ("XDG_CONFIG_HOME"))
        {
            std::error_code ignored;
            std::filesystem::remove (std::filesystem::path (config) / "Overmoor" / "editor.conf",
                                     ignored);
        }
    }

    // A new view at a host content scale, in a host window of the size it asks for.
    void attachAt (float scale)
    {
        view = nullptr;
        view = createView ();
        ASSERT_TRUE (view);
        FUnknownPtr<IPlugViewContentScaleSupport> scaling (view);
        ASSERT_TRUE (scaling);
        ASSERT_EQ (scaling->setContentScaleFactor (scale), kResultOk);
        ViewRect size;
        view->getSize (&size);
        window->resize (size.getWidth (), size.getHeight ());
        attach ();
    }

    void embeddedSize (int& width, int& height) const
    {
        width = height = 0;
        input->size (window->childWindows ().front (), width, height);
    }
};

// Removing the view takes back its window, idle timer and handlers, and the same view shows the
// same picture when attached again; a second editor of the instance keeps its own idle timer on
// the one host loop until it is removed too.
TEST_F (EditorWindow, EachOpenEditorKeepsItsOwnIdleTimerAndRemovingLeavesNothingBehind)
{
    const int handlersBefore = loop->eventHandlerCount (), timersBefore = loop->timerCount ();
    instance->controller ()->setParamNormalized (1, 7 / 7.0);
    attach ();
    EXPECT_GT (loop->timerCount (), timersBefore) << "the idle timer runs on the host's loop";
    int width = 0, height = 0;
    const std::vector<uint32_t> shown = window->capture (width, height);
    detach ();
    EXPECT_TRUE (window->childWindows ().empty ());
    EXPECT_EQ (loop->eventHandlerCount (), handlersBefore);
    EXPECT_EQ (loop->timerCount (), timersBefore);
    attach ();
    EXPECT_EQ (window->capture (width, height), shown) << "the same controls with the same values";

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

// Drags, footswitch clicks and Ctrl-click as a user makes them, in host gestures, at 100 % and at
// 200 %: twice the pixels at twice the zoom turn a knob as far.
TEST_F (EditorWindow, MouseEditsReachTheControllerAndTheHostInGesturesAtEveryZoom)
{
    instance->controller ()->setParamNormalized (1, 3 / 7.0);
    Vst::ParameterInfo gain {};
    ASSERT_EQ (instance->controller ()->getParameterInfo (2, gain), kResultOk);
    Host::ComponentHandlerRecorder& host = instance->componentHandler ();
    double moved[2] = {0, 0};
    for (int zoom = 1; zoom <= 2; ++zoom)
    {
        SCOPED_TRACE (std::to_string (zoom * 100) + " %");
        instance->controller ()->setParamNormalized (0, 0.0);
        instance->controller ()->setParamNormalized (2, 0.5);
        attachAt (static_cast<float> (zoom));
        int width = 0, height = 0;
        embeddedSize (width, height);
        EXPECT_EQ (width, 180 * zoom);
        EXPECT_EQ (height, 300 * zoom);
        host.clear ();
        drag (kGainX * zoom, kGainY * zoom, -40 * zoom);
        moved[zoom - 1] = value (2) - 0.5;
        ASSERT_FALSE (host.edits ().empty ());
        EXPECT_EQ (host.edits ().front ().kind, Kind::begin);
        EXPECT_EQ (host.edits ().back ().kind, Kind::end);
        EXPECT_EQ (host.editCount (Kind::begin, 2), 1);
        EXPECT_GE (host.editCount (Kind::perform, 2), 1);
        EXPECT_EQ (host.editCount (Kind::end, 2), 1);

        drag (kFootswitchX * zoom, kFootswitchY * zoom, 0);
        EXPECT_EQ (value (0), 1.0) << "a click on the footswitch turns the effect on";
        drag (kFootswitchX * zoom, kFootswitchY * zoom, 0);
        EXPECT_EQ (value (0), 0.0);
        drag (kGainX * zoom, kGainY * zoom, 0, X11Test::kControlKey);
        EXPECT_NEAR (value (2), gain.defaultNormalizedValue, 1e-6) << "Ctrl-click: the default";
        detach ();
    }
    EXPECT_GT (moved[0], 0.);
    EXPECT_NEAR (moved[1], moved[0], 1e-6);
}

TEST_F (EditorWindow, BackgroundMenuAtTwoHundredPercentResizesTheWindowThroughThePlugFrame)
{
    instance->controller ()->setParamNormalized (1, 3 / 7.0);
    attachAt (2.f);
    // A right-click on the header opens the menu at the pointer, drawn at 200 % too.
    drag (180, 16, 0, X11Test::kNoModifier, 3);
    const std::vector<uint32_t> popups = input->popupWindows ();
    ASSERT_EQ (popups.size (), 1u);
    int popupX = 0, popupY = 0, popupWidth = 0, popupHeight = 0;
    ASSERT_TRUE (input->rootPosition (popups.front (), popupX, popupY));
    input->size (popups.front (), popupWidth, popupHeight);
    EXPECT_EQ (popupX, originX + 180);
    EXPECT_EQ (popupY, originY + 16);
    EXPECT_EQ (popupHeight, 2 * (5 * 18 + 2)) << "five rows of the menu at 200 %";

    // "Zoom 150 %" is the third row; the host's 2 times the user's 1.5 makes 540 x 900.
    clickAt (popupX + popupWidth / 2, popupY + 2 * (1 + 2 * 18 + 9));
    ASSERT_FALSE (plugFrame->resizeRequests ().empty ());
    EXPECT_EQ (plugFrame->resizeRequests ().back ().getWidth (), 540);
    EXPECT_EQ (plugFrame->resizeRequests ().back ().getHeight (), 900);
    int width = 0, height = 0;
    embeddedSize (width, height);
    EXPECT_EQ (width, 540);
    EXPECT_EQ (height, 900);
    EXPECT_TRUE (input->popupWindows ().empty ());

    // The knob is still where the zoom puts it: three times its 100 % place.
    const double before = value (2);
    drag (kGainX * 3, kGainY * 3, -60);
    EXPECT_GT (value (2), before);
}

}   // namespace
}   // namespace EditorTest
