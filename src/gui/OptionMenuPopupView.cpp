// SPDX-License-Identifier: GPL-3.0-or-later
#include "OptionMenuPopupView.h"
#include "CDrawContext.h"
#include "CFontDesc.h"
#include "COptionMenu.h"
#include "OptionMenuPopup.h"
#include "platform/IPlatformFont.h"

namespace VSTGUI {
namespace {

constexpr CColor kPopupBack (34, 34, 36);
constexpr CColor kPopupBorder (112, 112, 116);
constexpr CColor kPopupText (236, 236, 236);
constexpr CColor kPopupDisabledText (118, 118, 122);
constexpr CColor kPopupHighlight (190, 110, 38);
constexpr CColor kPopupSeparator (78, 78, 82);

CCoord rowHeightOf (const CMenuItem* item)
{
    return item->isSeparator () ? OptionMenuPopupView::kSeparatorHeight
                                : OptionMenuPopupView::kRowHeight;
}

}   // namespace

OptionMenuPopupView::OptionMenuPopupView (OptionMenuPopup& s, size_t l, COptionMenu* m,
                                          CFontDesc* f, bool check, CCoord minWidth)
: CView (CRect (CPoint (), measure (m, f, minWidth))), session (s), level (l), menu (m), font (f),
  checkCurrent (check), contentHeight (size.getHeight ())
{
    setWantsFocus (true);
}

void OptionMenuPopupView::setVisibleHeight (CCoord height)
{
    CRect r = size;
    r.setHeight (std::min (height, contentHeight));
    setViewSize (r);
    setMouseableArea (r);
    scrollTo (scrollOffset);
    reveal (highlighted);
}

CRect OptionMenuPopupView::interior () const
{
    CRect r = size;
    return r.inset (kBorder, kBorder);
}

int32_t OptionMenuPopupView::rowsPerPage () const
{
    return std::max (1, static_cast<int32_t> (interior ().getHeight () / kRowHeight));
}

void OptionMenuPopupView::scrollTo (CCoord offset)
{
    offset = std::max<CCoord> (0, std::min (offset, contentHeight - size.getHeight ()));
    if (offset == scrollOffset)
        return;
    scrollOffset = offset;
    invalid ();
}

void OptionMenuPopupView::reveal (int32_t row)
{
    if (!menu->getEntry (row))
        return;
    const CRect r = rowRect (row);
    const CRect inside = interior ();
    if (r.top < inside.top)
        scrollTo (scrollOffset - (inside.top - r.top));
    else if (r.bottom > inside.bottom)
        scrollTo (scrollOffset + (r.bottom - inside.bottom));
}

bool OptionMenuPopupView::onWheel (const CPoint&, const float& distance, const CButtonState&)
{
    scrollTo (scrollOffset - distance * 3 * kRowHeight);
    return true;
}

CPoint OptionMenuPopupView::measure (COptionMenu* menu, CFontDesc* font, CCoord minWidth)
{
    CCoord height = 2 * kBorder;
    CCoord widest = 0;
    IPlatformFont* platformFont = font ? font->getPlatformFont () : nullptr;
    for (int32_t i = 0; i < menu->getNbEntries (); ++i)
    {
        CMenuItem* item = menu->getEntry (i);
        height += rowHeightOf (item);
        if (platformFont && !item->isSeparator ())
            widest = std::max (widest, platformFont->getStringWidth (item->getTitle ().c_str ()));
    }
    const CCoord width = std::ceil (widest) + kCheckColumn + kArrowColumn + 2 * kBorder;
    return {std::max (width, std::floor (minWidth)), height};
}

CRect OptionMenuPopupView::rowRect (int32_t row) const
{
    CCoord top = size.top + kBorder - scrollOffset;
    for (int32_t i = 0; i < row && i < menu->getNbEntries (); ++i)
        top += rowHeightOf (menu->getEntry (i));
    CMenuItem* item = menu->getEntry (row);
    const CCoord height = item ? rowHeightOf (item) : 0;
    return CRect (size.left + kBorder, top, size.right - kBorder, top + height);
}

int32_t OptionMenuPopupView::rowAt (const CPoint& where) const
{
    if (!interior ().pointInside (where))
        return -1;
    for (int32_t i = 0; i < menu->getNbEntries (); ++i)
        if (rowRect (i).pointInside (where))
            return i;
    return -1;
}

void OptionMenuPopupView::setHighlight (int32_t row)
{
    if (row == highlighted)
        return;
    invalidRect (rowRect (highlighted));
    highlighted = row;
    invalidRect (rowRect (highlighted));
    reveal (row);
}

void OptionMenuPopupView::drawRow (CDrawContext* context, int32_t row)
{
    CMenuItem* item = menu->getEntry (row);
    const CRect r = rowRect (row);
    if (item->isSeparator ())
    {
        const CCoord y = std::floor (r.top + r.getHeight () / 2);
        context->setFrameColor (kPopupSeparator);
        context->drawLine (CPoint (r.left + 4, y), CPoint (r.right - 5, y));
        return;
    }
    const bool lit = row == highlighted && item->isEnabled () && !item->isTitle ();
    if (lit)
    {
        context->setFillColor (kPopupHighlight);
        context->drawRect (r, kDrawFilled);
    }
    const CColor ink = item->isEnabled () ? kPopupText : kPopupDisabledText;
    context->setFrameColor (ink);
    context->setLineWidth (1.5);
    if (item->isChecked () || (checkCurrent && row == menu->getCurrentIndex (true)))
    {
        // A tick in the left column.
        const CCoord cx = r.left + kCheckColumn / 2, cy = r.top + r.getHeight () / 2;
        context->drawLine (CPoint (cx - 4, cy), CPoint (cx - 1, cy + 3));
        context->drawLine (CPoint (cx - 1, cy + 3), CPoint (cx + 4, cy - 4));
    }
    context->setLineWidth (1);
    if (item->getSubmenu ())
    {
        // A small right-pointing triangle, one line per column.
        const CCoord x = r.right - kArrowColumn + 5, cy = std::floor (r.top + r.getHeight () / 2);
        for (int i = 0; i < 5; ++i)
            context->drawLine (CPoint (x + i, cy - 4 + i), CPoint (x + i, cy + 4 - i));
    }
    CRect textRect (r.left + kCheckColumn, r.top, r.right - kArrowColumn, r.bottom);
    context->setFont (font);
    context->setFontColor (ink);
    context->drawString (item->getTitle ().c_str (), textRect, kLeftText, true);
}

void OptionMenuPopupView::drawScrollMarks (CDrawContext* context)
{
    const CRect inside = interior ();
    const CCoord x = inside.right - kArrowColumn / 2;
    context->setFrameColor (kPopupText);
    context->setLineWidth (1);
    for (int i = 0; i < 4; ++i)
    {
        if (scrollOffset > 0)
            context->drawLine (CPoint (x - i, inside.top + 2 + i),
                               CPoint (x + i + 1, inside.top + 2 + i));
        if (scrollOffset < contentHeight - size.getHeight ())
            context->drawLine (CPoint (x - i, inside.bottom - 3 - i),
                               CPoint (x + i + 1, inside.bottom - 3 - i));
    }
}

void OptionMenuPopupView::draw (CDrawContext* context)
{
    context->setFillColor (kPopupBack);
    context->drawRect (size, kDrawFilled);
    CRect clip;
    context->getClipRect (clip);
    context->saveGlobalState ();
    context->setClipRect (clip.bound (interior ()));
    for (int32_t i = 0; i < menu->getNbEntries (); ++i)
        if (rowRect (i).rectOverlap (clip))
            drawRow (context, i);
    context->restoreGlobalState ();
    drawScrollMarks (context);
    context->setLineWidth (1);
    context->setFrameColor (kPopupBorder);
    context->drawRect (size, kDrawStroked);
}

CMouseEventResult OptionMenuPopupView::onMouseDown (CPoint& where, const CButtonState& buttons)
{
    session.onPointerDown (level, where);
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

CMouseEventResult OptionMenuPopupView::onMouseMoved (CPoint& where, const CButtonState&)
{
    session.onPointerMoved (level, where);
    return kMouseEventHandled;
}

int32_t OptionMenuPopupView::onKeyDown (VstKeyCode& key)
{
    return session.onKey (key) ? 1 : -1;
}

}   // namespace VSTGUI
