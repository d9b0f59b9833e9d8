// SPDX-License-Identifier: GPL-3.0-or-later
#include "CairoBitmap.h"
#include <cstring>

namespace VSTGUI {
namespace {

struct PngReader
{
    const unsigned char* bytes;
    std::size_t size;
    std::size_t position;
};

cairo_status_t readPngBytes (void* closure, unsigned char* data, unsigned int length)
{
    auto* reader = static_cast<PngReader*> (closure);
    if (reader->size - reader->position < length)
        return CAIRO_STATUS_READ_ERROR;
    std::memcpy (data, reader->bytes + reader->position, length);
    reader->position += length;
    return CAIRO_STATUS_SUCCESS;
}

// Takes a surface cairo made and keeps it only when it is a usable image.
SharedPointer<IPlatformBitmap> adoptImage (cairo_surface_t* surface)
{
    if (cairo_surface_status (surface) != CAIRO_STATUS_SUCCESS
        || cairo_image_surface_get_width (surface) <= 0
        || cairo_image_surface_get_height (surface) <= 0)
    {
        cairo_surface_destroy (surface);
        return nullptr;
    }
    return owned<IPlatformBitmap> (new CairoBitmap (surface));
}

}   // namespace

CairoBitmap::CairoBitmap (cairo_surface_t* s, double scaleFactor) : surface (s), scale (scaleFactor)
{}

CairoBitmap::~CairoBitmap ()
{
    cairo_surface_destroy (surface);
}

CPoint CairoBitmap::getSize () const
{
    return {static_cast<CCoord> (cairo_image_surface_get_width (surface)),
            static_cast<CCoord> (cairo_image_surface_get_height (surface))};
}

bool CairoBitmap::writePng (const std::string& path) const
{
    cairo_surface_flush (surface);
    return cairo_surface_write_to_png (surface, path.c_str ()) == CAIRO_STATUS_SUCCESS;
}

SharedPointer<IPlatformBitmap> IPlatformBitmap::create (int width, int height)
{
    // Cairo refuses sizes past 32767; zero-sized bitmaps are of no use to anyone.
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767)
        return nullptr;
    return adoptImage (cairo_image_surface_create (CAIRO_FORMAT_ARGB32, width, height));
}

SharedPointer<IPlatformBitmap> IPlatformBitmap::createFromPngMemory (const void* bytes,
                                                                     std::size_t size)
{
    if (!bytes || size == 0)
        return nullptr;
    PngReader reader {static_cast<const unsigned char*> (bytes), size, 0};
    return adoptImage (cairo_image_surface_create_from_png_stream (readPngBytes, &reader));
}

SharedPointer<IPlatformBitmap> IPlatformBitmap::createFromPngFile (const std::string& path)
{
    return adoptImage (cairo_image_surface_create_from_png (path.c_str ()));
}

}   // namespace VSTGUI
