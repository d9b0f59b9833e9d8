// SPDX-License-Identifier: GPL-3.0-or-later
#include "SnapshotPicture.h"
#include <cairo.h>
#include <cstring>

namespace EditorTest {

bool loadPicture (const std::string& path, Picture& picture)
{
    cairo_surface_t* surface = cairo_image_surface_create_from_png (path.c_str ());
    const bool ok = cairo_surface_status (surface) == CAIRO_STATUS_SUCCESS;
    if (ok)
    {
        cairo_surface_flush (surface);
        picture.width = cairo_image_surface_get_width (surface);
        picture.height = cairo_image_surface_get_height (surface);
        picture.pixels.resize (static_cast<size_t> (picture.width) * picture.height);
        // ARGB32 or RGB24: four bytes per pixel either way.
        for (int y = 0; y < picture.height; ++y)
            std::memcpy (picture.pixels.data () + static_cast<size_t> (y) * picture.width,
                         cairo_image_surface_get_data (surface)
                             + y * cairo_image_surface_get_stride (surface),
                         4 * static_cast<size_t> (picture.width));
    }
    cairo_surface_destroy (surface);
    return ok;
}

}   // namespace EditorTest
