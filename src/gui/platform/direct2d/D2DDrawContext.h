// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Direct2D drawing backend: a context over a WIC bitmap render target (the offscreen
// bitmap; windows copy it to their paint DC). Drawing begins on the first primitive and ends
// at endDraw; every primitive applies the clip, origin and scale of the current state afresh.
#include "D2DBackend.h"
#include "gui/COffscreenContext.h"

namespace VSTGUI {

class WicBitmap;

class D2DDrawContext : public COffscreenContext
{
public:
    // Null when no render target can be made on the bitmap.
    static SharedPointer<COffscreenContext> make (SharedPointer<CBitmap> bitmap,
                                                  double scaleFactor);
    ~D2DDrawContext () override;

    void drawLine (const CPoint& start, const CPoint& end) override;
    void drawRect (const CRect& rect, CDrawStyle style = kDrawStroked) override;
    void drawRoundRect (const CRect& rect, CCoord radius, CDrawStyle style = kDrawStroked) override;
    void drawEllipse (const CRect& rect, CDrawStyle style = kDrawStroked) override;
    void clearRect (const CRect& rect) override;
    void drawBitmap (CBitmap* bitmap, const CRect& dest, const CPoint& offset = CPoint (),
                     float alpha = 1.f) override;
    void drawString (UTF8StringPtr utf8, const CRect& rect, CHoriTxtAlign align = kCenterText,
                     bool antialias = true) override;
    CCoord getStringWidth (UTF8StringPtr utf8) override;
    void endDraw () override;

private:
    D2DDrawContext (SharedPointer<CBitmap> bitmap, double scaleFactor);

    // Starts drawing if needed and pushes clip, scale and origin; false when nothing would show.
    bool begin ();
    void end ();
    ID2D1SolidColorBrush* brush (const CColor& color);
    void fillAndStroke (ID2D1Geometry* geometry, CDrawStyle style);
    CRect strokedInside (const CRect& rect, CDrawStyle style) const;

    D2DBackend::Use backend;
    WicBitmap* pixels;
    ComPtr<ID2D1RenderTarget> target;
    ComPtr<ID2D1SolidColorBrush> solidBrush;
    bool drawing {false};
};

}   // namespace VSTGUI
