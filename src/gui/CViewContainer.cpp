// SPDX-License-Identifier: GPL-3.0-or-later
#include "CViewContainer.h"
#include "CBitmap.h"
#include "CDrawContext.h"
#include "CFrame.h"
#include <algorithm>

namespace VSTGUI {

CViewContainer::CViewContainer (const CRect& s) : CView (s)
{}

CViewContainer::~CViewContainer ()
{
    removeAll (true);
}

bool CViewContainer::addView (CView* view)
{
    return addView (view, nullptr);
}

bool CViewContainer::addView (CView* view, CView* before)
{
    if (!view || view == this || view->getParentView () || isChild (view))
        return false;
    auto position = std::find (children.begin (), children.end (), before);
    children.insert (position, view);
    view->attached (this);
    view->invalid ();
    return true;
}

bool CViewContainer::removeView (CView* view, bool withForget)
{
    auto it = std::find (children.begin (), children.end (), view);
    if (it == children.end ())
        return false;
    view->invalid ();
    if (CFrame* frame = getFrame ())
        frame->onViewRemoved (view);
    if (mouseDownView == view)
    {
        mouseDownView = nullptr;
        view->onMouseCancel ();
    }
    children.erase (std::find (children.begin (), children.end (), view));
    view->removed (this);
    if (withForget)
        view->forget ();
    return true;
}

bool CViewContainer::removeAll (bool withForget)
{
    // Last first, so every view still sees its lower neighbours while it goes.
    while (!children.empty ())
        removeView (children.back (), withForget);
    return true;
}

CView* CViewContainer::getView (int32_t index) const
{
    if (index < 0 || index >= getNbViews ())
        return nullptr;
    return children[static_cast<size_t> (index)];
}

bool CViewContainer::isChild (CView* view) const
{
    return view && std::find (children.begin (), children.end (), view) != children.end ();
}

CView* CViewContainer::getViewAt (const CPoint& where) const
{
    for (auto it = children.rbegin (); it != children.rend (); ++it)
        if ((*it)->isVisible () && (*it)->getViewSize ().pointInside (where))
            return *it;
    return nullptr;
}

void CViewContainer::setBackgroundColor (const CColor& color)
{
    backgroundColor = color;
    invalid ();
}

void CViewContainer::drawBackgroundRect (CDrawContext* context, const CRect& updateRect)
{
    const CRect local (0, 0, getWidth (), getHeight ());
    if (!getTransparency ())
    {
        context->setFillColor (backgroundColor);
        CRect area = updateRect;
        context->drawRect (area.bound (local), kDrawFilled);
    }
    if (CBitmap* bitmap = getBackground ())
        bitmap->draw (context, local, backgroundOffset, getAlphaValue ());
}

void CViewContainer::draw (CDrawContext* context)
{
    drawRect (context, size);
}

void CViewContainer::drawRect (CDrawContext* context, const CRect& updateRect)
{
    // updateRect is in the parent's coordinates; children live in ours.
    CRect local = updateRect;
    local.offset (-size.left, -size.top).bound (CRect (0, 0, getWidth (), getHeight ()));
    if (local.isEmpty ())
        return;

    context->saveGlobalState ();
    CDrawContext::Transform origin (*context, size.getTopLeft ());
    CRect clip;
    context->getClipRect (clip);
    context->setClipRect (clip.bound (local));
    context->setGlobalAlpha (context->getGlobalAlpha () * getAlphaValue ());
    drawBackgroundRect (context, local);

    const CRect containerClip = clip;
    for (CView* child : children)
    {
        if (!child->isVisible () || !child->checkUpdate (local))
            continue;
        CRect childClip = child->getViewSize ();
        childClip.bound (containerClip);
        if (childClip.isEmpty ())
            continue;
        context->saveGlobalState ();
        context->setClipRect (childClip);
        child->drawRect (context, childClip);
        context->restoreGlobalState ();
    }
    context->restoreGlobalState ();
    CView::setDirty (false);
}

CMouseEventResult CViewContainer::onMouseDown (CPoint& where, const CButtonState& buttons)
{
    CPoint local = where;
    local.offset (-size.left, -size.top);
    for (auto it = children.rbegin (); it != children.rend (); ++it)
    {
        CView* child = *it;
        if (!child->isVisible () || !child->getMouseEnabled () || !child->hitTest (local, buttons))
            continue;
        // Keep the child alive while it handles the press, even if it leaves the tree.
        SharedPointer<CView> guard (child);
        CPoint p = local;
        const CMouseEventResult result = child->onMouseDown (p, buttons);
        if (result == kMouseEventNotHandled || result == kMouseEventNotImplemented)
        {
            // Views beneath see the press only through a transparent view; an opaque one (a
            // container whose children all declined included) still stops it.
            if (child->getTransparency ())
                continue;
            return result;
        }
        if (result == kMouseEventHandled)
        {
            // A child that left the tree while it handled the press gets no mouse-up: end it.
            if (isChild (child))
                mouseDownView = child;
            else
                child->onMouseCancel ();
        }
        return result;
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseUp (CPoint& where, const CButtonState& buttons)
{
    if (!mouseDownView)
        return kMouseEventNotHandled;
    SharedPointer<CView> target (mouseDownView);
    mouseDownView = nullptr;
    CPoint local = where;
    local.offset (-size.left, -size.top);
    target->onMouseUp (local, buttons);
    return kMouseEventHandled;
}

CMouseEventResult CViewContainer::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
    if (!mouseDownView)
        return kMouseEventNotHandled;
    SharedPointer<CView> target (mouseDownView);
    CPoint local = where;
    local.offset (-size.left, -size.top);
    const CMouseEventResult result = target->onMouseMoved (local, buttons);
    if (result == kMouseMoveEventHandledButDontNeedMoreEvents && mouseDownView == target)
    {
        mouseDownView = nullptr;
        return kMouseEventHandled;
    }
    return result == kMouseEventNotImplemented ? kMouseEventHandled : result;
}

CMouseEventResult CViewContainer::onMouseCancel ()
{
    if (!mouseDownView)
        return kMouseEventNotHandled;
    SharedPointer<CView> target (mouseDownView);
    mouseDownView = nullptr;
    target->onMouseCancel ();
    return kMouseEventHandled;
}

bool CViewContainer::onWheel (const CPoint& where, const float& distance,
                              const CButtonState& buttons)
{
    CPoint local = where;
    local.offset (-size.left, -size.top);
    for (auto it = children.rbegin (); it != children.rend (); ++it)
    {
        CView* child = *it;
        if (!child->isVisible () || !child->getMouseEnabled () || !child->hitTest (local, buttons))
            continue;
        SharedPointer<CView> guard (child);
        if (child->onWheel (local, distance, buttons))
            return true;
    }
    return false;
}

void CViewContainer::invalidRect (const CRect& rect)
{
    CRect inParent = rect;
    inParent.offset (size.left, size.top).bound (size);
    if (!inParent.isEmpty ())
        CView::invalidRect (inParent);
}

bool CViewContainer::attached (CView* parentView)
{
    return CView::attached (parentView);
}

bool CViewContainer::removed (CView* parentView)
{
    // Leaving the tree ends a press held inside: no mouse-up can reach it any more.
    onMouseCancel ();
    return CView::removed (parentView);
}

bool CViewContainer::isTypeOf (IdStringPtr name) const
{
    return std::strcmp (name, "CViewContainer") == 0 || CView::isTypeOf (name);
}

}   // namespace VSTGUI
