// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A bitmap held as a cairo ARGB32 image surface (premultiplied alpha).
#include "gui/platform/IPlatformBitmap.h"
#include <cairo.h>

namespace VSTGUI {

class CairoBitmap : public IPlatformBitmap
{
public:
    // Adopts the surface's reference.
    explicit CairoBitmap (cairo_surface_t* surface, double scaleFactor = 1.);
    ~CairoBitmap () override;

    CPoint getSize () const override;
    double getScaleFactor () const override { return scale; }
    void setScaleFactor (double factor) override { scale = factor > 0 ? factor : 1.; }
    bool writePng (const std::string& path) const override;

    cairo_surface_t* getSurface () const { return surface; }
    // Called before the pixel rows [top, bottom) are read; a bitmap that fills itself on demand
    // draws them now.
    virtual void prepareRows (double top, double bottom) {}

private:
    cairo_surface_t* surface;
    double scale;
};

}   // namespace VSTGUI
