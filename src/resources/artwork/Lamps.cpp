// SPDX-License-Identifier: GPL-3.0-or-later
// LEDs in chrome bezels: the two-state lamp and the pedal's status lamp (off, on, dim, flash).
#include "resources/artwork/ArtworkFamilies.h"
#include "resources/artwork/Painting.h"

#include <cairo.h>

#include <cmath>

namespace Morvane::Artwork::Families {
using namespace Paint;

namespace {

// brightness: 0 off, 1 lit, above 1 flashing hot
void led (cairo_t* cr, double cx, double cy, double ledRadius, double bezelRadius,
          double glowRadius, double brightness)
{
    // glow over the surroundings first, so the bezel sits on it
    if (brightness > 0.0)
    {
        cairo_pattern_t* glow =
            cairo_pattern_create_radial (cx, cy, ledRadius * 0.5, cx, cy, glowRadius);
        const double strength = std::min (brightness, 1.4);
        cairo_pattern_add_color_stop_rgba (glow, 0.0, 1.0, 0.25, 0.12, 0.55 * strength);
        cairo_pattern_add_color_stop_rgba (glow, 0.4, 1.0, 0.15, 0.05, 0.22 * strength);
        cairo_pattern_add_color_stop_rgba (glow, 1.0, 1.0, 0.1, 0.0, 0.0);
        cairo_set_source (cr, glow);
        cairo_arc (cr, cx, cy, glowRadius, 0, 2 * M_PI);
        cairo_fill (cr);
        cairo_pattern_destroy (glow);
    }
    softShadowCircle (cr, cx + 0.5, cy + 0.8, bezelRadius, 1.0, 0.55);
    cairo_pattern_t* bezel = cairo_pattern_create_linear (cx - bezelRadius, cy - bezelRadius,
                                                          cx + bezelRadius, cy + bezelRadius);
    cairo_pattern_add_color_stop_rgb (bezel, 0.0, 0.96, 0.96, 0.95);
    cairo_pattern_add_color_stop_rgb (bezel, 0.5, 0.55, 0.56, 0.58);
    cairo_pattern_add_color_stop_rgb (bezel, 1.0, 0.28, 0.28, 0.30);
    cairo_set_source (cr, bezel);
    cairo_arc (cr, cx, cy, bezelRadius, 0, 2 * M_PI);
    cairo_fill (cr);
    cairo_pattern_destroy (bezel);
    // the bezel's bore, dark on the lit side
    cairo_pattern_t* bore = cairo_pattern_create_linear (cx - ledRadius, cy - ledRadius,
                                                         cx + ledRadius, cy + ledRadius);
    cairo_pattern_add_color_stop_rgb (bore, 0.0, 0.15, 0.15, 0.16);
    cairo_pattern_add_color_stop_rgb (bore, 1.0, 0.75, 0.75, 0.76);
    cairo_set_source (cr, bore);
    cairo_arc (cr, cx, cy, ledRadius + 0.8, 0, 2 * M_PI);
    cairo_fill (cr);
    cairo_pattern_destroy (bore);
    // the lens
    const double b = std::min (brightness, 1.0);
    const double hot = std::max (0.0, brightness - 1.0);
    const Rgb dark = hex (0x4a0d0a);
    const Rgb lit = mix (hex (0xff3b1f), hex (0xfff0d8), hot);
    const Rgb core = mix (dark, lit, b);
    cairo_pattern_t* lens = cairo_pattern_create_radial (cx - ledRadius * 0.2, cy - ledRadius * 0.2,
                                                         0.0, cx, cy, ledRadius);
    const Rgb centre =
        b > 0 ? mix (core, hex (0xffe2c8), 0.6 * b + 0.4 * hot) : lighter (dark, 0.15);
    addStop (lens, 0.0, centre);
    addStop (lens, 0.6, core);
    addStop (lens, 1.0, darker (core, 0.45));
    cairo_set_source (cr, lens);
    cairo_arc (cr, cx, cy, ledRadius, 0, 2 * M_PI);
    cairo_fill (cr);
    cairo_pattern_destroy (lens);
    // specular dot of the dome
    cairo_pattern_t* spec = cairo_pattern_create_radial (
        cx - ledRadius * 0.38, cy - ledRadius * 0.42, 0.0, cx - ledRadius * 0.38,
        cy - ledRadius * 0.42, ledRadius * 0.55);
    cairo_pattern_add_color_stop_rgba (spec, 0.0, 1, 1, 1, 0.85);
    cairo_pattern_add_color_stop_rgba (spec, 1.0, 1, 1, 1, 0.0);
    cairo_set_source (cr, spec);
    cairo_arc (cr, cx, cy, ledRadius, 0, 2 * M_PI);
    cairo_fill (cr);
    cairo_pattern_destroy (spec);
}

}   // namespace

void drawLamp (cairo_t* cr, int frame)
{
    led (cr, 11.0, 11.0, 4.6, 7.6, 11.0, frame == 1 ? 1.0 : 0.0);
}

void drawStatusLamp (cairo_t* cr, int frame)
{
    static const double brightness[] = {0.0, 1.0, 0.45, 1.6};
    led (cr, 18.0, 10.0, 4.0, 6.6, 10.0, brightness[frame & 3]);
}

}   // namespace Morvane::Artwork::Families
