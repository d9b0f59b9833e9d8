// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shows frame (value x (frames - 1) + 0.5) of a vertical film strip; takes no input.
#include "CControl.h"

namespace VSTGUI {

class CMovieBitmap : public CControl, public IMultiBitmapControl
{
public:
    CMovieBitmap (const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                  const CPoint& offset = CPoint ());
    CMovieBitmap (const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
                  CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint ());
    CMovieBitmap (const CMovieBitmap& other) = default;

    int32_t getFrameIndex () const;
    void draw (CDrawContext* context) override;
    bool isTypeOf (IdStringPtr name) const override;
    CBaseObject* newCopy () const override { return new CMovieBitmap (*this); }

private:
    CPoint bitmapOffset;
};

}   // namespace VSTGUI
