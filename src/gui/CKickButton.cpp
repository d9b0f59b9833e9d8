// SPDX-License-Identifier: GPL-3.0-or-later
#include "CKickButton.h"
#include "CBitmap.h"

namespace VSTGUI {

CKickButton::CKickButton (const CRect& s, CControlListener* l, int32_t t, CBitmap* background,
                          const CPoint& offset)
: CControl (s, l, t, background), bitmapOffset (offset)
{
    subPixmaps = 2;
    heightOfOneImage = background ? background->getHeight () / 2 : s.getHeight ();
}

CKickButton::CKickButton (const CRect& s, CControlListener* l, int32_t t, CCoord frameHeight,
                          CBitmap* background, const CPoint& offset)
: CControl (s, l, t, background), bitmapOffset (offset)
{
    subPixmaps = 2;
    heightOfOneImage = frameHeight;
}

void CKickButton::draw (CDrawContext* context)
{
    if (CBitmap* bitmap = getBackground ())
    {
        const bool down = value >= (vmin + vmax) / 2 && vmax > vmin;
        const CPoint where (bitmapOffset.x, bitmapOffset.y + (down ? heightOfOneImage : 0));
        bitmap->draw (context, size, where, getAlphaValue ());
    }
    setDirty (false);
}

CMouseEventResult CKickButton::onMouseDown (CPoint&, const CButtonState& buttons)
{
    if (!buttons.isLeftButton () || pressed)
        return kMouseEventNotHandled;
    SharedPointer<CKickButton> guard (this);
    pressed = true;
    beginEdit ();
    value = vmax;
    invalid ();
    valueChanged ();
    return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseMoved (CPoint&, const CButtonState&)
{
    // The press already counted; moving out and back changes nothing.
    return pressed ? kMouseEventHandled : kMouseEventNotHandled;
}

void CKickButton::release ()
{
    SharedPointer<CKickButton> guard (this);
    pressed = false;
    value = vmin;
    invalid ();
    valueChanged ();
    endEdit ();
}

CMouseEventResult CKickButton::onMouseUp (CPoint&, const CButtonState&)
{
    if (!pressed)
        return kMouseEventNotHandled;
    release ();
    return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseCancel ()
{
    if (!pressed)
        return kMouseEventNotHandled;
    release ();
    return kMouseEventHandled;
}

bool CKickButton::isTypeOf (IdStringPtr name) const
{
    return std::strcmp (name, "CKickButton") == 0 || CControl::isTypeOf (name);
}

}   // namespace VSTGUI
