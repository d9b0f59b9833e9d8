// SPDX-License-Identifier: GPL-3.0-or-later
// The hammered finish's dimple layer against the same blobs drawn as cairo radial-gradient fills,
// at whole and fractional scales and off the pixel grid: the layer must sit where cairo would
// draw and look the same.
#include "resources/artwork/HammeredDimples.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace Morvane::Artwork::Paint;

constexpr double kX = 2.0, kY = 3.0, kW = 60.0, kH = 45.0;
const Rgb kBase = hex (0x6a1a1b);

// The dimples as separate cairo fills: each blob's alpha falls from its centre to nothing at
// its rim. Same grid, same random sequence.
void cairoDimples (cairo_t* cr, Random& rnd)
{
    const double cell = 5.5;
    auto blob = [cr] (double x, double y, double r, Rgb c, double alpha) {
        cairo_pattern_t* p = cairo_pattern_create_radial (x, y, 0.0, x, y, r);
        addStop (p, 0.0, c, alpha);
        addStop (p, 1.0, c, 0.0);
        cairo_set_source (cr, p);
        cairo_arc (cr, x, y, r, 0, 2 * M_PI);
        cairo_fill (cr);
        cairo_pattern_destroy (p);
    };
    for (double cy = kY - cell; cy < kY + kH + cell; cy += cell * 0.8)
        for (double cx = kX - cell; cx < kX + kW + cell; cx += cell * 0.9)
        {
            const double px = cx + rnd.range (-2.0, 2.0), py = cy + rnd.range (-2.0, 2.0);
            const double pr = rnd.range (2.8, 4.6);
            const double shade = rnd.range (0.18, 0.32), light = rnd.range (0.14, 0.26);
            blob (px - pr * 0.3, py - pr * 0.3, pr * 0.85, darker (kBase, 0.6), shade);
            blob (px + pr * 0.35, py + pr * 0.35, pr * 0.7, lighter (kBase, 0.6), light);
        }
}

cairo_surface_t* paintFace (double offsetY, double sx, double sy, bool asLayer)
{
    cairo_surface_t* surface = cairo_image_surface_create (
        CAIRO_FORMAT_ARGB32, static_cast<int> (std::ceil ((kX + kW + 2) * sx)),
        static_cast<int> (std::ceil (offsetY + (kY + kH + 2) * sy)));
    cairo_t* cr = cairo_create (surface);
    cairo_translate (cr, 0, offsetY);
    cairo_scale (cr, sx, sy);
    roundedRect (cr, kX, kY, kW, kH, 9.0);
    cairo_clip (cr);
    set (cr, kBase);
    cairo_paint (cr);
    Random rnd (1007u);
    if (asLayer)
        paintDimples (cr, kX, kY, kW, kH, kBase, rnd);
    else
        cairoDimples (cr, rnd);
    cairo_destroy (cr);
    cairo_surface_flush (surface);
    return surface;
}

TEST (HammeredDimples, LayerLooksLikeCairoFillsAtWholeAndFractionalScales)
{
    struct Case
    {
        double offsetY, sx, sy;
    } cases[] = {
        {0.0, 1.0, 1.0}, {7.0, 2.0, 2.0}, {0.0, 3.0, 3.0}, {275.0, 1.25, 1.25}, {0.0, 1.5, 1.51}};
    for (const Case& c : cases)
    {
        cairo_surface_t* layer = paintFace (c.offsetY, c.sx, c.sy, true);
        cairo_surface_t* fills = paintFace (c.offsetY, c.sx, c.sy, false);
        const int width = cairo_image_surface_get_width (layer);
        const int height = cairo_image_surface_get_height (layer);
        const int stride = cairo_image_surface_get_stride (layer);
        const unsigned char* a = cairo_image_surface_get_data (layer);
        const unsigned char* b = cairo_image_surface_get_data (fills);
        int largest = 0;
        long total = 0;
        for (int row = 0; row < height; ++row)
            for (int byte = 0; byte < width * 4; ++byte)
            {
                const int d = std::abs (a[row * stride + byte] - b[row * stride + byte]);
                largest = std::max (largest, d);
                total += d;
            }
        // 8-bit rounding of thousands of overlapping blobs against one rounding of the layer
        EXPECT_LE (largest, 5) << "scale " << c.sx << " x " << c.sy;
        EXPECT_LT (double (total) / (width * height * 4.0), 0.5) << "scale " << c.sx;
        cairo_surface_destroy (layer);
        cairo_surface_destroy (fills);
    }
}

}   // namespace
