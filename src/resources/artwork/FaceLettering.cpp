// SPDX-License-Identifier: GPL-3.0-or-later
// Each model's name in its own lettering, painted in the free band between knobs and footswitch.
#include "resources/artwork/FaceLayout.h"

#include <cairo.h>

#include <cmath>

namespace Morvane::Artwork::FaceLayout {
using namespace Paint;

namespace {

constexpr double kCentre = 88.5;

TextStyle painted (const Model& m, double size, bool useAccent = false)
{
    TextStyle style;
    style.size = size;
    style.colour = useAccent ? m.accent : m.ink;
    style.shadowAlpha = 0.25;
    return style;
}

void rule (cairo_t* cr, double x0, double x1, double y, Rgb colour, double width)
{
    cairo_rectangle (cr, x0, y - width / 2.0, x1 - x0, width);
    set (cr, colour, 0.9);
    cairo_fill (cr);
}

void trebleBooster (cairo_t* cr, const Model& m)
{
    // an enamel plate carrying the name
    const double x = 22.0, y = 52.0, w = 133.0, h = 78.0;
    roundedRect (cr, x + 0.8, y + 1.2, w, h, 5.0);
    cairo_set_source_rgba (cr, 0, 0, 0, 0.35);
    cairo_fill (cr);
    roundedRect (cr, x, y, w, h, 5.0);
    cairo_pattern_t* p = cairo_pattern_create_linear (0, y, 0, y + h);
    addStop (p, 0.0, lighter (m.accent, 0.12));
    addStop (p, 1.0, darker (m.accent, 0.25));
    cairo_set_source (cr, p);
    cairo_fill (cr);
    cairo_pattern_destroy (p);
    bevelRect (cr, x, y, w, h, 5.0, 1.0, 0.4, 0.5);
    roundedRect (cr, x + 4.0, y + 4.0, w - 8.0, h - 8.0, 3.0);
    cairo_set_line_width (cr, 0.8);
    set (cr, hex (0xf3e6d0), 0.8);
    cairo_stroke (cr);
    TextStyle big;
    big.family = "DejaVu Serif Condensed";
    big.size = 21.0;
    big.letterSpacing = 1.0;
    big.colour = hex (0xf6ecd9);
    big.shadowAlpha = 0.55;
    text (cr, big, "TREBLE", x + w / 2.0, y + 24.0);
    rule (cr, x + 26.0, x + w - 26.0, y + 39.0, hex (0xf6ecd9), 0.8);
    text (cr, big, "BOOSTER", x + w / 2.0, y + 55.0);
}

void xxlDistortion (cairo_t* cr, const Model& m)
{
    TextStyle big = painted (m, 34.0, true);
    big.italic = true;
    big.letterSpacing = -0.5;
    text (cr, big, "XXL", kCentre, 110.0);
    TextStyle small = painted (m, 9.5);
    small.letterSpacing = 2.2;
    text (cr, small, "DISTORTION+", kCentre, 134.0);
}

void batDistortion (cairo_t* cr, const Model& m)
{
    // wings either side of the name, drawn as two swept strokes
    for (int side = -1; side <= 1; side += 2)
    {
        cairo_new_path (cr);
        cairo_move_to (cr, kCentre + side * 33.0, 104.0);
        cairo_curve_to (cr, kCentre + side * 50.0, 96.0, kCentre + side * 62.0, 100.0,
                        kCentre + side * 74.0, 92.0);
        cairo_curve_to (cr, kCentre + side * 66.0, 106.0, kCentre + side * 52.0, 104.0,
                        kCentre + side * 33.0, 116.0);
        cairo_close_path (cr);
        set (cr, m.accent, 0.85);
        cairo_fill (cr);
    }
    TextStyle big = painted (m, 27.0);
    big.letterSpacing = 3.0;
    text (cr, big, "BAT", kCentre + 1.5, 108.0);
    TextStyle small = painted (m, 9.0, true);
    small.letterSpacing = 2.6;
    text (cr, small, "DISTORTION", kCentre, 132.0);
}

void overDrive (cairo_t* cr, const Model& m)
{
    TextStyle big = painted (m, 19.0);
    big.letterSpacing = 0.4;
    text (cr, big, "Over Drive", kCentre, 106.0);
    rule (cr, kCentre - 44.0, kCentre + 44.0, 119.0, m.ink, 1.0);
}

void superDrive (cairo_t* cr, const Model& m)
{
    TextStyle big = painted (m, 19.0);
    big.family = "DejaVu Serif Condensed";
    big.italic = true;
    text (cr, big, "Super Drive", kCentre, 105.0);
    // three speed lines in the model's light blue
    for (int i = 0; i < 3; ++i)
        rule (cr, kCentre - 46.0 + i * 6.0, kCentre + 46.0 - i * 6.0, 117.0 + i * 2.6, m.accent,
              0.9);
}

void screamer (cairo_t* cr, const Model& m, const char* number, double numberSize)
{
    // a bold band across the face, the number on it
    const double y = 96.0, h = 30.0;
    // inside the enclosure's bevelled edge, which stays lit along the band
    const double x0 = 3.6, x1 = 172.4;
    set (cr, m.accent, 0.92);
    cairo_rectangle (cr, x0, y, x1 - x0, h);
    cairo_fill (cr);
    cairo_rectangle (cr, x0, y - 1.5, x1 - x0, 0.8);
    cairo_fill (cr);
    cairo_rectangle (cr, x0, y + h + 0.7, x1 - x0, 0.8);
    cairo_fill (cr);
    TextStyle big;
    big.size = numberSize;
    big.italic = true;
    big.colour = hex (0xfff7ea);
    big.shadowAlpha = 0.35;
    text (cr, big, number, kCentre + 1.0, y + h / 2.0);
    TextStyle word = painted (m, 10.5);
    word.letterSpacing = 3.2;
    text (cr, word, "SCREAMER", kCentre + 1.5, 143.0);
}

void metalTone (cairo_t* cr, const Model& m)
{
    // the two words flank the lamp
    TextStyle name = painted (m, 12.0, true);
    name.italic = true;
    name.letterSpacing = 0.8;
    text (cr, name, "METAL", 41.0, 19.5);
    text (cr, name, "TONE", 137.0, 19.5);
}

}   // namespace

void paintModelName (cairo_t* cr, int index)
{
    const Model& m = model (index);
    switch (index)
    {
        case 1: xxlDistortion (cr, m); break;
        case 2: batDistortion (cr, m); break;
        case 3: overDrive (cr, m); break;
        case 4: superDrive (cr, m); break;
        case 5: screamer (cr, m, "9", 26.0); break;
        case 6: screamer (cr, m, "808", 24.0); break;
        case 7: metalTone (cr, m); break;
        default: trebleBooster (cr, m); break;
    }
}

}   // namespace Morvane::Artwork::FaceLayout
