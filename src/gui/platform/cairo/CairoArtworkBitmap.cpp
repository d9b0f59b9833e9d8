// SPDX-License-Identifier: GPL-3.0-or-later
// Bitmaps drawn straight from the vector artwork at a scale the build did not embed, into a
// cairo image, with no PNG round trip.
#include "CairoBitmap.h"
#ifdef OVERMOOR_GUI_EMBEDDED_PNG
#include "resources/artwork/Artwork.h"
#endif

namespace VSTGUI {

SharedPointer<IPlatformBitmap> IPlatformBitmap::createFromArtwork (int id, double scale)
{
#ifdef OVERMOOR_GUI_EMBEDDED_PNG
    const Morvane::Artwork::BitmapSize size = Morvane::Artwork::bitmapSize (id);
    if (size.frames == 0 || !(scale > 0.) || scale > 16.)
        return nullptr;
    auto bitmap = create (Morvane::Artwork::pixelWidth (id, scale),
                          size.frames * Morvane::Artwork::framePixelHeight (id, scale));
    auto* cairoBitmap = dynamic_cast<CairoBitmap*> (bitmap.get ());
    if (!cairoBitmap)
        return nullptr;
    cairo_t* cr = cairo_create (cairoBitmap->getSurface ());
    const bool drawn = Morvane::Artwork::drawBitmap (cr, id, scale)
                       && cairo_status (cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy (cr);
    cairo_surface_flush (cairoBitmap->getSurface ());
    if (!drawn)
        return nullptr;
    bitmap->setScaleFactor (scale);
    return bitmap;
#else
    (void)id;
    (void)scale;
    return nullptr;
#endif
}

} // namespace VSTGUI
