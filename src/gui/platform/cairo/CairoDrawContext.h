// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cairo drawing backend: a context over an ARGB32 image surface (the offscreen bitmap).
// Every primitive applies the clip, origin and scale of the current state afresh.
#include "gui/COffscreenContext.h"
#include <cairo.h>

namespace VSTGUI {

class CairoBitmap;

class CairoDrawContext : public COffscreenContext
{
public:
    CairoDrawContext (SharedPointer<CBitmap> bitmap, double scaleFactor);
    ~CairoDrawContext () override;

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

    cairo_t* getCairo () const { return cr; }
    cairo_surface_t* getSurface () const;

private:
    // Saves cairo's state and sets clip, scale and origin; false when nothing would show.
    bool begin ();
    void end () { cairo_restore (cr); }
    void setSource (const CColor& color);
    void fillAndStroke (CDrawStyle style);
    // The path's rectangle: inset by half the line width when a frame is stroked.
    CRect strokedInside (const CRect& rect, CDrawStyle style) const;

    cairo_t* cr;
};

}   // namespace VSTGUI
