// SPDX-License-Identifier: GPL-3.0-or-later
// How the editor follows and edits the parameters: idle refresh, footswitch and lamp, and the
// shared bitmaps. The sizes a host may ask for are the zoom tests'.
#include "EditorTestSupport.h"
#include "gui/CButtonState.h"

namespace EditorTest {
namespace {

using EditorBehaviour = InProcessEditor;

CPoint centreInFrame (CView* view)
{
    CPoint centre = view->getViewSize ().getCenter ();
    return view->localToFrame (centre);
}

TEST_F (EditorBehaviour, IdleRedrawsOnlyWhatChangedAndOnlyOnce)
{
    selectModel (7);
    auto editor = openEditor ();
    CFrame* frame = editor->getFrame ();
    editor->idle ();   // the refresh of everything that opening flagged
    drawPending (frame);

    for (int i = 0; i <= 50; ++i)
        controller->setParamNormalized (2, i / 50.0);
    drawPending (frame);
    editor->idle ();
    CControl* gain = controls (editor).getControl (2);
    EXPECT_FLOAT_EQ (gain->getValueNormalized (), 1.f);
    ASSERT_EQ (frame->getDirtyRects ().size (), 1u) << "fifty notifications, one refresh";
    CRect gainInFrame = gain->getViewSize ();
    gainInFrame.offset (2, 19);
    EXPECT_EQ (frame->getDirtyRects ()[0], gainInFrame);
    drawPending (frame);

    editor->idle ();
    EXPECT_TRUE (frame->getDirtyRects ().empty ()) << "an idle with nothing pending draws nothing";

    // Indices the editor does not track are ignored, by the controller and by the editor itself.
    controller->setParamNormalized (10, 0.5);
    editor->parameterChanged (12, 0.5f);
    editor->markParameterPending (-1);
    editor->idle ();
    EXPECT_TRUE (frame->getDirtyRects ().empty ());
    closeEditor (editor);
}

// A click in a window is press and release at once; only here is the release seen apart. Knob
// gestures and Ctrl-click are the window suite's (EditorWindow). The lamp shows the effect state
// (the pictures do not tell its frames apart); the footswitch stays up.
TEST_F (EditorBehaviour, FootswitchTogglesOnThePressAndTheLampShowsTheState)
{
    selectModel (3);
    controller->setParamNormalized (0, 0.0);
    auto editor = openEditor ();
    CControl* lamp = controls (editor).getControl (11);
    CControl* footswitch = controls (editor).getControl (0);
    CPoint press = centreInFrame (footswitch);
    editor->getFrame ()->onMouseDown (press, CButtonState (kLButton));
    EXPECT_EQ (controller->getParamNormalized (0), 1.0);
    editor->getFrame ()->onMouseUp (press, CButtonState (kLButton));
    EXPECT_EQ (controller->getParamNormalized (0), 1.0) << "the release changes nothing";
    for (double state : {1.0, 0.0, 1.0})
    {
        controller->setParamNormalized (0, state);
        editor->idle ();
        EXPECT_FLOAT_EQ (lamp->getValueNormalized (), state > 0.5 ? 1.f / 3.f : 0.f);
        EXPECT_FLOAT_EQ (footswitch->getValueNormalized (), 0.f);
    }
    closeEditor (editor);
}

// One bitmap store for all editors of the process, made by the first and freed by the last.
// Each follows the controller while open; a closed one hears nothing, keeps its controls and
// shows the values of the moment when it opens again.
TEST_F (EditorBehaviour, EditorsShareTheBitmapsAndAReopenedOneShowsTheCurrentValues)
{
    ASSERT_EQ (CMVXStravelGUIEditor::getGUIContainer (), nullptr);
    auto first = openEditor ();
    CMVXStravelGUIContainer* store = CMVXStravelGUIEditor::getGUIContainer ();
    ASSERT_NE (store, nullptr);
    EXPECT_EQ (store->getBitmapCount (), 23);
    auto second = openEditor ();
    EXPECT_EQ (CMVXStravelGUIEditor::getGUIContainer (), store);
    CControl* footswitch = controls (first).getControl (0);
    EXPECT_EQ (footswitch->getBackground (), controls (second).getControl (0)->getBackground ());
    selectModel (2);
    EXPECT_EQ (controls (first).getShownModel (), 2);
    EXPECT_EQ (controls (second).getShownModel (), 2);

    closeEditor (first);
    EXPECT_EQ (first->getFrame (), nullptr);
    selectModel (5);
    controller->setParamNormalized (3, 0.25);
    EXPECT_EQ (controls (first).getShownModel (), 2) << "a closed editor hears nothing";
    EXPECT_EQ (controls (second).getShownModel (), 5);
    ASSERT_TRUE (first->open (nullptr, PlatformType::kDefaultNative, nullptr));
    EXPECT_EQ (controls (first).getControl (0), footswitch);
    EXPECT_EQ (controls (first).getShownModel (), 5);
    EXPECT_FLOAT_EQ (controls (first).getControl (3)->getValueNormalized (), 0.25f);
    first->close ();
    first = nullptr;
    EXPECT_EQ (CMVXStravelGUIEditor::getEditorCount (), 1);
    EXPECT_EQ (CMVXStravelGUIEditor::getGUIContainer (), store);
    closeEditor (second);
    second = nullptr;
    EXPECT_EQ (CMVXStravelGUIEditor::getGUIContainer (), nullptr);
}

}   // namespace
}   // namespace EditorTest
