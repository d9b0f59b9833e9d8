// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A momentary button: pressing sets the value to max and tells the listener, releasing sets it
// back to min and tells it again; the press is one beginEdit/endEdit gesture. The bitmap holds
// two frames: up, then down.
#include "CControl.h"

namespace VSTGUI {

class CKickButton : public CControl, public IMultiBitmapControl
{
public:
    // Frame height: half the bitmap's height.
    CKickButton (const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                 const CPoint& offset = CPoint ());
    CKickButton (const CRect& size, CControlListener* listener, int32_t tag,
                 CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint ());
    CKickButton (const CKickButton& other) = default;

    void draw (CDrawContext* context) override;
    CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel () override;

    bool isTypeOf (IdStringPtr name) const override;
    CBaseObject* newCopy () const override { return new CKickButton (*this); }

private:
    void release ();

    CPoint bitmapOffset;
    bool pressed {false};
};

}   // namespace VSTGUI
