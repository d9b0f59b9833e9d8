// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws one level of an open option menu (entries, separators, check marks, submenu arrows,
// the highlighted row) and hands pointer and key events to the popup session. It takes every
// mouse-down, inside or out, because a click outside closes the popup. Cut shorter than its
// entries (a menu taller than the screen), it scrolls: by the wheel, and to keep the
// highlighted row in sight.
#include "CView.h"
#include "SharedPointer.h"

namespace VSTGUI {

class CFontDesc;
class COptionMenu;
class OptionMenuPopup;

class OptionMenuPopupView : public CView
{
public:
    static constexpr CCoord kRowHeight = 18;
    static constexpr CCoord kSeparatorHeight = 7;
    static constexpr CCoord kBorder = 1;
    static constexpr CCoord kCheckColumn = 18;
    static constexpr CCoord kArrowColumn = 16;

    OptionMenuPopupView (OptionMenuPopup& session, size_t level, COptionMenu* menu, CFontDesc* font,
                         bool checkCurrent, CCoord minWidth);

    // The size the entries need, at least minWidth wide.
    static CPoint measure (COptionMenu* menu, CFontDesc* font, CCoord minWidth);

    void setHighlight (int32_t row);
    int32_t getHighlight () const { return highlighted; }
    int32_t rowAt (const CPoint& where) const;
    // Where a row is now, scrolling included; it may lie outside the view.
    CRect rowRect (int32_t row) const;

    // Shows only that much of the entries' height, scrolling the rest.
    void setVisibleHeight (CCoord height);
    CCoord getScrollOffset () const { return scrollOffset; }
    // Entry rows that fit in the view (what PageUp and PageDown move by).
    int32_t rowsPerPage () const;

    void draw (CDrawContext* context) override;
    bool hitTest (const CPoint&, const CButtonState&) const override { return true; }
    CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
    bool onWheel (const CPoint& where, const float& distance, const CButtonState& buttons) override;
    int32_t onKeyDown (VstKeyCode& key) override;
    bool wantsFocus () const override { return true; }

private:
    void drawRow (CDrawContext* context, int32_t row);
    // Small arrows at the ends that have entries scrolled out of sight.
    void drawScrollMarks (CDrawContext* context);
    void scrollTo (CCoord offset);
    void reveal (int32_t row);
    CRect interior () const;

    OptionMenuPopup& session;
    size_t level;
    COptionMenu* menu;
    SharedPointer<CFontDesc> font;
    bool checkCurrent;
    int32_t highlighted {-1};
    CCoord contentHeight;
    CCoord scrollOffset {0};
};

}   // namespace VSTGUI
