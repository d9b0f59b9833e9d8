// SPDX-License-Identifier: GPL-3.0-or-later
#include "CAnimKnob.h"
#include "CBitmap.h"
#include <cmath>

namespace VSTGUI {

CAnimKnob::CAnimKnob (const CRect& s, CControlListener* l, int32_t t, CBitmap* background,
                      const CPoint& offset)
: CControl (s, l, t, background), bitmapOffset (offset)
{
    heightOfOneImage = s.getHeight ();
    autoComputeHeightOfOneImage (background);
}

CAnimKnob::CAnimKnob (const CRect& s, CControlListener* l, int32_t t, int32_t frames,
                      CCoord frameHeight, CBitmap* background, const CPoint& offset)
: CControl (s, l, t, background), bitmapOffset (offset)
{
    subPixmaps = frames;
    heightOfOneImage = frameHeight;
}

int32_t CAnimKnob::getFrameIndex () const
{
    const float norm = getValueNormalized ();
    return frameIndexFor (inverseBitmap ? 1.f - norm : norm);
}

void CAnimKnob::draw (CDrawContext* context)
{
    if (CBitmap* bitmap = getBackground ())
    {
        const CPoint where (bitmapOffset.x, bitmapOffset.y + heightOfOneImage * getFrameIndex ());
        bitmap->draw (context, size, where, getAlphaValue ());
    }
    setDirty (false);
}

void CAnimKnob::anchorDrag (const CPoint& where, const CButtonState& buttons)
{
    dragStartY = where.y;
    dragStartValue = getValueNormalized ();
    dragFine = (buttons.getModifierState () & kZoomModifier) != 0;
}

CMouseEventResult CAnimKnob::onMouseDown (CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton ())
        return kMouseEventNotHandled;
    if (checkDefaultValue (buttons))
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    valueBeforeDrag = getValueNormalized ();
    anchorDrag (where, buttons);
    dragging = true;
    beginEdit ();
    return kMouseEventHandled;
}

CMouseEventResult CAnimKnob::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
    if (!dragging)
        return kMouseEventNotHandled;
    if (((buttons.getModifierState () & kZoomModifier) != 0) != dragFine)
        anchorDrag (where, buttons);
    const double scale = dragFine ? 1. / zoomFactor : 1.;
    const double delta = (dragStartY - where.y) / kDragRangePixels * scale;
    const float before = value;
    setValueNormalized (static_cast<float> (dragStartValue + delta));
    if (value != before)
    {
        valueChanged ();
        invalid ();
    }
    return kMouseEventHandled;
}

CMouseEventResult CAnimKnob::onMouseUp (CPoint&, const CButtonState&)
{
    if (!dragging)
        return kMouseEventNotHandled;
    dragging = false;
    endEdit ();
    return kMouseEventHandled;
}

CMouseEventResult CAnimKnob::onMouseCancel ()
{
    if (!dragging)
        return kMouseEventNotHandled;
    dragging = false;
    if (getValueNormalized () != valueBeforeDrag)
    {
        setValueNormalized (valueBeforeDrag);
        valueChanged ();
        invalid ();
    }
    endEdit ();
    return kMouseEventHandled;
}

bool CAnimKnob::onWheel (const CPoint&, const float& distance, const CButtonState& buttons)
{
    if (!getMouseEnabled () || distance == 0.f)
        return false;
    float step = distance * wheelInc;
    if (buttons.getModifierState () & kZoomModifier)
        step /= zoomFactor;
    const float before = value;
    beginEdit ();
    setValueNormalized (getValueNormalized () + step);
    if (value != before)
    {
        valueChanged ();
        invalid ();
    }
    endEdit ();
    return true;
}

bool CAnimKnob::isTypeOf (IdStringPtr name) const
{
    return std::strcmp (name, "CAnimKnob") == 0 || std::strcmp (name, "CKnob") == 0
           || CControl::isTypeOf (name);
}

}   // namespace VSTGUI
