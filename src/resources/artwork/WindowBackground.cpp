// SPDX-License-Identifier: GPL-3.0-or-later
// The window behind everything (header, pedal well, product strip, two-row display) and the
// name panel that covers the display's second row while a preset name is typed.
#include "resources/artwork/ArtworkFamilies.h"
#include "resources/artwork/Painting.h"
#include "resources/artwork/Palette.h"

#include <cairo.h>

#include <cmath>

namespace Morvane::Artwork::Families {
using namespace Paint;

namespace {

constexpr double kWidth = 180.0;
constexpr double kFaceX = 2.0, kFaceY = 19.0;
constexpr double kDisplayTop = 255.0;

void header (cairo_t* cr)
{
    cairo_save (cr);
    cairo_rectangle (cr, 0, 0, kWidth, kFaceY);
    cairo_clip (cr);
    paintFinish (cr, -2, -2, kWidth + 4, kFaceY + 2, 0, hex (0x2b2e33), Finish::Brushed, 500);
    cairo_restore (cr);
    cairo_rectangle (cr, 0, 0, kWidth, 0.6);
    cairo_set_source_rgba (cr, 1, 1, 1, 0.25);
    cairo_fill (cr);

    TextStyle product;
    product.size = 11.5;
    product.colour = Palette::lettering ();
    product.shadowAlpha = 0.85;
    product.letterSpacing = 0.3;
    text (cr, product, "Overmoor", 6.0, 9.2, Align::Left);

    TextStyle maker;
    maker.size = 6.5;
    maker.letterSpacing = 1.6;
    maker.colour = Palette::accent ();
    maker.shadowAlpha = 0.8;
    const double makerRight = kWidth - 6.0;
    const double width = text (cr, maker, "MORVANE", makerRight, 9.4, Align::Right);
    // a small amber bar ahead of the maker's name
    roundedRect (cr, makerRight - width - 10.0, 8.4, 6.0, 2.0, 1.0);
    set (cr, Palette::accent (), 0.9);
    cairo_fill (cr);
}

void productStrip (cairo_t* cr)
{
    const double top = kFaceY + 220.0, h = kDisplayTop - top;
    cairo_save (cr);
    cairo_rectangle (cr, 0, top, kWidth, h);
    cairo_clip (cr);
    paintFinish (cr, -2, top, kWidth + 4, h, 0, hex (0x2b2e33), Finish::Brushed, 501);
    cairo_restore (cr);
    cairo_rectangle (cr, 0, top, kWidth, 0.6);
    cairo_set_source_rgba (cr, 1, 1, 1, 0.18);
    cairo_fill (cr);
    // stamped and filled with pale paint: light on the dark brushed strip, like the maker's name
    TextStyle stamped;
    stamped.size = 6.4;
    stamped.letterSpacing = 1.4;
    stamped.colour = hex (0xb4b8be);
    stamped.shadowAlpha = 0.8;
    const double cy = top + h / 2.0;
    text (cr, stamped, "EIGHT DRIVE CIRCUITS", kWidth / 2.0, cy);
    screw (cr, 7.0, cy, 2.6, 0.4);
    screw (cr, kWidth - 7.0, cy, 2.6, 1.1);
}

void display (cairo_t* cr)
{
    const double top = kDisplayTop, h = 300.0 - top;
    set (cr, Palette::chassis ());
    cairo_rectangle (cr, 0, top, kWidth, h);
    cairo_fill (cr);
    recess (cr, 1.0, top + 0.5, kWidth - 2.0, h - 1.5, 3.0, Palette::glass ());
    // the two rows, parted by a fine rule
    cairo_rectangle (cr, 4.0, 276.0, kWidth - 8.0, 0.5);
    cairo_set_source_rgba (cr, 0, 0, 0, 0.8);
    cairo_fill (cr);
    cairo_rectangle (cr, 4.0, 276.5, kWidth - 8.0, 0.5);
    cairo_set_source_rgba (cr, 1, 1, 1, 0.06);
    cairo_fill (cr);
}

}   // namespace

void paintPedalWell (cairo_t* cr)
{
    const double w = 180.0, h = 220.0;
    paintFinish (cr, 0, 0, w, h, 0, hex (0x18191b), Finish::Matte, 77);
    // the header and the walls throw a soft shadow into the well
    cairo_pattern_t* p = cairo_pattern_create_linear (0, 0, 0, 10);
    cairo_pattern_add_color_stop_rgba (p, 0.0, 0, 0, 0, 0.7);
    cairo_pattern_add_color_stop_rgba (p, 1.0, 0, 0, 0, 0.0);
    cairo_set_source (cr, p);
    cairo_rectangle (cr, 0, 0, w, h);
    cairo_fill (cr);
    cairo_pattern_destroy (p);
    cairo_pattern_t* v =
        cairo_pattern_create_radial (w * 0.45, h * 0.45, h * 0.3, w * 0.5, h * 0.5, h * 0.75);
    cairo_pattern_add_color_stop_rgba (v, 0.0, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba (v, 1.0, 0, 0, 0, 0.45);
    cairo_set_source (cr, v);
    cairo_rectangle (cr, 0, 0, w, h);
    cairo_fill (cr);
    cairo_pattern_destroy (v);
}

void drawWindowBackground (cairo_t* cr)
{
    set (cr, Palette::chassis ());
    cairo_paint (cr);
    cairo_save (cr);
    cairo_translate (cr, kFaceX, kFaceY);
    paintPedalWell (cr);
    cairo_restore (cr);
    header (cr);
    productStrip (cr);
    display (cr);
}

void drawNamePanel (cairo_t* cr)
{
    const double w = 180.0, h = 24.0;
    set (cr, Palette::chassis ());
    cairo_paint (cr);
    recess (cr, 1.0, 0.5, w - 2.0, h - 1.5, 3.0, Palette::glass ());
    // the name field and the seats of the two buttons
    recess (cr, 4.0, 2.0, 131.0, 17.0, 2.0, hex (0x1a2026));
    roundedRect (cr, 137.5, 0.5, 37.0, 19.0, 3.0);
    cairo_set_source_rgba (cr, 0, 0, 0, 0.35);
    cairo_fill (cr);
}

}   // namespace Morvane::Artwork::Families
