// SPDX-License-Identifier: GPL-3.0-or-later
// Hammered paint: shallow dimples, each lit on its lower-right inner slope (it faces the light)
// and shaded on its upper-left one; soft blobs, so the cells run into each other.
//
// A face holds some 3,800 blobs. As cairo fills they cost a pixman pass as wide as the face per
// blob row, which grew with the square of the scale (55 ms per face at 3x); laid here into one
// layer, as the radial ramps cairo would draw (full alpha at the centre to none at the rim,
// sampled at pixel centres), and composited once, a face costs a few milliseconds.
#include "resources/artwork/HammeredDimples.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace Morvane::Artwork::Paint {
namespace {

struct Blob
{
    double x, y, radius;   // logical units
    Rgb colour;
    double alpha;   // at the centre
};

std::vector<Blob> layOut (double x, double y, double w, double h, Rgb base, Random& rnd)
{
    constexpr double cell = 5.5;
    const Rgb shade = darker (base, 0.6), light = lighter (base, 0.6);
    std::vector<Blob> blobs;
    for (double cy = y - cell; cy < y + h + cell; cy += cell * 0.8)
    {
        for (double cx = x - cell; cx < x + w + cell; cx += cell * 0.9)
        {
            const double px = cx + rnd.range (-2.0, 2.0);
            const double py = cy + rnd.range (-2.0, 2.0);
            const double pr = rnd.range (2.8, 4.6);
            const double shadeAlpha = rnd.range (0.18, 0.32);
            const double lightAlpha = rnd.range (0.14, 0.26);
            blobs.push_back ({px - pr * 0.3, py - pr * 0.3, pr * 0.85, shade, shadeAlpha});
            blobs.push_back ({px + pr * 0.35, py + pr * 0.35, pr * 0.7, light, lightAlpha});
        }
    }
    return blobs;
}

// Premultiplied floating-point RGBA over a block of device pixels.
struct Layer
{
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<float> rgba;

    void over (double cx, double cy, double rx, double ry, Rgb c, double alpha)
    {
        const int x0 = std::max (0, static_cast<int> (std::floor (cx - rx - left)));
        const int x1 = std::min (width, static_cast<int> (std::ceil (cx + rx - left)) + 1);
        const int y0 = std::max (0, static_cast<int> (std::floor (cy - ry - top)));
        const int y1 = std::min (height, static_cast<int> (std::ceil (cy + ry - top)) + 1);
        for (int row = y0; row < y1; ++row)
        {
            const double dy = (top + row + 0.5 - cy) / ry;
            float* pixel = rgba.data () + (static_cast<size_t> (row) * width + x0) * 4;
            for (int col = x0; col < x1; ++col, pixel += 4)
            {
                const double dx = (left + col + 0.5 - cx) / rx;
                const double t = std::sqrt (dx * dx + dy * dy);
                if (t >= 1.0)
                    continue;
                const auto a = static_cast<float> (alpha * (1.0 - t));
                const float keep = 1.0f - a;
                pixel[0] = static_cast<float> (c.r) * a + pixel[0] * keep;
                pixel[1] = static_cast<float> (c.g) * a + pixel[1] * keep;
                pixel[2] = static_cast<float> (c.b) * a + pixel[2] * keep;
                pixel[3] = a + pixel[3] * keep;
            }
        }
    }

    cairo_surface_t* toSurface () const
    {
        cairo_surface_t* surface = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, width, height);
        if (cairo_surface_status (surface) != CAIRO_STATUS_SUCCESS)
            return surface;
        cairo_surface_flush (surface);
        unsigned char* data = cairo_image_surface_get_data (surface);
        const int stride = cairo_image_surface_get_stride (surface);
        auto byte = [] (float v) {
            return static_cast<std::uint32_t> (std::lround (std::clamp (v, 0.0f, 1.0f) * 255.0f));
        };
        for (int row = 0; row < height; ++row)
        {
            auto* out = reinterpret_cast<std::uint32_t*> (data + row * stride);
            const float* in = rgba.data () + static_cast<size_t> (row) * width * 4;
            for (int col = 0; col < width; ++col, in += 4)
                out[col] =
                    byte (in[3]) << 24 | byte (in[0]) << 16 | byte (in[1]) << 8 | byte (in[2]);
        }
        cairo_surface_mark_dirty (surface);
        return surface;
    }
};

}   // namespace

void paintDimples (cairo_t* cr, double x, double y, double w, double h, Rgb base, Random& rnd)
{
    const std::vector<Blob> blobs = layOut (x, y, w, h, base, rnd);
    double ux = 1.0, uy = 0.0, vx = 0.0, vy = 1.0;
    cairo_user_to_device_distance (cr, &ux, &uy);
    cairo_user_to_device_distance (cr, &vx, &vy);
    const double scaleX = std::hypot (ux, uy), scaleY = std::hypot (vx, vy);
    double left = x, top = y, right = x + w, bottom = y + h;
    cairo_user_to_device (cr, &left, &top);
    cairo_user_to_device (cr, &right, &bottom);
    Layer layer;
    layer.left = static_cast<int> (std::floor (std::min (left, right)));
    layer.top = static_cast<int> (std::floor (std::min (top, bottom)));
    layer.width = static_cast<int> (std::ceil (std::max (left, right))) - layer.left;
    layer.height = static_cast<int> (std::ceil (std::max (top, bottom))) - layer.top;
    if (layer.width <= 0 || layer.height <= 0 || layer.width > 16384 || layer.height > 16384)
        return;
    layer.rgba.assign (static_cast<size_t> (layer.width) * layer.height * 4, 0.0f);
    for (const Blob& blob : blobs)
    {
        double cx = blob.x, cy = blob.y;
        cairo_user_to_device (cr, &cx, &cy);
        layer.over (cx, cy, blob.radius * scaleX, blob.radius * scaleY, blob.colour, blob.alpha);
    }
    cairo_surface_t* surface = layer.toSurface ();
    if (cairo_surface_status (surface) == CAIRO_STATUS_SUCCESS)
    {
        cairo_save (cr);
        cairo_identity_matrix (cr);
        cairo_set_source_surface (cr, surface, layer.left, layer.top);
        cairo_paint (cr);
        cairo_restore (cr);
    }
    cairo_surface_destroy (surface);
}

}   // namespace Morvane::Artwork::Paint
