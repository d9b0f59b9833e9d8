// SPDX-License-Identifier: GPL-3.0-or-later
#include "CView.h"
#include "CBitmap.h"
#include "CDrawContext.h"
#include "CFrame.h"

namespace VSTGUI {

CView::CView (const CRect& s) : size (s), mouseableArea (s)
{}

CView::CView (const CView& other)
: CBaseObject (other), size (other.size), mouseableArea (other.mouseableArea),
  background (other.background), alphaValue (other.alphaValue), visible (other.visible),
  transparent (other.transparent), mouseEnabled (other.mouseEnabled),
  wantsFocusFlag (other.wantsFocusFlag)
{}

CView::~CView () = default;

void CView::draw (CDrawContext* context)
{
    if (background)
        background->draw (context, size, CPoint (), alphaValue);
    dirty = false;
}

void CView::drawRect (CDrawContext* context, const CRect&)
{
    draw (context);
}

CMouseEventResult CView::onMouseDown (CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseUp (CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseMoved (CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseEntered (CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseExited (CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseCancel ()
{
    return kMouseEventNotImplemented;
}

bool CView::onWheel (const CPoint&, const float&, const CButtonState&)
{
    return false;
}

int32_t CView::onKeyDown (VstKeyCode&)
{
    return -1;
}

int32_t CView::onKeyUp (VstKeyCode&)
{
    return -1;
}

void CView::invalidRect (const CRect& rect)
{
    if (parent && visible)
        parent->invalidRect (rect);
}

void CView::setDirty (bool state)
{
    dirty = state;
    if (state)
        invalid ();
}

void CView::setViewSize (const CRect& newSize, bool invalidate)
{
    if (newSize == size)
        return;
    if (invalidate)
        invalid ();
    size = newSize;
    if (invalidate)
        invalid ();
}

bool CView::hitTest (const CPoint& where, const CButtonState&) const
{
    return mouseableArea.pointInside (where);
}

CPoint& CView::localToFrame (CPoint& point) const
{
    // A point in this view's parent's coordinates: add each ancestor container's origin.
    for (const CViewContainer* c = parent; c && c->getParentView (); c = c->getParentView ())
        point.offset (c->getViewSize ().left, c->getViewSize ().top);
    return point;
}

CPoint& CView::frameToLocal (CPoint& point) const
{
    for (const CViewContainer* c = parent; c && c->getParentView (); c = c->getParentView ())
        point.offset (-c->getViewSize ().left, -c->getViewSize ().top);
    return point;
}

void CView::setVisible (bool state)
{
    if (visible == state)
        return;
    if (visible)
        invalid ();
    visible = state;
    if (visible)
        invalid ();
}

void CView::setAlphaValue (float alpha)
{
    alpha = std::clamp (alpha, 0.f, 1.f);
    if (alpha == alphaValue)
        return;
    alphaValue = alpha;
    if (parent)
        parent->invalidRect (size);
}

void CView::setTransparency (bool state)
{
    transparent = state;
    invalid ();
}

void CView::setBackground (CBitmap* bitmap)
{
    background = bitmap;
    invalid ();
}

CFrame* CView::getFrame () const
{
    const CView* top = this;
    while (top->parent)
        top = top->parent;
    return top == this ? dynamic_cast<CFrame*> (const_cast<CView*> (this))
                       : dynamic_cast<CFrame*> (const_cast<CView*> (top));
}

bool CView::attached (CView* parentView)
{
    auto* container = dynamic_cast<CViewContainer*> (parentView);
    if (!container || parent)
        return false;
    parent = container;
    return true;
}

bool CView::removed (CView*)
{
    parent = nullptr;
    return true;
}

bool CView::isTypeOf (IdStringPtr name) const
{
    return std::strcmp (name, "CView") == 0 || CBaseObject::isTypeOf (name);
}

}   // namespace VSTGUI
