// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A knob drawn from a film strip of N frames stacked vertically. Dragging up turns it up:
// the whole range takes kDragRangePixels (about one frame per pixel with 140 frames), Shift
// makes the drag finer by the zoom factor, a Ctrl-click returns to the default value, and the
// wheel steps by the wheel increment. Each drag is one beginEdit/endEdit gesture.
#include "CControl.h"

namespace VSTGUI {

class CAnimKnob : public CControl, public IMultiBitmapControl
{
public:
    static constexpr CCoord kDragRangePixels = 150;

    // Frame count from the bitmap (its height over its width: square frames).
    CAnimKnob (const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
               const CPoint& offset = CPoint ());
    CAnimKnob (const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
               CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint ());
    CAnimKnob (const CAnimKnob& other) = default;

    void setInverseBitmap (bool state) { inverseBitmap = state; }
    bool getInverseBitmap () const { return inverseBitmap; }
    // Shift divides drag and wheel steps by this (10: a tenth of the movement).
    void setZoomFactor (float factor) { zoomFactor = factor > 0 ? factor : 1.f; }
    float getZoomFactor () const { return zoomFactor; }
    // The film-strip frame the current value shows.
    int32_t getFrameIndex () const;

    void draw (CDrawContext* context) override;
    CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel () override;
    bool onWheel (const CPoint& where, const float& distance, const CButtonState& buttons) override;

    bool isTypeOf (IdStringPtr name) const override;
    CBaseObject* newCopy () const override { return new CAnimKnob (*this); }

private:
    // Restarts the drag's reference at the current point and value (Shift pressed or released).
    void anchorDrag (const CPoint& where, const CButtonState& buttons);

    CPoint bitmapOffset;
    float zoomFactor {10.f};
    bool inverseBitmap {false};
    bool dragging {false};
    bool dragFine {false};
    CCoord dragStartY {0};
    float dragStartValue {0};
    float valueBeforeDrag {0};
};

}   // namespace VSTGUI
