// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/artwork/Artwork.h"

#include "resources/artwork/ArtworkFamilies.h"
#include "resources/BitmapList.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace Morvane::Artwork {
namespace {

void drawFrame (cairo_t* cr, int id, int frame, int frames)
{
    using namespace Families;
    switch (id)
    {
        case kBitmapFootswitchRound:
        case kBitmapFootswitchBar:
        case kBitmapFootswitchBox: drawFootswitch (cr, id, frame); break;
        case kBitmapSelector: drawSelectorField (cr, false); break;
        case kBitmapSelectorOpen: drawSelectorField (cr, true); break;
        case kBitmapSave:
        case kBitmapSaveOpen:
        case kBitmapInfo:
        case kBitmapInfoOpen:
        case kBitmapSaveAlternative: drawBarButton (cr, id); break;
        case kBitmapAccept:
        case kBitmapCancel: drawPanelButton (cr, id == kBitmapAccept, frame == 1); break;
        case kBitmapLamp: drawLamp (cr, frame); break;
        case kBitmapStatusLamp: drawStatusLamp (cr, frame); break;
        case kBitmapKnobXxl:
        case kBitmapKnobDrive:
        case kBitmapKnobBat:
        case kBitmapKnobScreamer: drawKnob (cr, id, frame, frames); break;
        case kBitmapBackground: drawWindowBackground (cr); break;
        case kBitmapNamePanel: drawNamePanel (cr); break;
        case kBitmapFaces: drawPedalFace (cr, frame); break;
        case kBitmapAbout:
        case kBitmapAboutAlternative: drawAbout (cr, id); break;
        default: break;
    }
}

cairo_status_t appendToVector (void* closure, const unsigned char* data, unsigned int length)
{
    auto* out = static_cast<std::vector<unsigned char>*> (closure);
    out->insert (out->end (), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

}   // namespace

bool drawBitmap (cairo_t* cr, int id, double scale)
{
    const BitmapSize size = bitmapSize (id);
    if (size.frames == 0 || !(scale > 0.0))
        return false;
    for (int frame = 0; frame < size.frames; ++frame)
        drawBitmapFrame (cr, id, frame, scale);
    return true;
}

bool drawBitmapFrame (cairo_t* cr, int id, int frame, double scale)
{
    const BitmapSize size = bitmapSize (id);
    if (size.frames == 0 || !(scale > 0.0) || frame < 0 || frame >= size.frames)
        return false;
    const int widthPx = pixelWidth (id, scale);
    const int framePx = framePixelHeight (id, scale);
    cairo_save (cr);
    cairo_rectangle (cr, 0, frame * framePx, widthPx, framePx);
    cairo_clip (cr);
    cairo_translate (cr, 0, frame * framePx);
    // Non-integer factors stretch a hair so that every frame fills whole pixel rows.
    cairo_scale (cr, static_cast<double> (widthPx) / size.width,
                 static_cast<double> (framePx) / size.frameHeight ());
    drawFrame (cr, id, frame, size.frames);
    cairo_restore (cr);
    return true;
}

bool renderPng (int id, double scale, std::vector<unsigned char>& png)
{
    png.clear ();
    const BitmapSize size = bitmapSize (id);
    if (size.frames == 0 || !(scale > 0.0 && scale <= 16.0))
        return false;
    cairo_surface_t* surface = cairo_image_surface_create (
        CAIRO_FORMAT_ARGB32, pixelWidth (id, scale), size.frames * framePixelHeight (id, scale));
    cairo_t* cr = cairo_create (surface);
    drawBitmap (cr, id, scale);
    bool ok = cairo_status (cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy (cr);
    cairo_surface_flush (surface);
    ok = ok
         && cairo_surface_write_to_png_stream (surface, appendToVector, &png)
                == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy (surface);
    if (!ok)
        png.clear ();
    return ok;
}

}   // namespace Morvane::Artwork
