// SPDX-License-Identifier: GPL-3.0-or-later
// The display's controls: selector fields, the small bar buttons and the name panel's buttons.
// Fields stay dark so the editor's white lettering reads on them.
#include "resources/artwork/ArtworkFamilies.h"
#include "resources/BitmapList.h"
#include "resources/artwork/Painting.h"
#include "resources/artwork/Palette.h"

#include <cairo.h>

#include <cmath>

namespace Morvane::Artwork::Families {
using namespace Paint;

namespace {

void raisedButton (cairo_t* cr, double w, double h, bool pressed, Rgb face)
{
    const double x = 1.0, y = 1.0, bw = w - 2.0, bh = h - 2.5;
    if (!pressed)
        softShadowRect (cr, x + 0.3, y + 0.8, bw, bh, 2.5, 1.0, 0.6);
    roundedRect (cr, x, y, bw, bh, 2.5);
    cairo_pattern_t* p = cairo_pattern_create_linear (0, y, 0, y + bh);
    addStop (p, 0.0, pressed ? darker (face, 0.35) : lighter (face, 0.22));
    addStop (p, 1.0, pressed ? darker (face, 0.1) : darker (face, 0.3));
    cairo_set_source (cr, p);
    cairo_fill (cr);
    cairo_pattern_destroy (p);
    if (pressed)
    {
        cairo_save (cr);
        roundedRect (cr, x, y, bw, bh, 2.5);
        cairo_clip (cr);
        cairo_pattern_t* inner = cairo_pattern_create_linear (0, y, 0, y + 4.0);
        cairo_pattern_add_color_stop_rgba (inner, 0.0, 0, 0, 0, 0.6);
        cairo_pattern_add_color_stop_rgba (inner, 1.0, 0, 0, 0, 0.0);
        cairo_set_source (cr, inner);
        cairo_paint (cr);
        cairo_pattern_destroy (inner);
        cairo_restore (cr);
    }
    else
        bevelRect (cr, x, y, bw, bh, 2.5, 0.6, 0.35, 0.45);
    roundedRect (cr, x - 0.25, y - 0.25, bw + 0.5, bh + 0.5, 2.75);
    cairo_set_line_width (cr, 0.5);
    cairo_set_source_rgba (cr, 0, 0, 0, 0.7);
    cairo_stroke (cr);
}

void buttonLabel (cairo_t* cr, const char* label, double w, double h, bool pressed, Rgb colour,
                  bool onLight = false)
{
    TextStyle style;
    style.size = 7.0;
    style.letterSpacing = 0.8;
    style.colour = colour;
    style.shadowAlpha = onLight ? 0.0 : 0.8;
    style.highlightAlpha = onLight ? 0.35 : 0.0;
    text (cr, style, label, w / 2.0 + (pressed ? 0.3 : 0.0),
          (h - 1.5) / 2.0 + (pressed ? 0.4 : 0.0));
}

}   // namespace

void drawSelectorField (cairo_t* cr, bool open)
{
    const double w = 135.0, h = 20.0;
    recess (cr, 1.0, 1.5, w - 2.5, h - 3.0, 2.5, open ? Palette::fieldOpen () : Palette::field ());
    // glass reflection in the upper half
    cairo_save (cr);
    roundedRect (cr, 1.0, 1.5, w - 2.5, h - 3.0, 2.5);
    cairo_clip (cr);
    cairo_pattern_t* glass = cairo_pattern_create_linear (0, 1.5, 0, h / 2.0);
    cairo_pattern_add_color_stop_rgba (glass, 0.0, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba (glass, 1.0, 1, 1, 1, 0.035);
    cairo_set_source (cr, glass);
    cairo_rectangle (cr, 0, 1.5, w, h / 2.0 - 1.5);
    cairo_fill (cr);
    cairo_pattern_destroy (glass);
    cairo_restore (cr);
    if (open)
    {
        roundedRect (cr, 1.25, 1.75, w - 3.0, h - 3.5, 2.3);
        cairo_set_line_width (cr, 0.8);
        set (cr, Palette::accent (), 0.85);
        cairo_stroke (cr);
    }
    // arrow zone, parted by an engraved line
    const double ax = w - 19.0;
    cairo_rectangle (cr, ax, 4.0, 0.6, h - 8.0);
    cairo_set_source_rgba (cr, 0, 0, 0, 0.7);
    cairo_fill (cr);
    cairo_rectangle (cr, ax + 0.6, 4.0, 0.5, h - 8.0);
    cairo_set_source_rgba (cr, 1, 1, 1, 0.09);
    cairo_fill (cr);
    const double cx = ax + 9.0, cy = h / 2.0 - 0.2;
    const double dir = open ? -1.0 : 1.0;
    cairo_move_to (cr, cx - 3.6, cy - 1.8 * dir);
    cairo_line_to (cr, cx + 3.6, cy - 1.8 * dir);
    cairo_line_to (cr, cx, cy + 2.4 * dir);
    cairo_close_path (cr);
    set (cr, open ? Palette::accent () : hex (0xc9c6bf));
    cairo_fill (cr);
}

void drawBarButton (cairo_t* cr, int id)
{
    const double w = 37.0, h = 17.0;
    const bool open = id == kBitmapSaveOpen || id == kBitmapInfoOpen;
    const char* label = (id == kBitmapInfo || id == kBitmapInfoOpen) ? "INFO" : "SAVE";
    if (id == kBitmapSaveAlternative)
    {
        raisedButton (cr, w, h, false, Palette::accent ());
        buttonLabel (cr, label, w, h, false, hex (0x2a1a08), true);
        return;
    }
    raisedButton (cr, w, h, open, hex (0x3a3d42));
    buttonLabel (cr, label, w, h, open, open ? Palette::accent () : hex (0xe6e3dc));
}

void drawPanelButton (cairo_t* cr, bool accept, bool pressed)
{
    const double w = 18.0, h = 17.0;
    raisedButton (cr, w, h, pressed, hex (0x3a3d42));
    const double cx = w / 2.0 + (pressed ? 0.3 : 0.0), cy = (h - 1.5) / 2.0 + (pressed ? 0.4 : 0.0);
    cairo_set_line_cap (cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join (cr, CAIRO_LINE_JOIN_ROUND);
    for (int pass = 0; pass < 2; ++pass)
    {
        const double off = pass == 0 ? 0.5 : 0.0;
        cairo_new_path (cr);
        if (accept)
        {
            cairo_move_to (cr, cx - 3.8 + off, cy + 0.2 + off);
            cairo_line_to (cr, cx - 1.2 + off, cy + 2.8 + off);
            cairo_line_to (cr, cx + 3.8 + off, cy - 2.8 + off);
        }
        else
        {
            cairo_move_to (cr, cx - 3.0 + off, cy - 3.0 + off);
            cairo_line_to (cr, cx + 3.0 + off, cy + 3.0 + off);
            cairo_move_to (cr, cx + 3.0 + off, cy - 3.0 + off);
            cairo_line_to (cr, cx - 3.0 + off, cy + 3.0 + off);
        }
        cairo_set_line_width (cr, 1.8);
        if (pass == 0)
            cairo_set_source_rgba (cr, 0, 0, 0, 0.7);
        else
            set (cr, accept ? hex (0x8fdc6e) : hex (0xf0705a), pressed ? 0.75 : 1.0);
        cairo_stroke (cr);
    }
}

}   // namespace Morvane::Artwork::Families
