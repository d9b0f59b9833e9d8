// SPDX-License-Identifier: GPL-3.0-or-later
#include "CControl.h"
#include "CBitmap.h"
#include <algorithm>
#include <cmath>

namespace VSTGUI {

CControl::CControl (const CRect& s, CControlListener* l, int32_t t, CBitmap* background)
: CView (s), listener (l), tag (t)
{
    if (background)
        setBackground (background);
}

CControl::CControl (const CControl& other)
: CView (other), listener (other.listener), tag (other.tag), value (other.value),
  oldValue (other.oldValue), defaultValue (other.defaultValue), vmin (other.vmin),
  vmax (other.vmax), wheelInc (other.wheelInc)
{}

CControl::~CControl () = default;

void CControl::setValue (float val)
{
    value = val;
    bounceValue ();
}

void CControl::setValueNormalized (float val)
{
    if (getRange () == 0.f)
    {
        value = vmin;
        return;
    }
    setValue (vmin + std::clamp (val, 0.f, 1.f) * getRange ());
}

float CControl::getValueNormalized () const
{
    const float range = getRange ();
    return range == 0.f ? 0.f : (value - vmin) / range;
}

void CControl::bounceValue ()
{
    if (!(value >= vmin))   // NaN lands on min too
        value = vmin;
    else if (value > vmax)
        value = vmax;
}

void CControl::valueChanged ()
{
    if (listener)
        listener->valueChanged (this);
}

void CControl::beginEdit ()
{
    if (editing++ == 0 && listener)
        listener->controlBeginEdit (this);
}

void CControl::endEdit ()
{
    if (editing == 0)
        return;
    if (--editing == 0 && listener)
        listener->controlEndEdit (this);
}

bool CControl::checkDefaultValue (const CButtonState& buttons)
{
    if (!buttons.isLeftButton () || buttons.getModifierState () != kDefaultValueModifier)
        return false;
    beginEdit ();
    setValue (defaultValue);
    valueChanged ();
    endEdit ();
    invalid ();
    return true;
}

bool CControl::isDirty () const
{
    return oldValue != value || CView::isDirty ();
}

void CControl::setDirty (bool state)
{
    CView::setDirty (state);
    oldValue = state ? -1.f : value;
}

bool CControl::removed (CView* parentView)
{
    // A control that leaves mid-gesture still closes its gesture for the listener.
    while (editing > 0)
        endEdit ();
    return CView::removed (parentView);
}

bool CControl::isTypeOf (IdStringPtr name) const
{
    return std::strcmp (name, "CControl") == 0 || CView::isTypeOf (name);
}

void IMultiBitmapControl::autoComputeHeightOfOneImage (CBitmap* bitmap)
{
    if (!bitmap)
        return;
    if (subPixmaps > 0)
        heightOfOneImage = bitmap->getHeight () / subPixmaps;
    else if (heightOfOneImage > 0)
        subPixmaps = static_cast<int32_t> (bitmap->getHeight () / heightOfOneImage);
}

int32_t IMultiBitmapControl::frameIndexFor (float normalized) const
{
    if (subPixmaps <= 1)
        return 0;
    const auto frame =
        static_cast<int32_t> (normalized * static_cast<float> (subPixmaps - 1) + 0.5f);
    return std::clamp (frame, 0, subPixmaps - 1);
}

}   // namespace VSTGUI
