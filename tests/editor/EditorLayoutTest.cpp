// SPDX-License-Identifier: GPL-3.0-or-later
// What the window holds beyond what its pictures show: which parameter each knob turns, the
// preset bar's hidden parts, and how the pedal is rebuilt when the model changes.
#include "EditorTestSupport.h"
#include "gui/COptionMenu.h"
#include "gui/CTextEdit.h"
#include <algorithm>

namespace EditorTest {
namespace {

// The parameter of each knob in reading order (rows top down, each left to right). Where the
// knobs, faces, footswitches and lamp are is seen by the bundle's snapshot of each model; which
// parameter a knob turns is not, as long as the two share a value.
const std::vector<int32_t> kKnobTags[8] = {{},        {2, 3},    {2, 4, 3}, {2, 4, 3},
                                           {2, 4, 3}, {2, 4, 3}, {2, 4, 3}, {2, 3, 4, 5, 6, 7}};

using EditorLayout = InProcessEditor;

TEST_F (EditorLayout, EachModelsKnobsTurnItsParametersInReadingOrder)
{
    auto editor = openEditor ();
    for (int model : {3, 0, 7, 1, 5, 2, 6, 4})
    {
        SCOPED_TRACE ("model " + std::to_string (model));
        selectModel (model);
        EXPECT_EQ (controls (editor).getShownModel (), model);
        std::vector<std::pair<CPoint, int32_t>> placed;
        for (const auto& [tag, knob] : shownKnobs (editor))
        {
            EXPECT_EQ (knob->getListener (), editor.get ()) << "tag " << tag;
            placed.push_back ({knob->getViewSize ().getTopLeft (), tag});
        }
        std::sort (placed.begin (), placed.end (), [] (const auto& a, const auto& b) {
            return a.first.y != b.first.y ? a.first.y < b.first.y : a.first.x < b.first.x;
        });
        std::vector<int32_t> tags;
        for (const auto& knob : placed)
            tags.push_back (knob.second);
        EXPECT_EQ (tags, kKnobTags[model]);
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
    for (const Menu& menu : {Menu {1, CRect (3, 256, 138, 276), kPopupStyle},
                             Menu {15, CRect (139, 258, 176, 275), kCheckStyle},
                             Menu {13, CRect (139, 279, 176, 296), kCheckStyle},
                             Menu {12, CRect (3, 277, 138, 297), kPopupStyle}})
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
    controller->setParamNormalized (1, 7 / 7.0 - 0.01);   // still rounds to model 7
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

}   // namespace
}   // namespace EditorTest
