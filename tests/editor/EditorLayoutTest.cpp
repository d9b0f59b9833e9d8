// SPDX-License-Identifier: GPL-3.0-or-later
// What the window holds beyond what its pictures show: which parameter each knob turns, the
// preset bar's finer parts, and when the pedal is rebuilt.
#include "EditorTestSupport.h"
#include "gui/COptionMenu.h"
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

// What the pictures' tolerance lets pass: the name panel's parts a pixel off, and the save and
// info menus, which tick their current entry in the popup and draw no title.
TEST_F (EditorLayout, NamePanelPartsAndMenuStylesAreTheTables)
{
    auto editor = openEditor ();
    CMVXOvermoorCtrlSet& set = controls (editor);
    EXPECT_EQ (set.getControl (16)->getViewSize (), CRect (4, 2, 135, 19));
    EXPECT_EQ (set.getControl (17)->getViewSize (), CRect (138, 1, 156, 18));
    EXPECT_EQ (set.getControl (18)->getViewSize (), CRect (156, 1, 174, 18));
    for (int32_t tag : {13, 15})
        EXPECT_EQ (dynamic_cast<COptionMenu*> (set.getControl (tag))->getStyle (), kCheckStyle);
}

// A model is built once: a repeated value, even one just below it, keeps the knobs (and a drag
// on one goes on); another model replaces them.
TEST_F (EditorLayout, PedalIsRebuiltOnlyWhenTheModelChanges)
{
    auto editor = openEditor ();
    selectModel (7);
    const auto metalKnobs = shownKnobs (editor);
    ASSERT_EQ (metalKnobs.size (), 6u);
    editor->idle ();
    selectModel (7);
    controller->setParamNormalized (1, 7 / 7.0 - 0.01);
    editor->idle ();
    EXPECT_EQ (shownKnobs (editor), metalKnobs);
    selectModel (5);
    EXPECT_NE (shownKnobs (editor).at (2), metalKnobs.at (2));
}

}   // namespace
}   // namespace EditorTest
