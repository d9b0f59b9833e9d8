// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The base of everything on screen: a rectangle in its parent's coordinates that draws itself
// and may answer mouse, wheel and key events. See CViewContainer.h for the rules of the tree.
#include "CBaseObject.h"
#include "CButtonState.h"
#include "CRect.h"
#include "SharedPointer.h"
#include "VstKeyCode.h"

namespace VSTGUI {

class CBitmap;
class CDrawContext;
class CFrame;
class CViewContainer;

class CView : public CBaseObject
{
public:
    explicit CView (const CRect& size);
    CView (const CView& other);
    ~CView () override;

    // Drawing. draw () paints the whole view in its parent's coordinates; drawRect () may
    // limit itself to the part that needs it.
    virtual void draw (CDrawContext* context);
    virtual void drawRect (CDrawContext* context, const CRect& updateRect);
    virtual bool checkUpdate (const CRect& updateRect) const
    {
        return updateRect.rectOverlap (size);
    }

    // Mouse: where is in the parent's coordinates. After a handled mouse-down the view receives
    // the moves and the mouse-up of that press, wherever the pointer goes.
    virtual CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseEntered (CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseExited (CPoint& where, const CButtonState& buttons);
    // A press ended without its mouse-up (the view went away, the window lost the pointer).
    virtual CMouseEventResult onMouseCancel ();
    // distance > 0 scrolls up (away from the user); true when used.
    virtual bool onWheel (const CPoint& where, const float& distance, const CButtonState& buttons);
    // Keys reach the frame's focus view: 1 when used, -1 when not.
    virtual int32_t onKeyDown (VstKeyCode& key);
    virtual int32_t onKeyUp (VstKeyCode& key);

    // Focus.
    virtual bool wantsFocus () const { return wantsFocusFlag; }
    void setWantsFocus (bool state) { wantsFocusFlag = state; }
    virtual void takeFocus () {}
    virtual void looseFocus () {}

    // Redraw requests travel up to the frame, which collects them.
    virtual void invalid () { invalidRect (size); }
    virtual void invalidRect (const CRect& rect);
    virtual void setDirty (bool state = true);
    bool isDirty () const { return dirty; }

    // Geometry.
    const CRect& getViewSize () const { return size; }
    virtual void setViewSize (const CRect& newSize, bool invalidate = true);
    CCoord getWidth () const { return size.getWidth (); }
    CCoord getHeight () const { return size.getHeight (); }
    const CRect& getMouseableArea () const { return mouseableArea; }
    virtual void setMouseableArea (const CRect& area) { mouseableArea = area; }
    // True when the point (parent coordinates) hits the view's mouseable area.
    virtual bool hitTest (const CPoint& where, const CButtonState& buttons = CButtonState ()) const;
    // Converts between the parent's coordinates and the frame's.
    CPoint& localToFrame (CPoint& point) const;
    CPoint& frameToLocal (CPoint& point) const;

    // Appearance.
    virtual void setVisible (bool state);
    bool isVisible () const { return visible && alphaValue > 0.f; }
    virtual void setAlphaValue (float alpha);
    float getAlphaValue () const { return alphaValue; }
    virtual void setTransparency (bool state);
    bool getTransparency () const { return transparent; }
    virtual void setBackground (CBitmap* bitmap);
    CBitmap* getBackground () const { return background; }
    virtual void setMouseEnabled (bool state) { mouseEnabled = state; }
    bool getMouseEnabled () const { return mouseEnabled; }

    // Tree.
    CViewContainer* getParentView () const { return parent; }
    CFrame* getFrame () const;
    bool isAttached () const { return parent != nullptr; }
    // Called by the container that adds or removes the view.
    virtual bool attached (CView* parentView);
    virtual bool removed (CView* parentView);

    bool isTypeOf (IdStringPtr name) const override;
    CBaseObject* newCopy () const override { return new CView (*this); }

protected:
    CRect size;
    CRect mouseableArea;

private:
    CViewContainer* parent {nullptr};
    SharedPointer<CBitmap> background;
    float alphaValue {1.f};
    bool visible {true};
    bool transparent {false};
    bool mouseEnabled {true};
    bool wantsFocusFlag {false};
    bool dirty {false};
};

}   // namespace VSTGUI
