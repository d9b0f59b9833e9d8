// SPDX-License-Identifier: GPL-3.0-or-later
#include "ManualPictures.h"
#include <cairo.h>
#ifdef OVERMOOR_MANUAL_ARTWORK
#include "resources/artwork/Artwork.h"
#endif

namespace Manual {

namespace {

constexpr int kBackgroundId = 500;
constexpr int kFacesId = 600;
constexpr double kWellLeft = 2, kWellTop = 19;   // where the window shows the pedal face

// A frame of a stacked bitmap at 1:1 window pixels; a plain box where the artwork is not built.
void drawFrame (cairo_t* cr, int id, int frame, double frameHeight, double width)
{
    cairo_save (cr);
    cairo_rectangle (cr, 0, 0, width, frameHeight);
    cairo_clip (cr);
#ifdef OVERMOOR_MANUAL_ARTWORK
    cairo_translate (cr, 0, -frame * frameHeight);
    Morvane::Artwork::drawBitmap (cr, id, 1.0);
#else
    cairo_set_source_rgb (cr, 0.3, 0.3, 0.32);
    cairo_paint (cr);
#endif
    cairo_restore (cr);
}

} // namespace

void drawFace (cairo_t* cr, int model, double width, double height)
{
    cairo_save (cr);
    cairo_scale (cr, width / kFaceWidth, height / kFaceHeight);
    drawFrame (cr, kFacesId, model, kFaceHeight, kFaceWidth);
    cairo_restore (cr);
}

void drawWindow (cairo_t* cr, int model, double width, double height)
{
    cairo_save (cr);
    cairo_scale (cr, width / kWindowWidth, height / kWindowHeight);
    drawFrame (cr, kBackgroundId, 0, kWindowHeight, kWindowWidth);
    cairo_translate (cr, kWellLeft, kWellTop);
    drawFrame (cr, kFacesId, model, kFaceHeight, kFaceWidth);
    cairo_restore (cr);
}

} // namespace Manual
