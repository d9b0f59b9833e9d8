// SPDX-License-Identifier: GPL-3.0-or-later
// Knob and kick-button gestures as a user makes them, counted at the listener.
#include "GuiTestSupport.h"
#include "gui/CAnimKnob.h"
#include "gui/CBitmap.h"
#include "gui/CKickButton.h"
#include "gui/CMovieBitmap.h"
#include <gtest/gtest.h>

using namespace GuiTest;

namespace {

struct KnobFixture : ::testing::Test
{
    KnobFixture ()
    {
        strip = owned (new CBitmap (40, 40 * 140));
        knob = new CAnimKnob (CRect (20, 20, 60, 60), &recorder, 3, 140, 40, strip);
        knob->setDefaultValue (0.25f);
        frame->addView (knob);
    }

    OffscreenFrame frame;
    Recorder recorder;
    SharedPointer<CBitmap> strip;
    CAnimKnob* knob;
};

}   // namespace

TEST_F (KnobFixture, DragIsOneGestureOverAboutOneHundredFiftyPixels)
{
    knob->setValueNormalized (0.f);
    frame.down (40, 50);
    for (int y = 49; y >= -100; --y)
        frame.move (40, y);
    frame.up (40, -100);
    EXPECT_EQ (recorder.begins, 1);
    EXPECT_EQ (recorder.ends, 1);
    EXPECT_FLOAT_EQ (knob->getValueNormalized (), 1.f);   // 150 px up: the whole range
    // Every pixel moved the value, and it only ever grew.
    EXPECT_EQ (recorder.values.size (), 150u);
    EXPECT_TRUE (std::is_sorted (recorder.values.begin (), recorder.values.end ()));
    EXPECT_EQ (knob->getFrameIndex (), 139);

    // Moves after the release go nowhere.
    frame.move (40, 200);
    EXPECT_FLOAT_EQ (knob->getValueNormalized (), 1.f);
}

TEST_F (KnobFixture, ShiftDragsTenTimesFinerAndReanchorsWhenPressedMidDrag)
{
    knob->setValueNormalized (0.5f);
    frame.down (40, 40);
    frame.move (40, 10);   // 30 px coarse: +0.2
    EXPECT_NEAR (knob->getValueNormalized (), 0.7f, 1e-6);
    frame.move (40, 10, kLButton | kShift);   // Shift pressed: no jump
    EXPECT_NEAR (knob->getValueNormalized (), 0.7f, 1e-6);
    frame.move (40, 40, kLButton | kShift);   // 30 px fine down: -0.02
    EXPECT_NEAR (knob->getValueNormalized (), 0.68f, 1e-6);
    frame.up (40, 40);
    EXPECT_EQ (recorder.begins, 1);
    EXPECT_EQ (recorder.ends, 1);
}

TEST_F (KnobFixture, CtrlClickResetsToTheDefaultAsOneGesture)
{
    knob->setValueNormalized (0.9f);
    EXPECT_EQ (frame.down (40, 40, kLButton | kControl),
               kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    frame.move (40, 0);   // no drag follows a reset
    frame.up (40, 0);
    EXPECT_FLOAT_EQ (knob->getValueNormalized (), 0.25f);
    EXPECT_EQ (recorder.begins, 1);
    EXPECT_EQ (recorder.ends, 1);
    ASSERT_EQ (recorder.values.size (), 1u);

    // Other buttons and Ctrl with Shift are no reset.
    frame.down (40, 40, kRButton | kControl);
    frame.down (40, 40, kLButton | kControl | kShift);
    frame.up (40, 40);
    EXPECT_FLOAT_EQ (knob->getValueNormalized (), 0.25f);
}

TEST_F (KnobFixture, WheelStepsClampAndBracketEachStep)
{
    knob->setValueNormalized (0.5f);
    EXPECT_TRUE (frame->onWheel (CPoint (40, 40), 1.f, CButtonState ()));
    EXPECT_NEAR (knob->getValueNormalized (), 0.6f, 1e-6);
    frame->onWheel (CPoint (40, 40), -1.f, CButtonState (kShift));
    EXPECT_NEAR (knob->getValueNormalized (), 0.59f, 1e-6);
    for (int i = 0; i < 20; ++i)
        frame->onWheel (CPoint (40, 40), 1.f, CButtonState ());
    EXPECT_FLOAT_EQ (knob->getValueNormalized (), 1.f);
    EXPECT_EQ (recorder.begins, 22);
    EXPECT_EQ (recorder.ends, 22);
    // Outside the knob nothing turns.
    EXPECT_FALSE (frame->onWheel (CPoint (100, 100), -1.f, CButtonState ()));
}

TEST_F (KnobFixture, RemovalMidDragStillEndsTheGesture)
{
    frame.down (40, 40);
    frame.move (40, 30);
    frame->removeView (knob);
    EXPECT_EQ (recorder.begins, 1);
    EXPECT_EQ (recorder.ends, 1);
    frame.up (40, 30);
    EXPECT_EQ (recorder.ends, 1);
}

TEST (KickButton, PressReportsOneReleaseReportsZeroAndFramesFollow)
{
    OffscreenFrame frame;
    Recorder recorder;
    auto bitmap = owned (new CBitmap (44, 86));
    auto* button = new CKickButton (CRect (10, 10, 54, 53), &recorder, 0, bitmap);
    frame->addView (button);
    EXPECT_EQ (button->getHeightOfOneImage (), 43);

    frame.down (30, 30);
    EXPECT_EQ (button->getValue (), 1.f);
    frame.move (200, 200);   // dragging off does not report again
    frame.up (200, 200);
    EXPECT_EQ (button->getValue (), 0.f);
    EXPECT_EQ (recorder.values, (std::vector<float> {1.f, 0.f}));
    EXPECT_EQ (recorder.begins, 1);
    EXPECT_EQ (recorder.ends, 1);

    // A right click is not a press.
    frame.down (30, 30, kRButton);
    EXPECT_EQ (recorder.values.size (), 2u);
}

TEST (KickButton, APressWhosePanelLeavesTheWindowEndsAndTheNextPressCounts)
{
    // The listener closes the panel on the press, as a dialog's OK button does.
    struct Closer : Recorder
    {
        void valueChanged (CControl* c) override
        {
            Recorder::valueChanged (c);
            if (c->getValue () == 1.f && panel->isAttached ())
                frame->removeView (panel, false);
        }
        CFrame* frame {nullptr};
        CViewContainer* panel {nullptr};
    };
    OffscreenFrame frame;
    Closer closer;
    auto* panel = new CViewContainer (CRect (0, 0, 100, 100));
    panel->addView (new CKickButton (CRect (10, 10, 54, 53), &closer, 0, nullptr));
    closer.frame = frame.frame;
    closer.panel = panel;
    for (int press = 0; press < 2; ++press)
    {
        frame->addView (panel);
        frame.down (30, 30);
        frame.up (30, 30);
    }
    EXPECT_EQ (closer.values, (std::vector<float> {1.f, 0.f, 1.f, 0.f}));
    EXPECT_EQ (closer.ends, 2);
    panel->forget ();
}

TEST (MovieBitmap, FrameIsValueTimesFramesMinusOneRounded)
{
    auto strip = owned (new CBitmap (180, 1760));
    auto movie = owned (new CMovieBitmap (CRect (0, 0, 180, 220), nullptr, -1, 8, 220, strip));
    const std::pair<float, int32_t> cases[] = {
        {0.f, 0}, {0.0714f, 0}, {0.0715f, 1}, {3.f / 7, 3}, {1.f, 7}};
    for (auto [value, frame] : cases)
    {
        movie->setValueNormalized (value);
        EXPECT_EQ (movie->getFrameIndex (), frame) << value;
    }
}
