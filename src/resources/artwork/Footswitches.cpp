// SPDX-License-Identifier: GPL-3.0-or-later
// The three footswitches, up (frame 0) and pressed (frame 1). They sit on the face, so outside
// their hardware they stay transparent; pressing sinks the cap and shortens its shadow.
#include "resources/artwork/ArtworkFamilies.h"
#include "resources/BitmapList.h"
#include "resources/artwork/Painting.h"

#include <cairo.h>

#include <cmath>

namespace Morvane::Artwork::Families {
using namespace Paint;

namespace {

void polygonPath (cairo_t* cr, double cx, double cy, double r, int sides, double rotation)
{
    cairo_new_path (cr);
    for (int i = 0; i < sides; ++i)
    {
        const double a = rotation + 2 * M_PI * i / sides;
        cairo_line_to (cr, cx + r * std::cos (a), cy + r * std::sin (a));
    }
    cairo_close_path (cr);
}

void chromeFill (cairo_t* cr, double x0, double y0, double x1, double y1, double dim)
{
    cairo_pattern_t* p = cairo_pattern_create_linear (x0, y0, x1, y1);
    const double k = 1.0 - dim;
    cairo_pattern_add_color_stop_rgb (p, 0.0, 0.97 * k, 0.97 * k, 0.96 * k);
    cairo_pattern_add_color_stop_rgb (p, 0.35, 0.70 * k, 0.71 * k, 0.72 * k);
    cairo_pattern_add_color_stop_rgb (p, 0.5, 0.45 * k, 0.46 * k, 0.48 * k);
    cairo_pattern_add_color_stop_rgb (p, 0.62, 0.82 * k, 0.82 * k, 0.83 * k);
    cairo_pattern_add_color_stop_rgb (p, 1.0, 0.35 * k, 0.35 * k, 0.37 * k);
    cairo_set_source (cr, p);
    cairo_pattern_destroy (p);
}

// 100: a chrome push button in a hexagonal nut
void roundStomp (cairo_t* cr, bool pressed)
{
    const double cx = 22.0, cy = 20.5;
    softShadowCircle (cr, cx + 1.2, cy + 1.8, 18.0, 2.2, 0.5);
    // nut with chamfered faces
    polygonPath (cr, cx, cy, 18.5, 6, M_PI / 6.0);
    chromeFill (cr, cx - 18, cy - 18, cx + 18, cy + 18, 0.12);
    cairo_fill_preserve (cr);
    cairo_set_line_width (cr, 0.6);
    cairo_set_source_rgba (cr, 0, 0, 0, 0.5);
    cairo_stroke (cr);
    cairo_arc (cr, cx, cy, 15.5, 0, 2 * M_PI);
    chromeFill (cr, cx + 14, cy + 14, cx - 14, cy - 14, 0.2);
    cairo_fill (cr);
    // the cap: sinks about a unit when pressed
    const double lift = pressed ? 0.2 : 1.6;
    const double r = pressed ? 11.0 : 11.5;
    softShadowCircle (cr, cx + lift * 0.6, cy + lift, r, 1.0 + lift * 0.8, 0.65);
    cairo_arc (cr, cx - lift * 0.3, cy - lift * 0.5, r, 0, 2 * M_PI);
    chromeFill (cr, cx - r, cy - r, cx + r * 0.6, cy + r, pressed ? 0.25 : 0.0);
    cairo_fill (cr);
    cairo_pattern_t* dome = cairo_pattern_create_radial (cx - 4.0, cy - 5.0, 0.5, cx, cy, r);
    cairo_pattern_add_color_stop_rgba (dome, 0.0, 1, 1, 1, pressed ? 0.45 : 0.8);
    cairo_pattern_add_color_stop_rgba (dome, 0.5, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba (dome, 1.0, 0, 0, 0, 0.25);
    cairo_set_source (cr, dome);
    cairo_arc (cr, cx - lift * 0.3, cy - lift * 0.5, r, 0, 2 * M_PI);
    cairo_fill (cr);
    cairo_pattern_destroy (dome);
    cairo_set_line_width (cr, 0.5);
    cairo_set_source_rgba (cr, 0, 0, 0, 0.45);
    cairo_arc (cr, cx - lift * 0.3, cy - lift * 0.5, r, 0, 2 * M_PI);
    cairo_stroke (cr);
}

// 101: a full-width treadle with a ribbed rubber pad, hinged at the top edge
void treadle (cairo_t* cr, bool pressed)
{
    const double x = 4.0, y = 3.0, w = 163.0, h = 72.0;
    const double sink = pressed ? 1.5 : 0.0;
    softShadowRect (cr, x + 1.0, y + 2.5 + sink * 0.3, w, h - sink, 6.0, pressed ? 2.0 : 3.5, 0.6);
    // the treadle shell, a lighter grey top edge where it curves over the hinge
    roundedRect (cr, x, y + sink * 0.5, w, h - sink * 0.5, 6.0);
    cairo_pattern_t* shell = cairo_pattern_create_linear (0, y, 0, y + h);
    const double k = pressed ? 0.85 : 1.0;
    cairo_pattern_add_color_stop_rgb (shell, 0.0, 0.42 * k, 0.43 * k, 0.45 * k);
    cairo_pattern_add_color_stop_rgb (shell, 0.08, 0.24 * k, 0.25 * k, 0.27 * k);
    cairo_pattern_add_color_stop_rgb (shell, 0.92, 0.16 * k, 0.16 * k, 0.18 * k);
    cairo_pattern_add_color_stop_rgb (shell, 1.0, 0.08, 0.08, 0.09);
    cairo_set_source (cr, shell);
    cairo_fill (cr);
    cairo_pattern_destroy (shell);
    bevelRect (cr, x, y + sink * 0.5, w, h - sink * 0.5, 6.0, 1.0, pressed ? 0.2 : 0.35, 0.5);
    // rubber pad
    const double px = x + 9.0, py = y + 9.0 + sink, pw = w - 18.0, ph = h - 20.0 - sink;
    recess (cr, px, py, pw, ph, 4.0, hex (0x1b1b1c));
    cairo_save (cr);
    roundedRect (cr, px, py, pw, ph, 4.0);
    cairo_clip (cr);
    for (double ry = py + 3.0; ry < py + ph - 1.0; ry += 3.4)
    {
        roundedRect (cr, px + 4.0, ry, pw - 8.0, 1.6, 0.8);
        cairo_set_source_rgba (cr, 1, 1, 1, pressed ? 0.07 : 0.10);
        cairo_fill (cr);
        roundedRect (cr, px + 4.0, ry + 1.6, pw - 8.0, 0.8, 0.4);
        cairo_set_source_rgba (cr, 0, 0, 0, 0.5);
        cairo_fill (cr);
    }
    cairo_restore (cr);
    // makers' badge pressed into the lower lip
    TextStyle badge;
    badge.size = 6.0;
    badge.letterSpacing = 1.4;
    badge.colour = hex (0xb9bcc2);
    badge.alpha = pressed ? 0.6 : 0.8;
    badge.shadowAlpha = 0.7;
    text (cr, badge, "MORVANE", x + w / 2.0, y + h - 5.5 + sink * 0.3);
}

// 102: a rectangular rocker plate with a grooved rubber face in a chrome bezel
void rectangularPlate (cairo_t* cr, bool pressed)
{
    const double x = 3.0, y = 3.0, w = 79.0, h = 34.0;
    softShadowRect (cr, x + 1.0, y + 2.0, w, h, 5.0, 2.5, 0.55);
    roundedRect (cr, x, y, w, h, 5.0);
    chromeFill (cr, x, y, x + w * 0.4, y + h, 0.1);
    cairo_fill (cr);
    bevelRect (cr, x, y, w, h, 5.0, 0.8, 0.5, 0.5);
    const double sink = pressed ? 1.0 : 0.0;
    const double ix = x + 4.0, iy = y + 4.0, iw = w - 8.0, ih = h - 8.0;
    recess (cr, ix, iy, iw, ih, 3.0, hex (0x141415));
    cairo_save (cr);
    roundedRect (cr, ix + 1.0, iy + 1.0 + sink, iw - 2.0, ih - 2.0 - sink, 2.5);
    cairo_clip (cr);
    cairo_pattern_t* pad = cairo_pattern_create_linear (0, iy, 0, iy + ih);
    const double k = pressed ? 0.7 : 1.0;
    cairo_pattern_add_color_stop_rgb (pad, 0.0, 0.30 * k, 0.30 * k, 0.31 * k);
    cairo_pattern_add_color_stop_rgb (pad, 1.0, 0.12 * k, 0.12 * k, 0.13 * k);
    cairo_set_source (cr, pad);
    cairo_paint (cr);
    cairo_pattern_destroy (pad);
    for (double gx = ix + 4.0; gx < ix + iw - 3.0; gx += 3.0)
    {
        cairo_rectangle (cr, gx, iy, 1.0, ih);
        cairo_set_source_rgba (cr, 0, 0, 0, 0.45);
        cairo_fill (cr);
        cairo_rectangle (cr, gx + 1.0, iy, 0.6, ih);
        cairo_set_source_rgba (cr, 1, 1, 1, 0.07);
        cairo_fill (cr);
    }
    cairo_restore (cr);
}

}   // namespace

void drawFootswitch (cairo_t* cr, int id, int frame)
{
    const bool pressed = frame == 1;
    switch (id)
    {
        case kBitmapFootswitchRound: roundStomp (cr, pressed); break;
        case kBitmapFootswitchBar: treadle (cr, pressed); break;
        default: rectangularPlate (cr, pressed); break;
    }
}

}   // namespace Morvane::Artwork::Families
