// SPDX-License-Identifier: GPL-3.0-or-later
// The embedded PNGs, and bitmaps drawn straight from the vector artwork at a scale the build did
// not embed, into a cairo image with no PNG round trip, one frame at a time as frames are first
// drawn: a window shows one of eight pedal faces and a few of 140 knob positions, so a new zoom
// costs what it shows.
#include "resources/BitmapSource.h"
#include "gui/platform/cairo/CairoBitmap.h"
#include "resources/EmbeddedPng.h"
#include "resources/artwork/Artwork.h"
#include <algorithm>
#include <cmath>
#include <vector>

namespace Morvane::Resources {
namespace {

using VSTGUI::IPlatformBitmap;
using VSTGUI::SharedPointer;

class ArtworkBitmap : public VSTGUI::CairoBitmap
{
public:
    ArtworkBitmap (cairo_surface_t* surface, int resourceId, double scale, int frames)
    : CairoBitmap (surface, scale), id (resourceId), drawn (static_cast<size_t> (frames), false),
      framePixels (Artwork::framePixelHeight (resourceId, scale))
    {}

    void prepareRows (double top, double bottom) override
    {
        if (framePixels <= 0)
            return;
        const int count = static_cast<int> (drawn.size ());
        const int first =
            std::clamp (static_cast<int> (std::floor (top / framePixels)), 0, count - 1);
        const int last =
            std::clamp (static_cast<int> (std::ceil (bottom / framePixels)) - 1, 0, count - 1);
        cairo_t* cr = nullptr;
        for (int frame = first; frame <= last; ++frame)
        {
            if (drawn[static_cast<size_t> (frame)])
                continue;
            if (!cr)
            {
                cairo_surface_flush (getSurface ());
                cr = cairo_create (getSurface ());
            }
            Artwork::drawBitmapFrame (cr, id, frame, getScaleFactor ());
            drawn[static_cast<size_t> (frame)] = true;
        }
        if (cr)
        {
            cairo_destroy (cr);
            cairo_surface_mark_dirty (getSurface ());
        }
    }

    bool writePng (const std::string& path) const override
    {
        const double allRows = static_cast<double> (drawn.size ()) * framePixels;
        const_cast<ArtworkBitmap*> (this)->prepareRows (0, allRows);
        return CairoBitmap::writePng (path);
    }

private:
    int id;
    std::vector<bool> drawn;
    int framePixels;
};

class ArtworkSource : public VSTGUI::IBitmapSource
{
public:
    Png findPng (int32_t id, int scale) const override
    {
        const PngData png = Resources::findPng (id, scale);
        return {png.bytes, png.size};
    }

    SharedPointer<IPlatformBitmap> render (int32_t id, double scale) const override
    {
        const Artwork::BitmapSize size = Artwork::bitmapSize (id);
        if (size.frames == 0 || !(scale > 0.) || scale > 16.)
            return nullptr;
        const int width = Artwork::pixelWidth (id, scale);
        const int height = size.frames * Artwork::framePixelHeight (id, scale);
        if (width <= 0 || height <= 0 || width > 32767 || height > 32767)
            return nullptr;
        cairo_surface_t* surface = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, width, height);
        if (cairo_surface_status (surface) != CAIRO_STATUS_SUCCESS)
        {
            cairo_surface_destroy (surface);
            return nullptr;
        }
        return VSTGUI::owned<IPlatformBitmap> (new ArtworkBitmap (surface, id, scale, size.frames));
    }
};

}   // namespace

const VSTGUI::IBitmapSource& bitmapSource ()
{
    static const ArtworkSource source;
    return source;
}

}   // namespace Morvane::Resources
