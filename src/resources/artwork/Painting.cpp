// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/artwork/Painting.h"

#include "resources/artwork/HammeredDimples.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace Morvane::Artwork::Paint {

Rgb hex (std::uint32_t rgb)
{
    return {((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0};
}

Rgb mix (Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb lighter (Rgb c, double amount)
{
    return mix (c, {1.0, 1.0, 1.0}, amount);
}

Rgb darker (Rgb c, double amount)
{
    return mix (c, {0.0, 0.0, 0.0}, amount);
}

void set (cairo_t* cr, Rgb c, double alpha)
{
    cairo_set_source_rgba (cr, c.r, c.g, c.b, alpha);
}

void addStop (cairo_pattern_t* p, double offset, Rgb c, double alpha)
{
    cairo_pattern_add_color_stop_rgba (p, offset, c.r, c.g, c.b, alpha);
}

double Random::next ()
{
    // xorshift32: plenty for texture and identical on every platform
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return (state >> 8) * (1.0 / 16777216.0);
}

void roundedRect (cairo_t* cr, double x, double y, double w, double h, double r)
{
    r = std::min ({r, w / 2.0, h / 2.0});
    cairo_new_sub_path (cr);
    cairo_arc (cr, x + w - r, y + r, r, -M_PI / 2.0, 0.0);
    cairo_arc (cr, x + w - r, y + h - r, r, 0.0, M_PI / 2.0);
    cairo_arc (cr, x + r, y + h - r, r, M_PI / 2.0, M_PI);
    cairo_arc (cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path (cr);
}

void softShadowRect (cairo_t* cr, double x, double y, double w, double h, double r, double blur,
                     double alpha)
{
    constexpr int layers = 8;
    for (int i = layers; i >= 1; --i)
    {
        const double grow = blur * i / layers;
        roundedRect (cr, x - grow, y - grow, w + 2 * grow, h + 2 * grow, r + grow);
        cairo_set_source_rgba (cr, 0, 0, 0, alpha / layers);
        cairo_fill (cr);
    }
}

void softShadowCircle (cairo_t* cr, double cx, double cy, double radius, double blur, double alpha)
{
    const double outer = radius + blur;
    cairo_pattern_t* p = cairo_pattern_create_radial (cx, cy, 0.0, cx, cy, outer);
    const double inner = std::max (0.0, (radius - blur) / outer);
    cairo_pattern_add_color_stop_rgba (p, 0.0, 0, 0, 0, alpha);
    cairo_pattern_add_color_stop_rgba (p, inner, 0, 0, 0, alpha);
    cairo_pattern_add_color_stop_rgba (p, (inner + 1.0) / 2.0, 0, 0, 0, alpha * 0.35);
    cairo_pattern_add_color_stop_rgba (p, 1.0, 0, 0, 0, 0.0);
    cairo_set_source (cr, p);
    cairo_arc (cr, cx, cy, outer, 0, 2 * M_PI);
    cairo_fill (cr);
    cairo_pattern_destroy (p);
}

void bevelRect (cairo_t* cr, double x, double y, double w, double h, double r, double width,
                double lightAlpha, double darkAlpha)
{
    cairo_save (cr);
    roundedRect (cr, x, y, w, h, r);
    cairo_clip (cr);
    cairo_set_line_width (cr, width * 2.0);
    cairo_pattern_t* p = cairo_pattern_create_linear (x, y, x + w * 0.35, y + h);
    cairo_pattern_add_color_stop_rgba (p, 0.0, 1, 1, 1, lightAlpha);
    cairo_pattern_add_color_stop_rgba (p, 0.45, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba (p, 0.55, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba (p, 1.0, 0, 0, 0, darkAlpha);
    cairo_set_source (cr, p);
    roundedRect (cr, x, y, w, h, r);
    cairo_stroke (cr);
    cairo_pattern_destroy (p);
    cairo_restore (cr);
}

void recess (cairo_t* cr, double x, double y, double w, double h, double r, Rgb fill)
{
    // light lip below and right, where the edge catches the light
    roundedRect (cr, x - 0.5, y - 0.5, w + 1.5, h + 1.5, r + 0.5);
    cairo_set_source_rgba (cr, 1, 1, 1, 0.16);
    cairo_fill (cr);
    roundedRect (cr, x - 0.5, y - 0.5, w + 1.0, h + 1.0, r + 0.5);
    cairo_set_source_rgba (cr, 0, 0, 0, 0.55);
    cairo_fill (cr);
    roundedRect (cr, x, y, w, h, r);
    set (cr, fill);
    cairo_fill (cr);
    // inner shadow from the upper edge
    cairo_save (cr);
    roundedRect (cr, x, y, w, h, r);
    cairo_clip (cr);
    cairo_pattern_t* p = cairo_pattern_create_linear (0, y, 0, y + std::min (h, 5.0));
    cairo_pattern_add_color_stop_rgba (p, 0.0, 0, 0, 0, 0.55);
    cairo_pattern_add_color_stop_rgba (p, 1.0, 0, 0, 0, 0.0);
    cairo_set_source (cr, p);
    cairo_paint (cr);
    cairo_pattern_destroy (p);
    p = cairo_pattern_create_linear (x, 0, x + std::min (w, 4.0), 0);
    cairo_pattern_add_color_stop_rgba (p, 0.0, 0, 0, 0, 0.35);
    cairo_pattern_add_color_stop_rgba (p, 1.0, 0, 0, 0, 0.0);
    cairo_set_source (cr, p);
    cairo_paint (cr);
    cairo_pattern_destroy (p);
    cairo_restore (cr);
}

namespace {

void baseGradient (cairo_t* cr, double x, double y, double w, double h, Rgb base, double spread)
{
    cairo_pattern_t* p = cairo_pattern_create_linear (x, y, x + w * 0.6, y + h);
    addStop (p, 0.0, lighter (base, spread));
    addStop (p, 0.5, base);
    addStop (p, 1.0, darker (base, spread * 1.4));
    cairo_set_source (cr, p);
    cairo_paint (cr);
    cairo_pattern_destroy (p);
}

void sheen (cairo_t* cr, double x, double y, double w, double h, double alpha)
{
    cairo_pattern_t* p = cairo_pattern_create_linear (x, y, x + w, y + h * 0.8);
    cairo_pattern_add_color_stop_rgba (p, 0.0, 1, 1, 1, alpha);
    cairo_pattern_add_color_stop_rgba (p, 0.30, 1, 1, 1, alpha * 0.35);
    cairo_pattern_add_color_stop_rgba (p, 0.42, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba (p, 1.0, 1, 1, 1, 0.0);
    cairo_set_source (cr, p);
    cairo_paint (cr);
    cairo_pattern_destroy (p);
}

// Brushing streaks are gathered into a few paths by tone and strength and stroked once per
// path: thousands of separate strokes would make every render slow.
void streaks (cairo_t* cr, double x, double y, double w, double h, Random& rnd)
{
    constexpr int strengths = 4;
    constexpr double alphaMax = 0.16, rowStep = 0.33;
    std::vector<double> lines[2][strengths];   // x0, x1, y per streak; tone 0 dark, 1 light
    for (double py = y; py < y + h; py += rowStep)
    {
        double px = x - rnd.range (0, 30);
        while (px < x + w)
        {
            const double len = rnd.range (8, 60);
            const int tone = rnd.next () < 0.5 ? 0 : 1;
            const int level = std::min (strengths - 1, static_cast<int> (rnd.next () * strengths));
            lines[tone][level].insert (lines[tone][level].end (), {px, px + len, py});
            px += len + rnd.range (0, 6);
        }
    }
    cairo_set_line_width (cr, 0.3);
    cairo_set_line_cap (cr, CAIRO_LINE_CAP_BUTT);
    for (int tone = 0; tone < 2; ++tone)
    {
        for (int level = 0; level < strengths; ++level)
        {
            const std::vector<double>& v = lines[tone][level];
            cairo_new_path (cr);
            for (size_t k = 0; k + 2 < v.size (); k += 3)
            {
                cairo_move_to (cr, v[k], v[k + 2]);
                cairo_line_to (cr, v[k + 1], v[k + 2]);
            }
            cairo_set_source_rgba (cr, tone, tone, tone, alphaMax * (level + 0.5) / strengths);
            cairo_stroke (cr);
        }
    }
}

// Specks are set pixel by pixel at the target's resolution: at that size a speck is a pixel
// anyway, and tens of thousands of tiny vector shapes would make every render slow.
void specks (cairo_t* cr, double x, double y, double w, double h, Random& rnd, double coverage,
             double alphaMax, double darkShare)
{
    double ux = 1.0, uy = 0.0, vx = 0.0, vy = 1.0;
    cairo_user_to_device_distance (cr, &ux, &uy);
    cairo_user_to_device_distance (cr, &vx, &vy);
    const double scaleX = std::hypot (ux, uy), scaleY = std::hypot (vx, vy);
    const int pw = static_cast<int> (std::ceil (w * scaleX));
    const int ph = static_cast<int> (std::ceil (h * scaleY));
    if (pw <= 0 || ph <= 0 || pw > 16384 || ph > 16384)
        return;
    cairo_surface_t* grain = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, pw, ph);
    if (cairo_surface_status (grain) != CAIRO_STATUS_SUCCESS)
        return;
    cairo_surface_flush (grain);
    unsigned char* data = cairo_image_surface_get_data (grain);
    const int stride = cairo_image_surface_get_stride (grain);
    for (int row = 0; row < ph; ++row)
    {
        auto* pixel = reinterpret_cast<std::uint32_t*> (data + row * stride);
        for (int col = 0; col < pw; ++col)
        {
            if (rnd.next () >= coverage)
            {
                pixel[col] = 0;
                continue;
            }
            const auto a = static_cast<std::uint32_t> (rnd.next () * alphaMax * 255.0);
            const std::uint32_t v = rnd.next () < darkShare ? 0u : a;   // premultiplied
            pixel[col] = (a << 24) | (v << 16) | (v << 8) | v;
        }
    }
    cairo_surface_mark_dirty (grain);
    cairo_save (cr);
    cairo_translate (cr, x, y);
    cairo_scale (cr, 1.0 / scaleX, 1.0 / scaleY);
    cairo_set_source_surface (cr, grain, 0, 0);
    cairo_pattern_set_filter (cairo_get_source (cr), CAIRO_FILTER_NEAREST);
    cairo_paint (cr);
    cairo_restore (cr);
    cairo_surface_destroy (grain);
}

}   // namespace

void paintFinish (cairo_t* cr, double x, double y, double w, double h, double r, Rgb base,
                  Finish finish, std::uint32_t seed)
{
    Random rnd (seed);
    cairo_save (cr);
    roundedRect (cr, x, y, w, h, r);
    cairo_clip (cr);
    switch (finish)
    {
        case Finish::Flake:
            baseGradient (cr, x, y, w, h, base, 0.18);
            specks (cr, x, y, w, h, rnd, 0.22, 0.45, 0.35);
            sheen (cr, x, y, w, h, 0.22);
            break;
        case Finish::Hammered:
            baseGradient (cr, x, y, w, h, base, 0.12);
            paintDimples (cr, x, y, w, h, base, rnd);
            sheen (cr, x, y, w, h, 0.18);
            break;
        case Finish::Brushed: {
            baseGradient (cr, x, y, w, h, base, 0.10);
            streaks (cr, x, y, w, h, rnd);
            // the broad soft band that brushed metal throws back
            cairo_pattern_t* p = cairo_pattern_create_linear (x, y, x + w, y + h * 0.3);
            cairo_pattern_add_color_stop_rgba (p, 0.15, 1, 1, 1, 0.0);
            cairo_pattern_add_color_stop_rgba (p, 0.35, 1, 1, 1, 0.22);
            cairo_pattern_add_color_stop_rgba (p, 0.55, 1, 1, 1, 0.0);
            cairo_pattern_add_color_stop_rgba (p, 0.80, 1, 1, 1, 0.10);
            cairo_pattern_add_color_stop_rgba (p, 0.95, 1, 1, 1, 0.0);
            cairo_set_source (cr, p);
            cairo_paint (cr);
            cairo_pattern_destroy (p);
            break;
        }
        case Finish::Matte:
            baseGradient (cr, x, y, w, h, base, 0.08);
            specks (cr, x, y, w, h, rnd, 0.5, 0.10, 0.5);
            sheen (cr, x, y, w, h, 0.06);
            break;
        case Finish::Gloss:
            baseGradient (cr, x, y, w, h, base, 0.16);
            sheen (cr, x, y, w, h, 0.35);
            break;
    }
    cairo_restore (cr);
}

void screw (cairo_t* cr, double cx, double cy, double radius, double angle)
{
    softShadowCircle (cr, cx + 0.4, cy + 0.6, radius, 0.8, 0.5);
    cairo_pattern_t* p =
        cairo_pattern_create_radial (cx - radius * 0.4, cy - radius * 0.4, 0.0, cx, cy, radius);
    cairo_pattern_add_color_stop_rgb (p, 0.0, 0.95, 0.95, 0.93);
    cairo_pattern_add_color_stop_rgb (p, 0.6, 0.68, 0.68, 0.67);
    cairo_pattern_add_color_stop_rgb (p, 1.0, 0.38, 0.38, 0.38);
    cairo_set_source (cr, p);
    cairo_arc (cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_fill (cr);
    cairo_pattern_destroy (p);
    cairo_set_line_width (cr, radius * 0.32);
    cairo_set_line_cap (cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 2; ++i)
    {
        const double a = angle + i * M_PI / 2.0;
        const double dx = std::cos (a) * radius * 0.62;
        const double dy = std::sin (a) * radius * 0.62;
        cairo_set_source_rgba (cr, 0.12, 0.12, 0.12, 0.85);
        cairo_move_to (cr, cx - dx, cy - dy);
        cairo_line_to (cr, cx + dx, cy + dy);
        cairo_stroke (cr);
    }
}

}   // namespace Morvane::Artwork::Paint
