// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws one level of an open option menu (entries, separators, check marks, submenu arrows,
// the highlighted row) and hands pointer and key events to the popup session. It takes every
// mouse-down, inside or out, because a click outside closes the popup.
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
    CRect rowRect (int32_t row) const;

    void draw (CDrawContext* context) override;
    bool hitTest (const CPoint&, const CButtonState&) const override { return true; }
    CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
    int32_t onKeyDown (VstKeyCode& key) override;
    bool wantsFocus () const override { return true; }

private:
    void drawRow (CDrawContext* context, int32_t row);

    OptionMenuPopup& session;
    size_t level;
    COptionMenu* menu;
    SharedPointer<CFontDesc> font;
    bool checkCurrent;
    int32_t highlighted {-1};
};

} // namespace VSTGUI
