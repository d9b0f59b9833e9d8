// SPDX-License-Identifier: GPL-3.0-or-later
#include "CFrame.h"
#include "COffscreenContext.h"
#include "VSTGUIEditorInterface.h"
#include "platform/IPlatformFactory.h"
#include <algorithm>
#include <cmath>

namespace VSTGUI {

CFrame::CFrame (const CRect& s, VSTGUIEditorInterface* ed)
: CViewContainer (CRect (0, 0, s.getWidth (), s.getHeight ())), editor (ed), windowRect (s)
{}

CFrame::~CFrame ()
{
    closePlatformFrame ();
    removeAll (true);
}

bool CFrame::open (void* parent, PlatformType type, IPlatformFrameConfig* config)
{
    if (platformFrame)
        return false;
    return adoptPlatformFrame (
        PlatformFactory::createFrame (this, zoomedWindowRect (windowRect), parent, type, config));
}

bool CFrame::openPopup (const CFrame& owner)
{
    if (platformFrame || !owner.platformFrame)
        return false;
    return adoptPlatformFrame (
        PlatformFactory::createPopup (this, zoomedWindowRect (windowRect), owner.platformFrame));
}

bool CFrame::adoptPlatformFrame (IPlatformFrame* frame)
{
    platformFrame = frame;
    if (!platformFrame)
        return false;
    for (const CRect& r : dirtyRects)
        platformFrame->invalidRect (r);
    return true;
}

void CFrame::close ()
{
    closePlatformFrame ();
    removeAll (true);
    forget ();
}

void CFrame::closePlatformFrame ()
{
    if (IPlatformFrame* p = platformFrame)
    {
        platformFrame = nullptr;
        p->forget ();
    }
}

void CFrame::invalid ()
{
    invalidRect (CRect (0, 0, getWidth (), getHeight ()));
}

void CFrame::invalidRect (const CRect& rect)
{
    CRect r = rect;
    r.makeIntegral ().bound (CRect (0, 0, getWidth (), getHeight ()));
    if (r.isEmpty ())
        return;
    // Merge with every overlapping request, rescanning after each merge until none overlaps.
    for (size_t i = 0; i < dirtyRects.size ();)
    {
        if (dirtyRects[i].rectInside (r))
            return;
        if (dirtyRects[i].rectOverlap (r))
        {
            r.unite (dirtyRects[i]);
            dirtyRects.erase (dirtyRects.begin () + static_cast<std::ptrdiff_t> (i));
            i = 0;
            continue;
        }
        ++i;
    }
    dirtyRects.push_back (r);
    if (platformFrame)
        platformFrame->invalidRect (r);
}

int32_t CFrame::drawDirtyRects (CDrawContext* context)
{
    const std::vector<CRect> rects = std::move (dirtyRects);
    dirtyRects.clear ();
    for (const CRect& r : rects)
        platformDrawRect (context, r);
    return static_cast<int32_t> (rects.size ());
}

void CFrame::platformDrawRect (CDrawContext* context, const CRect& dirty)
{
    if (!context)
        return;
    SharedPointer<CFrame> guard (this);
    CRect area = dirty;
    area.bound (CRect (0, 0, getWidth (), getHeight ()));
    // Requests this pass covers are done now; what views invalidate while drawing is new.
    dirtyRects.erase (std::remove_if (dirtyRects.begin (), dirtyRects.end (),
                                      [&] (const CRect& r) { return area.rectInside (r); }),
                      dirtyRects.end ());
    context->beginDraw ();
    context->saveGlobalState ();
    if (dirty != area)
    {
        // The window is larger than the frame (a host's container wider than the view): the
        // rest is painted in the background colour, never left showing what was there before.
        CColor surround = getBackgroundColor ();
        surround.alpha = 255;
        context->setClipRect (dirty);
        context->setFillColor (surround);
        context->drawRect (dirty, kDrawFilled);
    }
    context->setClipRect (area);
    context->clearRect (area);
    CViewContainer::drawRect (context, area);
    context->restoreGlobalState ();
    context->endDraw ();
}

bool CFrame::renderToPNG (const std::string& path, double scaleFactor)
{
    return renderToPNG (path, CRect (0, 0, getWidth (), getHeight ()), scaleFactor);
}

bool CFrame::renderToPNG (const std::string& path, const CRect& area, double scaleFactor)
{
    CRect r = area;
    r.bound (CRect (0, 0, getWidth (), getHeight ()));
    if (r.isEmpty ())
        return false;
    auto context = COffscreenContext::create (r.getWidth (), r.getHeight (), scaleFactor);
    if (!context)
        return false;
    {
        context->beginDraw ();
        CDrawContext::Transform shift (*context, CPoint (-r.left, -r.top));
        context->setClipRect (r);
        CViewContainer::drawRect (context, r);
        context->endDraw ();
    }
    return context->writePng (path);
}

bool CFrame::setModalView (CView* view)
{
    if (view && (modalView || view->isAttached ()))
        return false;
    if (modalView)
    {
        CView* old = modalView;
        modalView = nullptr;
        removeView (old, false);
    }
    if (!view)
        return true;
    if (!addView (view))
        return false;
    modalView = view;
    return true;
}

void CFrame::setFocusView (CView* view)
{
    if (view == focusView)
        return;
    CView* old = focusView;
    focusView = view;
    if (old)
        old->looseFocus ();
    if (focusView == view && view)
    {
        if (platformFrame)
            platformFrame->takeFocus ();
        view->takeFocus ();
    }
}

bool CFrame::isDescendant (CView* maybeChild, CView* ancestor) const
{
    for (CView* v = maybeChild; v; v = v->getParentView ())
        if (v == ancestor)
            return true;
    return false;
}

void CFrame::onViewRemoved (CView* view)
{
    if (focusView && isDescendant (focusView, view))
        focusView = nullptr;
    if (hoverView && isDescendant (hoverView, view))
        hoverView = nullptr;
    if (modalView == view)
        modalView = nullptr;
}

bool CFrame::removeAll (bool withForget)
{
    modalView = nullptr;
    focusView = nullptr;
    hoverView = nullptr;
    return CViewContainer::removeAll (withForget);
}

CView* CFrame::findViewAt (const CPoint& where, CPoint& inParent) const
{
    // The same choice a mouse-down makes: topmost visible, mouse-enabled child that is hit.
    const CViewContainer* container = this;
    CPoint local = where;
    CView* found = nullptr;
    while (container)
    {
        CView* hit = nullptr;
        for (int32_t i = container->getNbViews () - 1; i >= 0 && !hit; --i)
        {
            CView* child = container->getView (i);
            if (child->isVisible () && child->getMouseEnabled () && child->hitTest (local))
                hit = child;
        }
        if (!hit)
            break;
        found = hit;
        inParent = local;
        auto* inner = dynamic_cast<CViewContainer*> (hit);
        if (inner)
            local.offset (-inner->getViewSize ().left, -inner->getViewSize ().top);
        container = inner;
    }
    return found;
}

void CFrame::updateHover (CPoint where, const CButtonState& buttons)
{
    if (modalView && !isDescendant (hoverView, modalView))
        hoverView = nullptr;
    CPoint inParent;
    CView* view = findViewAt (where, inParent);
    if (modalView && view && !isDescendant (view, modalView))
        view = nullptr;
    if (view != hoverView)
    {
        if (hoverView)
        {
            CPoint p = where;
            hoverView->frameToLocal (p);
            hoverView->onMouseExited (p, buttons);
        }
        hoverView = view;
        if (hoverView)
            hoverView->onMouseEntered (inParent, buttons);
    }
    if (hoverView)
        hoverView->onMouseMoved (inParent, buttons);
}

CMouseEventResult CFrame::onMouseDown (CPoint& where, const CButtonState& buttons)
{
    SharedPointer<CFrame> guard (this);
    if (focusView)
    {
        CPoint p = where;
        focusView->frameToLocal (p);
        if (!focusView->getViewSize ().pointInside (p))
            setFocusView (nullptr);
    }
    if (modalView)
    {
        SharedPointer<CView> modal (modalView);
        CPoint p = where;
        if (!modal->isVisible () || !modal->hitTest (p, buttons))
            return kMouseEventNotHandled;
        const CMouseEventResult result = modal->onMouseDown (p, buttons);
        if (result == kMouseEventHandled && modalView == modal)
            setMouseDownView (modal);
        else if (result == kMouseEventHandled)
            modal->onMouseCancel ();
        return result;
    }
    for (IMouseObserver* observer : std::vector<IMouseObserver*> (mouseObservers))
        if (observer->onMouseDown (this, where, buttons) == kMouseEventHandled)
            return kMouseEventHandled;
    return CViewContainer::onMouseDown (where, buttons);
}

CMouseEventResult CFrame::onMouseUp (CPoint& where, const CButtonState& buttons)
{
    SharedPointer<CFrame> guard (this);
    return CViewContainer::onMouseUp (where, buttons);
}

CMouseEventResult CFrame::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
    SharedPointer<CFrame> guard (this);
    if (getMouseDownView ())
        return CViewContainer::onMouseMoved (where, buttons);
    updateHover (where, buttons);
    return kMouseEventHandled;
}

CMouseEventResult CFrame::onMouseExited (CPoint& where, const CButtonState& buttons)
{
    SharedPointer<CFrame> guard (this);
    if (hoverView && !getMouseDownView ())
    {
        CView* old = hoverView;
        hoverView = nullptr;
        CPoint p = where;
        old->frameToLocal (p);
        old->onMouseExited (p, buttons);
    }
    return kMouseEventHandled;
}

bool CFrame::onWheel (const CPoint& where, const float& distance, const CButtonState& buttons)
{
    SharedPointer<CFrame> guard (this);
    if (modalView)
    {
        SharedPointer<CView> modal (modalView);
        return modal->hitTest (where, buttons) && modal->onWheel (where, distance, buttons);
    }
    return CViewContainer::onWheel (where, distance, buttons);
}

int32_t CFrame::onKeyDown (VstKeyCode& key)
{
    SharedPointer<CFrame> guard (this);
    if (focusView)
    {
        SharedPointer<CView> target (focusView);
        return target->onKeyDown (key);
    }
    return -1;
}

int32_t CFrame::onKeyUp (VstKeyCode& key)
{
    SharedPointer<CFrame> guard (this);
    if (focusView)
    {
        SharedPointer<CView> target (focusView);
        return target->onKeyUp (key);
    }
    return -1;
}

CPoint& CFrame::localToScreen (CPoint& point) const
{
    point = CPoint (point.x * zoom, point.y * zoom);
    CPoint origin;
    if (platformFrame && platformFrame->getGlobalPosition (origin))
        point.offset (origin);
    return point;
}

bool CFrame::getWorkArea (const CPoint& rootPoint, CRect& area) const
{
    return platformFrame && platformFrame->getWorkArea (rootPoint, area);
}

namespace {
std::string& offscreenClipboard ()
{
    static std::string text;
    return text;
}
}   // namespace

bool CFrame::setClipboard (const std::string& text)
{
    if (!platformFrame)
    {
        offscreenClipboard () = text;
        return true;
    }
    return platformFrame->setClipboardText (text);
}

bool CFrame::requestClipboard (std::function<void (const std::string&)> onText)
{
    if (!platformFrame)
    {
        if (onText)
            onText (offscreenClipboard ());
        return true;
    }
    clipboardReader = std::move (onText);
    return platformFrame->requestClipboardText ();
}

void CFrame::platformOnClipboardText (const std::string& text)
{
    SharedPointer<CFrame> guard (this);
    if (auto reader = std::move (clipboardReader))
    {
        clipboardReader = nullptr;
        reader (text);
    }
}

void CFrame::setFocusLostCallback (std::function<void ()> callback)
{
    focusLostCallback = std::move (callback);
}

double CFrame::getScaleFactor () const
{
    return platformScaleFactor ();
}

bool CFrame::setZoom (double newZoom)
{
    if (!(newZoom > 0.) || newZoom > 16.)
        return false;
    if (newZoom == zoom)
        return true;
    zoom = newZoom;
    if (platformFrame)
        platformFrame->setSize (zoomedWindowRect (windowRect));
    invalid ();
    return true;
}

CRect CFrame::zoomedWindowRect (const CRect& rect) const
{
    if (zoom == 1.)
        return rect;
    const CPoint origin (std::round (rect.left * zoom), std::round (rect.top * zoom));
    return CRect (origin, CPoint (std::ceil (rect.getWidth () * zoom - 1e-9),
                                  std::ceil (rect.getHeight () * zoom - 1e-9)));
}

void CFrame::registerMouseObserver (IMouseObserver* observer)
{
    if (observer
        && std::find (mouseObservers.begin (), mouseObservers.end (), observer)
               == mouseObservers.end ())
        mouseObservers.push_back (observer);
}

void CFrame::unregisterMouseObserver (IMouseObserver* observer)
{
    mouseObservers.erase (std::remove (mouseObservers.begin (), mouseObservers.end (), observer),
                          mouseObservers.end ());
}

void CFrame::setViewSize (const CRect& newSize, bool invalidate)
{
    windowRect = newSize;
    CViewContainer::setViewSize (CRect (0, 0, newSize.getWidth (), newSize.getHeight ()),
                                 invalidate);
    if (platformFrame)
        platformFrame->setSize (zoomedWindowRect (newSize));
}

bool CFrame::isTypeOf (IdStringPtr name) const
{
    return std::strcmp (name, "CFrame") == 0 || CViewContainer::isTypeOf (name);
}

CMouseEventResult CFrame::platformOnMouseDown (CPoint& where, const CButtonState& buttons)
{
    return onMouseDown (where, buttons);
}

CMouseEventResult CFrame::platformOnMouseMoved (CPoint& where, const CButtonState& buttons)
{
    return onMouseMoved (where, buttons);
}

CMouseEventResult CFrame::platformOnMouseUp (CPoint& where, const CButtonState& buttons)
{
    return onMouseUp (where, buttons);
}

CMouseEventResult CFrame::platformOnMouseExited (CPoint& where, const CButtonState& buttons)
{
    return onMouseExited (where, buttons);
}

bool CFrame::platformOnMouseWheel (const CPoint& where, float distance, const CButtonState& buttons)
{
    return onWheel (where, distance, buttons);
}

bool CFrame::platformOnKeyDown (VstKeyCode& key)
{
    return onKeyDown (key) == 1;
}

bool CFrame::platformOnKeyUp (VstKeyCode& key)
{
    return onKeyUp (key) == 1;
}

void CFrame::platformOnFocusLost ()
{
    SharedPointer<CFrame> guard (this);
    if (auto callback = focusLostCallback)
        callback ();
}

double CFrame::platformScaleFactor () const
{
    return zoom;
}

}   // namespace VSTGUI
