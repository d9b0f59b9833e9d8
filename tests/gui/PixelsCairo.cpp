// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pixels.h"
#include "gui/platform/cairo/CairoBitmap.h"

uint32_t pixelAt (VSTGUI::IPlatformBitmap* bitmap, int x, int y)
{
    cairo_surface_t* surface = static_cast<VSTGUI::CairoBitmap*> (bitmap)->getSurface ();
    cairo_surface_flush (surface);
    const unsigned char* row =
        cairo_image_surface_get_data (surface) + y * cairo_image_surface_get_stride (surface);
    return reinterpret_cast<const uint32_t*> (row)[x];
}
