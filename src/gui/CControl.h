// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A view with a value: a tag, a listener told of edits, a value between min and max (0..1 by
// default) with a default value, and begin/end brackets around each user gesture.
#include "CView.h"

namespace VSTGUI {

class CControl;

class CControlListener
{
public:
    virtual ~CControlListener () = default;
    virtual void valueChanged (CControl* control) = 0;
    virtual void controlBeginEdit (CControl* control) {}
    virtual void controlEndEdit (CControl* control) {}
};
using IControlListener = CControlListener;

class CControl : public CView
{
public:
    CControl (const CRect& size, CControlListener* listener = nullptr, int32_t tag = 0,
              CBitmap* background = nullptr);
    CControl (const CControl& other);
    ~CControl () override;

    // Plain value, clamped to [min, max] by bounceValue at the end of each setter.
    virtual void setValue (float val);
    float getValue () const { return value; }
    virtual void setValueNormalized (float val);
    float getValueNormalized () const;
    virtual void setMin (float val) { vmin = val; }
    float getMin () const { return vmin; }
    virtual void setMax (float val) { vmax = val; }
    float getMax () const { return vmax; }
    float getRange () const { return vmax - vmin; }
    virtual void setDefaultValue (float val) { defaultValue = val; }
    float getDefaultValue () const { return defaultValue; }
    virtual void setOldValue (float val) { oldValue = val; }
    float getOldValue () const { return oldValue; }
    virtual void setWheelInc (float val) { wheelInc = val; }
    float getWheelInc () const { return wheelInc; }
    // Clamps the value into [min, max].
    virtual void bounceValue ();

    // Tells the listener; views then redraw when the value differs from the last one drawn.
    virtual void valueChanged ();
    // Gestures nest; only the outermost begin and end reach the listener.
    virtual void beginEdit ();
    virtual void endEdit ();
    bool isEditing () const { return editing > 0; }

    // Ctrl-click with the left button: begin, default value, valueChanged, end. True if done.
    virtual bool checkDefaultValue (const CButtonState& buttons);

    void setTag (int32_t val) { tag = val; }
    int32_t getTag () const { return tag; }
    void setListener (CControlListener* l) { listener = l; }
    CControlListener* getListener () const { return listener; }

    // Drawn state: the value last drawn differs from the current one.
    bool isDirty () const;
    void setDirty (bool state = true) override;

    bool removed (CView* parentView) override;
    bool isTypeOf (IdStringPtr name) const override;

protected:
    CControlListener* listener;
    int32_t tag;
    float value {0.f};
    float oldValue {1.f};
    float defaultValue {0.5f};
    float vmin {0.f};
    float vmax {1.f};
    float wheelInc {0.1f};
    int32_t editing {0};
};

// A control drawing one of several frames of its bitmap (frames stacked vertically).
class IMultiBitmapControl
{
public:
    virtual ~IMultiBitmapControl () = default;
    virtual void setHeightOfOneImage (const CCoord& height) { heightOfOneImage = height; }
    virtual CCoord getHeightOfOneImage () const { return heightOfOneImage; }
    virtual void setNumSubPixmaps (int32_t count) { subPixmaps = count; }
    virtual int32_t getNumSubPixmaps () const { return subPixmaps; }
    // The frame count from the bitmap's height, or the frame height from the frame count.
    void autoComputeHeightOfOneImage (CBitmap* bitmap);

protected:
    // The frame that shows a normalized value: the nearest one, within the strip.
    int32_t frameIndexFor (float normalized) const;

    CCoord heightOfOneImage {0};
    int32_t subPixmaps {0};
};

}   // namespace VSTGUI
