// SPDX-License-Identifier: GPL-3.0-or-later
// The eight pedal faces. Knobs, footswitch and lamp are separate bitmaps laid over the face, so
// the face paints what lies under and around them: the enclosure and its finish, the knob scales
// and captions, the seat of the footswitch, the model's name and the maker's badge.
#include "resources/artwork/ArtworkFamilies.h"
#include "resources/artwork/FaceLayout.h"
#include "resources/artwork/Painting.h"

#include <cairo.h>

#include <cmath>

namespace Morvane::Artwork::Families {
using namespace Paint;

namespace {

using FaceLayout::kBodyH, FaceLayout::kBodyR, FaceLayout::kBodyW, FaceLayout::kBodyX,
    FaceLayout::kBodyY;

void enclosure (cairo_t* cr, const FaceLayout::Model& model, int index)
{
    softShadowRect (cr, kBodyX + 1.5, kBodyY + 2.5, kBodyW, kBodyH, kBodyR, 3.5, 0.75);
    paintFinish (cr, kBodyX, kBodyY, kBodyW, kBodyH, kBodyR, model.body, model.finish,
                 1000u + static_cast<unsigned> (index));
    bevelRect (cr, kBodyX, kBodyY, kBodyW, kBodyH, kBodyR, 1.6, 0.45, 0.55);
    roundedRect (cr, kBodyX - 0.3, kBodyY - 0.3, kBodyW + 0.6, kBodyH + 0.6, kBodyR + 0.3);
    cairo_set_line_width (cr, 0.6);
    cairo_set_source_rgba (cr, 0, 0, 0, 0.8);
    cairo_stroke (cr);
}

// Painted scale around a knob's place: eleven ticks from 7 to 5 o'clock, the ends longer.
void knobScale (cairo_t* cr, const FaceLayout::Knob& knob, Rgb ink)
{
    const double cx = knob.left + 20.0, cy = knob.top + 19.5;
    cairo_set_line_cap (cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i <= 10; ++i)
    {
        const double a = (120.0 + 30.0 * i) * M_PI / 180.0;
        const bool end = i == 0 || i == 10;
        const double r0 = end ? 17.0 : 17.8, r1 = end ? 20.6 : 19.8;
        cairo_set_line_width (cr, end ? 1.1 : 0.75);
        set (cr, ink, 0.85);
        cairo_move_to (cr, cx + r0 * std::cos (a), cy + r0 * std::sin (a));
        cairo_line_to (cr, cx + r1 * std::cos (a), cy + r1 * std::sin (a));
        cairo_stroke (cr);
    }
    TextStyle caption;
    caption.size = 6.9;
    caption.letterSpacing = 0.35;
    caption.colour = ink;
    caption.alpha = 0.95;
    // light lettering on a sparkling or dimpled paint needs a hint of shadow to stay crisp
    caption.shadowAlpha = (ink.r + ink.g + ink.b) / 3.0 > 0.5 ? 0.4 : 0.0;
    text (cr, caption, knob.caption, cx, knob.top + 44.5);
}

void footswitchSeat (cairo_t* cr, int style, Rgb ink)
{
    const FaceLayout::Place at = FaceLayout::footswitchPlace (style);
    if (style == 0)
    {
        const double cx = at.left + 22.0, cy = at.top + 21.0;
        // a painted ring and the dark washer the nut sits on
        cairo_set_line_width (cr, 0.9);
        set (cr, ink, 0.55);
        cairo_arc (cr, cx, cy, 23.5, 0, 2 * M_PI);
        cairo_stroke (cr);
        softShadowCircle (cr, cx + 0.5, cy + 1.0, 20.0, 1.5, 0.45);
    }
    else if (style == 1)
    {
        // cavity under the treadle and the hinge rod along its top
        const double x = at.left + 6.0, y = at.top + 2.0, w = 164.0, h = 75.0;
        recess (cr, x - 1.0, y, w + 2.0, h, 6.0, hex (0x0c0c0d));
        roundedRect (cr, x + 4.0, y - 2.2, w - 8.0, 3.4, 1.7);
        cairo_pattern_t* rod = cairo_pattern_create_linear (0, y - 2.2, 0, y + 1.2);
        cairo_pattern_add_color_stop_rgb (rod, 0.0, 0.92, 0.92, 0.92);
        cairo_pattern_add_color_stop_rgb (rod, 0.5, 0.55, 0.56, 0.58);
        cairo_pattern_add_color_stop_rgb (rod, 1.0, 0.22, 0.22, 0.24);
        cairo_set_source (cr, rod);
        cairo_fill (cr);
        cairo_pattern_destroy (rod);
    }
    else
    {
        const double x = at.left, y = at.top, w = 85.0, h = 41.0;
        roundedRect (cr, x - 2.5, y - 2.5, w + 5.0, h + 5.0, 7.0);
        cairo_set_line_width (cr, 0.9);
        set (cr, ink, 0.55);
        cairo_stroke (cr);
        recess (cr, x + 2.0, y + 2.0, w - 5.0, h - 5.0, 5.0, hex (0x101011));
    }
}

void cornerScrews (cairo_t* cr)
{
    screw (cr, kBodyX + 7.0, kBodyY + 7.0, 2.6, 0.3);
    screw (cr, kBodyX + kBodyW - 7.0, kBodyY + 7.0, 2.6, 1.2);
    screw (cr, kBodyX + 7.0, kBodyY + kBodyH - 7.0, 2.6, 0.8);
    screw (cr, kBodyX + kBodyW - 7.0, kBodyY + kBodyH - 7.0, 2.6, 0.1);
}

void makerBadge (cairo_t* cr, const FaceLayout::Model& model)
{
    if (model.makerY < 0.0)
        return;
    TextStyle maker;
    maker.size = 6.2;
    maker.letterSpacing = 1.5;
    maker.colour = model.ink;
    maker.alpha = 0.9;
    text (cr, maker, "MORVANE", model.makerX, model.makerY);
}

}   // namespace

void drawPedalFace (cairo_t* cr, int index)
{
    const FaceLayout::Model& model = FaceLayout::model (index);
    paintPedalWell (cr);
    enclosure (cr, model, index);
    if (model.screws)
        cornerScrews (cr);
    footswitchSeat (cr, model.footswitchStyle, model.ink);
    for (int i = 0; i < model.knobCount; ++i)
        knobScale (cr, model.knobs[i], model.ink);
    makerBadge (cr, model);
    FaceLayout::paintModelName (cr, index);
}

}   // namespace Morvane::Artwork::Families
