// SPDX-License-Identifier: GPL-3.0-or-later
// What the window holds for each model: faces, knobs, footswitch, lamp and the preset bar, at
// the places of the layout tables, and how the pedal is rebuilt when the model changes.
#include "EditorTestSupport.h"
#include "gui/CKickButton.h"
#include "gui/CMovieBitmap.h"
#include "gui/COptionMenu.h"
#include "gui/CTextEdit.h"
#include "resources/artwork/FaceLayout.h"

namespace EditorTest {
namespace {

struct Knob
{
    int32_t tag;
    CRect rect; // in the pedal container
};

struct ModelLayout
{
    int32_t strip;
    std::vector<Knob> knobs;
    int32_t footswitchBitmap;
    CRect footswitch;
};

// Rows of three sit at x 24, 70, 116; a second row 50 pixels lower.
const ModelLayout kExpected[8] = {
    {0, {}, 100, CRect (67, 167, 111, 210)},
    {300,
     {{2, CRect (46, 34, 86, 74)}, {3, CRect (93, 34, 133, 74)}},
     100,
     CRect (67, 167, 111, 210)},
    {302,
     {{2, CRect (24, 34, 64, 74)}, {4, CRect (70, 34, 110, 74)}, {3, CRect (116, 34, 156, 74)}},
     100,
     CRect (67, 167, 111, 210)},
    {301,
     {{2, CRect (24, 34, 64, 74)}, {4, CRect (70, 34, 110, 74)}, {3, CRect (116, 34, 156, 74)}},
     101,
     CRect (0, 138, 171, 216)},
    {301,
     {{2, CRect (24, 34, 64, 74)}, {4, CRect (70, 34, 110, 74)}, {3, CRect (116, 34, 156, 74)}},
     101,
     CRect (0, 138, 171, 216)},
    {303,
     {{2, CRect (24, 34, 64, 74)}, {4, CRect (70, 34, 110, 74)}, {3, CRect (116, 34, 156, 74)}},
     102,
     CRect (48, 170, 133, 211)},
    {303,
     {{2, CRect (24, 34, 64, 74)}, {4, CRect (70, 34, 110, 74)}, {3, CRect (116, 34, 156, 74)}},
     102,
     CRect (48, 170, 133, 211)},
    {301,
     {{2, CRect (24, 34, 64, 74)},
      {3, CRect (70, 34, 110, 74)},
      {4, CRect (116, 34, 156, 74)},
      {5, CRect (24, 84, 64, 124)},
      {6, CRect (70, 84, 110, 124)},
      {7, CRect (116, 84, 156, 124)}},
     101,
     CRect (0, 138, 171, 216)},
};

using EditorLayout = InProcessEditor;

TEST_F (EditorLayout, EachModelShowsItsFaceKnobsFootswitchAndLamp)
{
    auto editor = openEditor ();
    CMVXStravelGUIContainer* bitmaps = CMVXStravelGUIEditor::getGUIContainer ();
    for (int model : {3, 0, 7, 1, 5, 2, 6, 4})
    {
        SCOPED_TRACE ("model " + std::to_string (model));
        selectModel (model);
        const ModelLayout& expected = kExpected[model];
        CMVXOvermoorCtrlSet& set = controls (editor);
        EXPECT_EQ (set.getShownModel (), model);
        EXPECT_EQ (set.getPedalContainer ()->getViewSize (), CRect (2, 19, 182, 239));
        EXPECT_EQ (static_cast<int> (set.getFace ()->getValueNormalized () * 7 + 0.5f), model);

        const auto knobs = shownKnobs (editor);
        ASSERT_EQ (knobs.size (), expected.knobs.size ());
        for (const Knob& knob : expected.knobs)
        {
            ASSERT_TRUE (knobs.count (knob.tag)) << "tag " << knob.tag;
            CAnimKnob* shown = knobs.at (knob.tag);
            EXPECT_EQ (shown->getViewSize (), knob.rect) << "tag " << knob.tag;
            EXPECT_EQ (shown->getBackground (), bitmaps->getBitmap (expected.strip));
            EXPECT_EQ (shown->getNumSubPixmaps (), 140);
            EXPECT_EQ (shown->getHeightOfOneImage (), 40);
            EXPECT_EQ (shown->getListener (), editor.get ());
        }

        // The face paints scales and seats where these controls land, and the about view's
        // little pedals are drawn from the same description.
        const auto& face = Morvane::Artwork::FaceLayout::model (model);
        EXPECT_EQ (face.knobStrip, expected.strip);
        ASSERT_EQ (face.knobCount, static_cast<int> (expected.knobs.size ()));
        for (int i = 0; i < face.knobCount; ++i)
            EXPECT_EQ (CPoint (face.knobs[i].left, face.knobs[i].top),
                       expected.knobs[i].rect.getTopLeft ());
        const auto seat = Morvane::Artwork::FaceLayout::footswitchPlace (face.footswitchStyle);
        EXPECT_EQ (100 + face.footswitchStyle, expected.footswitchBitmap);
        EXPECT_EQ (CPoint (seat.left, seat.top), expected.footswitch.getTopLeft ());

        auto* footswitch = dynamic_cast<CKickButton*> (set.getControl (0));
        ASSERT_NE (footswitch, nullptr);
        EXPECT_TRUE (set.getPedalContainer ()->isChild (footswitch));
        EXPECT_EQ (footswitch->getViewSize (), expected.footswitch);
        EXPECT_EQ (footswitch->getMouseableArea (), expected.footswitch);
        EXPECT_EQ (footswitch->getBackground (), bitmaps->getBitmap (expected.footswitchBitmap));
        EXPECT_EQ (footswitch->getHeightOfOneImage (), expected.footswitch.getHeight ());

        auto* lamp = dynamic_cast<CMovieBitmap*> (set.getControl (11));
        ASSERT_NE (lamp, nullptr);
        EXPECT_TRUE (set.getPedalContainer ()->isChild (lamp));
        EXPECT_EQ (lamp->getViewSize (), CRect (73, 10, 109, 30));
        EXPECT_EQ (lamp->getNumSubPixmaps (), 4);

        auto* selector = dynamic_cast<COptionMenu*> (set.getControl (1));
        ASSERT_NE (selector, nullptr);
        EXPECT_FLOAT_EQ (selector->getValueNormalized (), model / 7.f);
    }
}

TEST_F (EditorLayout, PresetBarControlsSitWhereTheTableSays)
{
    auto editor = openEditor ();
    CMVXOvermoorCtrlSet& set = controls (editor);
    CViewContainer* root = set.getRootView ();
    EXPECT_EQ (root->getViewSize (), CRect (0, 0, 180, 300));
    EXPECT_EQ (editor->getFrame ()->getViewSize (), CRect (0, 0, 180, 300));

    struct Menu
    {
        int32_t tag;
        CRect rect;
        int32_t style;
    };
    for (const Menu& menu : {Menu{1, CRect (3, 256, 138, 276), kPopupStyle},
                             Menu{15, CRect (139, 258, 176, 275), kCheckStyle},
                             Menu{13, CRect (139, 279, 176, 296), kCheckStyle},
                             Menu{12, CRect (3, 277, 138, 297), kPopupStyle}})
    {
        auto* control = dynamic_cast<COptionMenu*> (set.getControl (menu.tag));
        ASSERT_NE (control, nullptr) << "tag " << menu.tag;
        EXPECT_TRUE (root->isChild (control)) << "tag " << menu.tag;
        EXPECT_EQ (control->getViewSize (), menu.rect) << "tag " << menu.tag;
        EXPECT_EQ (control->getStyle (), menu.style) << "tag " << menu.tag;
        EXPECT_EQ (control->getFont ()->getName (), "Tahoma");
        EXPECT_EQ (control->getFontColor (), kWhiteCColor);
    }
    EXPECT_EQ (dynamic_cast<COptionMenu*> (set.getControl (1))->getNbEntries (), 8);
    const CMVXLayoutRect unknownKey = CMVXStravelGUIEditor::getGUIContainer ()->getLayoutRect (17);
    EXPECT_EQ (unknownKey.left + unknownKey.top + unknownKey.right + unknownKey.bottom, 0);
    auto* hidden = set.getControl (14);
    ASSERT_NE (hidden, nullptr);
    EXPECT_FALSE (hidden->isAttached ());

    CViewContainer* panel = set.getNamePanel ();
    EXPECT_FALSE (panel->isAttached ()) << "the name panel is shown on demand only";
    EXPECT_EQ (panel->getViewSize (), CRect (0, 276, 180, 300));
    EXPECT_EQ (set.getControl (16)->getViewSize (), CRect (4, 2, 135, 19));
    EXPECT_EQ (set.getControl (17)->getViewSize (), CRect (138, 1, 156, 18));
    EXPECT_EQ (set.getControl (18)->getViewSize (), CRect (156, 1, 174, 18));
    for (int32_t tag : {16, 17, 18})
        EXPECT_TRUE (panel->isChild (set.getControl (tag))) << "tag " << tag;

    set.showNamePanel ();
    EXPECT_EQ (panel->getParentView (), root);
    EXPECT_EQ (dynamic_cast<CTextEdit*> (set.getControl (16))->getText (),
               std::string ("New Preset"));
    set.hideNamePanel ();
    EXPECT_FALSE (panel->isAttached ());
}

// A model is built once: the idle refresh and a repeated value keep the same knobs; a new model
// replaces them, and knobs of tags it does not use leave the pedal.
TEST_F (EditorLayout, PedalIsRebuiltOnlyWhenTheModelChanges)
{
    auto editor = openEditor ();
    selectModel (7);
    const auto metalKnobs = shownKnobs (editor);
    ASSERT_EQ (metalKnobs.size (), 6u);
    editor->idle ();
    selectModel (7);
    controller->setParamNormalized (1, 7 / 7.0 - 0.01); // still rounds to model 7
    editor->idle ();
    EXPECT_EQ (shownKnobs (editor), metalKnobs);

    selectModel (1);
    const auto xxlKnobs = shownKnobs (editor);
    ASSERT_EQ (xxlKnobs.size (), 2u);
    EXPECT_NE (xxlKnobs.at (2), metalKnobs.at (2));
    EXPECT_EQ (controls (editor).getControl (5), metalKnobs.at (5))
        << "unused tags keep their old, hidden knob";

    // The same strip and knob places, but a different face: knobs made anew.
    selectModel (3);
    const auto overDrive = shownKnobs (editor);
    selectModel (4);
    EXPECT_NE (shownKnobs (editor).at (2), overDrive.at (2));
    EXPECT_EQ (controls (editor).getShownModel (), 4);
}

} // namespace
} // namespace EditorTest
