// SPDX-License-Identifier: GPL-3.0-or-later
// Option menus: entries and current index, and the popup driven by mouse and keys offscreen.
#include "GuiTestSupport.h"
#include "gui/COptionMenu.h"
#include "gui/OptionMenuPopupView.h"
#include "gui/PopupPlacement.h"
#include <gtest/gtest.h>

using namespace GuiTest;

namespace {

constexpr CCoord kRow = OptionMenuPopupView::kRowHeight;
constexpr CCoord kSep = OptionMenuPopupView::kSeparatorHeight;
constexpr CCoord kTop = OptionMenuPopupView::kBorder;

// Menu at (3, 20)-(138, 40): the popup opens at (3, 40) in this offscreen frame.
struct MenuFixture : ::testing::Test
{
    MenuFixture ()
    {
        menu =
            new COptionMenu (CRect (3, 20, 138, 40), &recorder, 12, nullptr, nullptr, kPopupStyle);
        menu->addEntry ("Alpha");   // 0
        menu->addEntry ("Beta", -1, CMenuItem::kDisabled);   // 1
        menu->addSeparator ();   // 2
        menu->addEntry ("Gamma");   // 3
        submenu = new COptionMenu ();
        submenu->addEntry ("One");
        submenu->addEntry ("Two");
        menu->addEntry (submenu, "More");   // 4
        submenu->forget ();
        frame->addView (menu);
    }

    // Centre of row i of the top popup, in its frame's coordinates.
    static CPoint rowCentre (int i)
    {
        CCoord y = kTop;
        const CCoord heights[] = {kRow, kRow, kSep, kRow, kRow};
        for (int k = 0; k < i; ++k)
            y += heights[k];
        return {20, y + heights[i] / 2};
    }
    CFrame* popup (size_t level = 0) const { return menu->getPopupFrame (level); }
    void click (CFrame* f, const CPoint& p) const
    {
        CPoint where = p;
        f->onMouseDown (where, CButtonState (kLButton));
    }
    void hover (CFrame* f, const CPoint& p) const
    {
        CPoint where = p;
        f->onMouseMoved (where, CButtonState ());
    }
    int32_t key (uint8_t virt) const
    {
        VstKeyCode k;
        k.virt = virt;
        return popup ()->onKeyDown (k);
    }

    OffscreenFrame frame;
    Recorder recorder;
    COptionMenu* menu;
    COptionMenu* submenu;
};

}   // namespace

TEST_F (MenuFixture, IndicesValueAndRemovalFollowTheEntries)
{
    EXPECT_EQ (menu->getNbEntries (), 5);
    EXPECT_EQ (menu->getMax (), 4.f);
    EXPECT_TRUE (menu->setCurrent (2, false));   // the third entry that is not a separator
    EXPECT_EQ (menu->getCurrentIndex (true), 3);
    EXPECT_EQ (menu->getCurrentIndex (), 2);
    EXPECT_EQ (menu->getCurrent ()->getTitle (), "Gamma");
    menu->setValueNormalized (0.25f);   // 0.25 x 4 = entry 1
    EXPECT_EQ (menu->getCurrentIndex (true), 1);
    menu->setValueNormalized (0.7499f);   // 2.9996: rounding, not truncation
    EXPECT_EQ (menu->getCurrentIndex (true), 3);
    EXPECT_FALSE (menu->setCurrent (9));
    EXPECT_TRUE (menu->removeEntry (0));
    EXPECT_EQ (menu->getCurrent ()->getTitle (), "Gamma");
    EXPECT_EQ (menu->getMax (), 3.f);
    menu->removeAllEntry ();
    EXPECT_EQ (menu->getNbEntries (), 0);
    EXPECT_FALSE (menu->popup ());
}

TEST_F (MenuFixture, ClickOpensBelowWithCurrentHighlightedAndHoverClickSelects)
{
    menu->setCurrent (3);
    frame.down (50, 30);
    ASSERT_NE (popup (), nullptr);
    EXPECT_EQ (popup ()->getViewSize ().getHeight (), 4 * kRow + kSep + 2 * kTop);
    EXPECT_GE (popup ()->getViewSize ().getWidth (), menu->getWidth ());
    auto* view = static_cast<OptionMenuPopupView*> (popup ()->getView (0));
    EXPECT_EQ (view->getHighlight (), 3);

    hover (popup (), rowCentre (1));   // disabled: the highlight stays
    EXPECT_EQ (view->getHighlight (), 3);
    hover (popup (), rowCentre (0));
    EXPECT_EQ (view->getHighlight (), 0);
    click (popup (), rowCentre (2));   // separator: nothing happens
    click (popup (), rowCentre (1));   // disabled: nothing happens
    ASSERT_NE (popup (), nullptr);
    EXPECT_TRUE (recorder.values.empty ());

    click (popup (), rowCentre (0));
    EXPECT_EQ (popup (), nullptr);
    EXPECT_EQ (menu->getCurrentIndex (true), 0);
    EXPECT_EQ (recorder.values, (std::vector<float> {0.f}));
    EXPECT_EQ (recorder.begins, 1);
    EXPECT_EQ (recorder.ends, 1);
}

TEST_F (MenuFixture, KeysSkipSeparatorsAndDisabledEntriesAndReturnSelects)
{
    menu->setCurrent (0);
    menu->popup ();
    key (VKEY_DOWN);   // skips "Beta" and the separator
    EXPECT_EQ (static_cast<OptionMenuPopupView*> (popup ()->getView (0))->getHighlight (), 3);
    key (VKEY_UP);
    key (VKEY_UP);   // stays on the first selectable entry
    EXPECT_EQ (static_cast<OptionMenuPopupView*> (popup ()->getView (0))->getHighlight (), 0);
    key (VKEY_DOWN);
    EXPECT_EQ (key (VKEY_RETURN), 1);
    EXPECT_EQ (popup (), nullptr);
    EXPECT_EQ (menu->getCurrentIndex (true), 3);
    EXPECT_EQ (menu->getCurrentIndex (), 2);
    EXPECT_EQ (recorder.values.size (), 1u);

    // Home, End and PageUp land on selectable entries; typed letters find entries by name.
    menu->popup ();
    const auto highlighted = [&] {
        return static_cast<OptionMenuPopupView*> (popup ()->getView (0))->getHighlight ();
    };
    const std::pair<VstKeyCode, int32_t> steps[] = {
        {{0, VKEY_END, 0}, 4},    {{0, VKEY_HOME, 0}, 0}, {{0, VKEY_PAGEDOWN, 0}, 4},
        {{0, VKEY_PAGEUP, 0}, 0}, {{'g', 0, 0}, 3},       {{'M', 0, 0}, 4},
        {{'a', 0, 0}, 0}};
    for (auto [code, expected] : steps)
    {
        popup ()->onKeyDown (code);
        EXPECT_EQ (highlighted (), expected) << int (code.virt) << " " << char (code.character);
    }
}

TEST_F (MenuFixture, EscapeAndAClickOutsideCloseWithoutAChange)
{
    menu->setCurrent (3);
    menu->popup ();
    key (VKEY_UP);
    key (VKEY_ESCAPE);
    EXPECT_EQ (popup (), nullptr);
    menu->popup ();
    click (popup (), CPoint (-50, -10));
    EXPECT_EQ (popup (), nullptr);
    EXPECT_EQ (menu->getCurrentIndex (true), 3);
    EXPECT_TRUE (recorder.values.empty ());
    EXPECT_EQ (recorder.begins, 0);
}

TEST_F (MenuFixture, SubmenuOpensBesideAndReportsThroughTheTopMenu)
{
    menu->popup ();
    hover (popup (), rowCentre (4));
    ASSERT_NE (popup (1), nullptr);
    EXPECT_EQ (popup (1)->getViewSize ().getHeight (), 2 * kRow + 2 * kTop);
    // Keys go to the deepest level: Left closes it, Right opens it again on its first entry.
    key (VKEY_LEFT);
    EXPECT_EQ (popup (1), nullptr);
    key (VKEY_RIGHT);
    ASSERT_NE (popup (1), nullptr);
    key (VKEY_DOWN);
    key (VKEY_RETURN);
    EXPECT_EQ (popup (), nullptr);
    int32_t index = -1;
    EXPECT_EQ (menu->getLastItemMenu (index), submenu);
    EXPECT_EQ (index, 1);
    EXPECT_EQ (submenu->getCurrentIndex (), 1);
    EXPECT_EQ (recorder.values.size (), 1u);
}

TEST (PopupPlacement, StaysInsideASmallScreenFlippingShiftingAndScrolling)
{
    const CRect screen (0, 30, 400, 300);   // a panel takes the top 30 pixels
    struct Case
    {
        const char* what;
        CRect anchor;
        CPoint size;
        PopupSide side;
        CRect expected;
        bool scrolls;
    };
    constexpr PopupSide kBelow = PopupSide::kBelow, kRight = PopupSide::kRight;
    // clang-format off
    const Case cases[] = {
        {"room below",     {10, 100, 110, 120},  {100, 80},  kBelow, {10, 120, 110, 200},  false},
        {"upward",         {10, 250, 110, 270},  {100, 80},  kBelow, {10, 170, 110, 250},  false},
        {"shifted left",   {350, 100, 390, 120}, {100, 80},  kBelow, {300, 120, 400, 200}, false},
        {"pushed in",      {10, 120, 110, 140},  {100, 200}, kBelow, {10, 100, 110, 300},  false},
        {"scrolls",        {10, 250, 110, 270},  {100, 500}, kBelow, {10, 30, 110, 300},   true},
        {"submenu: left",  {200, 100, 380, 118}, {100, 80},  kRight, {100, 100, 200, 180}, false},
        {"submenu: up",    {100, 280, 200, 298}, {100, 80},  kRight, {200, 220, 300, 300}, false},
    };
    // clang-format on
    for (const Case& c : cases)
    {
        const PopupPlacement placed = placePopup (c.anchor, c.size, screen, c.side);
        EXPECT_EQ (placed.rect, c.expected) << c.what;
        EXPECT_EQ (placed.scrolls, c.scrolls) << c.what;
    }
    // Without a known work area the popup goes where its side puts it.
    EXPECT_EQ (placePopup ({10, 250, 110, 270}, {100, 80}, CRect (), PopupSide::kBelow).rect,
               CRect (10, 270, 110, 350));
}
