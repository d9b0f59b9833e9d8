// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A view holding child views.
//
// Rules of the tree:
// - Coordinates: a child's size is in its parent's coordinates, whose origin is the parent's own
//   top-left corner. A container draws its children with the origin moved there and hands them
//   events with the point moved the same way. The frame's origin is the window's top-left.
// - Drawing: background first, then children in insertion order (later ones on top), only
//   those visible and overlapping the rectangle being redrawn, each clipped to its size.
// - Events: mouse-down and wheel events go to children in reverse insertion order (topmost
//   first), to the first visible, mouse-enabled child whose mouseable area holds the point; a
//   result other than kMouseEventNotHandled (or true for the wheel) stops the event there, and
//   so does an opaque child that declines a mouse-down (only transparent ones let it through).
//   The child that took a mouse-down gets the moves and the mouse-up of that press; if it
//   leaves the tree first, the press ends with onMouseCancel. Keys do not go through
//   containers: the frame sends them to its focus view.
// - Ownership: addView adopts one reference from the caller (a new view's initial one); the
//   container forgets it in removeView (view, true), removeAll (true) and its destructor.
//   removeView (view, false) and removeAll (false) hand that reference back to the caller.
#include "CColor.h"
#include "CView.h"
#include <vector>

namespace VSTGUI {

class CViewContainer : public CView
{
public:
    explicit CViewContainer (const CRect& size);
    ~CViewContainer () override;

    // False when the view is null or already has a parent.
    virtual bool addView (CView* view);
    virtual bool addView (CView* view, CView* before);
    virtual bool removeView (CView* view, bool withForget = true);
    virtual bool removeAll (bool withForget = true);
    int32_t getNbViews () const { return static_cast<int32_t> (children.size ()); }
    CView* getView (int32_t index) const;
    bool isChild (CView* view) const;
    // The topmost visible child at a point in this container's own coordinates.
    CView* getViewAt (const CPoint& where) const;

    void setBackgroundColor (const CColor& color);
    const CColor& getBackgroundColor () const { return backgroundColor; }
    void setBackgroundOffset (const CPoint& offset) { backgroundOffset = offset; }
    const CPoint& getBackgroundOffset () const { return backgroundOffset; }

    void draw (CDrawContext* context) override;
    void drawRect (CDrawContext* context, const CRect& updateRect) override;
    // Background only (colour unless transparent, then bitmap), in this container's coordinates.
    virtual void drawBackgroundRect (CDrawContext* context, const CRect& updateRect);

    CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel () override;
    bool onWheel (const CPoint& where, const float& distance, const CButtonState& buttons) override;

    void invalidRect (const CRect& rect) override;
    bool attached (CView* parentView) override;
    bool removed (CView* parentView) override;

    bool isTypeOf (IdStringPtr name) const override;

protected:
    // The child holding the current press, if any (for the frame's capture and cancel logic).
    CView* getMouseDownView () const { return mouseDownView; }
    void setMouseDownView (CView* view) { mouseDownView = view; }

private:
    std::vector<CView*> children;   // each holds the reference adopted in addView
    CView* mouseDownView {nullptr};
    CColor backgroundColor {kBlackCColor};
    CPoint backgroundOffset;
};

}   // namespace VSTGUI
