// SPDX-License-Identifier: GPL-3.0-or-later
// The about backgrounds: the product's name over a moor at dusk (900) or at first light (901), and
// the eight pedals below. The band from y 146 to 164 stays plain and dark for the version line.
#include "resources/artwork/ArtworkFamilies.h"
#include "resources/BitmapList.h"
#include "resources/artwork/FaceLayout.h"
#include "resources/artwork/Painting.h"
#include "resources/artwork/Palette.h"

#include <cairo.h>

#include <cmath>

namespace Morvane::Artwork::Families {
using namespace Paint;

namespace {

constexpr double kW = 180.0, kH = 300.0;
constexpr double kBandTop = 146.0, kBandBottom = 164.0;

struct Mood
{
    Rgb skyTop, skyMiddle, horizon, farHills, nearHills, ground;
    bool stars;
};

const Mood kDusk {hex (0x0d1228),
                  hex (0x2a2450),
                  hex (0xd9823a),
                  hex (0x2b2340),
                  hex (0x16131f),
                  hex (0x0d0c12),
                  true};
const Mood kDawn {hex (0x1b2c4a), hex (0x5d6f93), hex (0xf1c27d), hex (0x3a4660),
                  hex (0x1d2333), hex (0x0e1119), false};

void sky (cairo_t* cr, const Mood& mood)
{
    cairo_pattern_t* p = cairo_pattern_create_linear (0, 0, 0, 140);
    addStop (p, 0.0, mood.skyTop);
    addStop (p, 0.55, mood.skyMiddle);
    addStop (p, 0.92, mood.horizon);
    addStop (p, 1.0, lighter (mood.horizon, 0.3));
    cairo_set_source (cr, p);
    cairo_rectangle (cr, 0, 0, kW, 140);
    cairo_fill (cr);
    cairo_pattern_destroy (p);
    if (mood.stars)
    {
        Random rnd (901);
        for (int i = 0; i < 70; ++i)
        {
            const double x = rnd.range (0, kW), y = rnd.range (0, 80);
            const double r = rnd.range (0.2, 0.6);
            cairo_set_source_rgba (cr, 1, 1, 0.95, rnd.range (0.25, 0.9) * (1.0 - y / 100.0));
            cairo_arc (cr, x, y, r, 0, 2 * M_PI);
            cairo_fill (cr);
        }
    }
    // the moon (or the low sun) with a soft halo
    const double mx = 132.0, my = mood.stars ? 50.0 : 118.0, mr = mood.stars ? 11.0 : 15.0;
    const Rgb disc = mood.stars ? hex (0xf4ecd6) : hex (0xffe2a6);
    cairo_pattern_t* halo = cairo_pattern_create_radial (mx, my, mr, mx, my, mr * 3.5);
    addStop (halo, 0.0, disc, 0.35);
    addStop (halo, 1.0, disc, 0.0);
    cairo_set_source (cr, halo);
    cairo_arc (cr, mx, my, mr * 3.5, 0, 2 * M_PI);
    cairo_fill (cr);
    cairo_pattern_destroy (halo);
    cairo_pattern_t* face =
        cairo_pattern_create_radial (mx - mr * 0.3, my - mr * 0.3, 0, mx, my, mr);
    addStop (face, 0.0, lighter (disc, 0.4));
    addStop (face, 1.0, darker (disc, 0.12));
    cairo_set_source (cr, face);
    cairo_arc (cr, mx, my, mr, 0, 2 * M_PI);
    cairo_fill (cr);
    cairo_pattern_destroy (face);
}

// A ridge line from a few summed waves, filled down to the bottom of the picture.
void hills (cairo_t* cr, double base, double amplitude, double phase, Rgb colour)
{
    cairo_new_path (cr);
    cairo_move_to (cr, 0, kH);
    for (double x = 0; x <= kW + 0.1; x += 2.0)
    {
        const double y =
            base
            - amplitude
                  * (0.6 * std::sin (x * 0.021 + phase) + 0.3 * std::sin (x * 0.057 + phase * 2.1)
                     + 0.1 * std::sin (x * 0.13 + phase * 0.7));
        cairo_line_to (cr, x, y);
    }
    cairo_line_to (cr, kW, kH);
    cairo_close_path (cr);
    set (cr, colour);
    cairo_fill (cr);
}

void mist (cairo_t* cr, double y, double height, double alpha)
{
    cairo_pattern_t* p = cairo_pattern_create_linear (0, y - height, 0, y + height);
    cairo_pattern_add_color_stop_rgba (p, 0.0, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba (p, 0.5, 0.9, 0.9, 1, alpha);
    cairo_pattern_add_color_stop_rgba (p, 1.0, 1, 1, 1, 0.0);
    cairo_set_source (cr, p);
    cairo_rectangle (cr, 0, y - height, kW, 2 * height);
    cairo_fill (cr);
    cairo_pattern_destroy (p);
}

void title (cairo_t* cr, const Mood& mood)
{
    TextStyle maker;
    maker.size = 7.0;
    maker.letterSpacing = 3.0;
    maker.colour = Palette::accent ();
    maker.shadowAlpha = 0.6;
    text (cr, maker, "MORVANE", kW / 2.0, 18.0);

    TextStyle name;
    name.family = "DejaVu Serif Condensed";
    name.size = 28.0;
    name.colour = hex (0xf7efe0);
    name.shadowAlpha = 0.7;
    name.letterSpacing = 0.5;
    text (cr, name, "Overmoor", kW / 2.0, 96.0);
    cairo_rectangle (cr, kW / 2.0 - 38.0, 114.0, 76.0, 0.8);
    set (cr, Palette::accent (), 0.9);
    cairo_fill (cr);
}

// A model's pedal in miniature: its own face with its knobs, footswitch and lit lamp laid over it
// where the editor lays them, so that each little pedal looks like its model.
constexpr double kMiniScale = 0.185;

void miniPedal (cairo_t* cr, double x, double y, int index)
{
    using namespace FaceLayout;
    const Model& m = model (index);
    const double s = kMiniScale;
    softShadowRect (cr, x + 1.0, y + 2.0, kBodyW * s, kBodyH * s, kBodyR * s, 2.5, 0.6);
    cairo_save (cr);
    cairo_translate (cr, x - kBodyX * s, y - kBodyY * s);
    cairo_scale (cr, s, s);
    roundedRect (cr, kBodyX, kBodyY, kBodyW, kBodyH, kBodyR);
    cairo_clip (cr);
    drawPedalFace (cr, index);
    for (int k = 0; k < m.knobCount; ++k)
    {
        cairo_save (cr);
        cairo_translate (cr, m.knobs[k].left, m.knobs[k].top);
        drawKnob (cr, m.knobStrip, 70, 140);   // the middle of the film strip: at noon
        cairo_restore (cr);
    }
    const Place footswitch = footswitchPlace (m.footswitchStyle);
    cairo_save (cr);
    cairo_translate (cr, footswitch.left, footswitch.top);
    drawFootswitch (cr, kBitmapFootswitchRound + m.footswitchStyle, 0);
    cairo_restore (cr);
    cairo_translate (cr, kLampLeft, kLampTop);
    drawStatusLamp (cr, 1);
    cairo_restore (cr);
}

void pedalboard (cairo_t* cr)
{
    const double step = 39.0;
    const double left = (kW - 3.0 * step - FaceLayout::kBodyW * kMiniScale) / 2.0;
    for (int i = 0; i < 8; ++i)
        miniPedal (cr, left + (i % 4) * step, 176.0 + (i / 4) * 52.0, i);
    TextStyle line;
    line.size = 6.2;
    line.letterSpacing = 1.6;
    line.colour = hex (0x9c98a6);
    line.bold = false;
    text (cr, line, "EIGHT DRIVE CIRCUITS  \xc2\xb7  MORVANE", kW / 2.0, 288.0);
}

}   // namespace

void drawAbout (cairo_t* cr, int id)
{
    const Mood& mood = id == kBitmapAboutAlternative ? kDawn : kDusk;
    sky (cr, mood);
    title (cr, mood);
    hills (cr, 128.0, 9.0, 0.8, mood.farHills);
    mist (cr, 133.0, 6.0, 0.10);
    hills (cr, 140.0, 5.0, 2.7, mood.nearHills);
    // the version line's band: flat dark ground, nothing drawn across it
    cairo_pattern_t* p = cairo_pattern_create_linear (0, kBandTop - 4.0, 0, kH);
    addStop (p, 0.0, mood.nearHills);
    addStop (p, 0.12, mood.ground);
    addStop (p, 1.0, darker (mood.ground, 0.4));
    cairo_set_source (cr, p);
    cairo_rectangle (cr, 0, kBandTop - 2.0, kW, kH - kBandTop + 2.0);
    cairo_fill (cr);
    cairo_pattern_destroy (p);
    cairo_rectangle (cr, 20.0, kBandBottom + 3.0, kW - 40.0, 0.5);
    cairo_set_source_rgba (cr, 1, 1, 1, 0.08);
    cairo_fill (cr);
    pedalboard (cr);
}

}   // namespace Morvane::Artwork::Families
