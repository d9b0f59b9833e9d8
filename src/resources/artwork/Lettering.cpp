// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/artwork/Painting.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <cmath>

namespace Morvane::Artwork::Paint {
namespace {

// Our own font map rather than the thread's default one: inside a host the default belongs to
// the host's toolkit. Kept for the life of the process, like the fonts it holds.
PangoFontMap* fontMap ()
{
    static PangoFontMap* const map = pango_cairo_font_map_new ();
    return map;
}

// Outline positions independent of the scale factor, so 2x is 1x doubled, not re-hinted.
PangoLayout* makeLayout (cairo_t* cr, const TextStyle& style, const char* utf8)
{
    PangoContext* context = pango_font_map_create_context (fontMap ());
    pango_cairo_update_context (cr, context);
    PangoLayout* layout = pango_layout_new (context);
    g_object_unref (context);
    cairo_font_options_t* options = cairo_font_options_create ();
    cairo_font_options_set_hint_metrics (options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style (options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_antialias (options, CAIRO_ANTIALIAS_GRAY);
    pango_cairo_context_set_font_options (pango_layout_get_context (layout), options);
    cairo_font_options_destroy (options);
    pango_layout_context_changed (layout);

    PangoFontDescription* font = pango_font_description_new ();
    pango_font_description_set_family (font, style.family);
    pango_font_description_set_weight (font, style.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style (font, style.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_font_description_set_absolute_size (font, style.size * PANGO_SCALE);
    pango_layout_set_font_description (layout, font);
    pango_font_description_free (font);

    if (style.letterSpacing != 0.0)
    {
        PangoAttrList* attributes = pango_attr_list_new ();
        const int spacing = static_cast<int> (style.letterSpacing * PANGO_SCALE);
        pango_attr_list_insert (attributes, pango_attr_letter_spacing_new (spacing));
        pango_layout_set_attributes (layout, attributes);
        pango_attr_list_unref (attributes);
    }
    pango_layout_set_text (layout, utf8, -1);
    return layout;
}

struct Placed
{
    double x = 0.0, y = 0.0, inkWidth = 0.0;
};

// The baseline on a whole device pixel row, so that flat tops and feet of capitals stay sharp.
double snapToPixelRow (cairo_t* cr, double y)
{
    double dx = 0.0, dy = y;
    cairo_user_to_device (cr, &dx, &dy);
    dy = std::round (dy);
    cairo_device_to_user (cr, &dx, &dy);
    return dy;
}

Placed place (cairo_t* cr, PangoLayout* layout, const TextStyle& style, double x, double y,
              Align align)
{
    PangoRectangle ink {};
    pango_layout_get_extents (layout, &ink, nullptr);
    const double inkX = ink.x / double (PANGO_SCALE);
    const double inkW = ink.width / double (PANGO_SCALE);
    const double baseline = pango_layout_get_baseline (layout) / double (PANGO_SCALE);
    // centre the capital height on y, whatever descenders the text has
    Placed placed;
    placed.y = snapToPixelRow (cr, y + style.size * 0.365) - baseline;
    placed.inkWidth = inkW;
    switch (align)
    {
        case Align::Left: placed.x = x - inkX; break;
        case Align::Centre: placed.x = x - inkX - inkW / 2.0; break;
        case Align::Right: placed.x = x - inkX - inkW; break;
    }
    return placed;
}

// Outlines filled rather than glyphs shown: cairo puts every shown glyph on a whole pixel, which
// spaces small letter-spaced capitals unevenly at 100 %; outlines keep Pango's fractional places.
void show (cairo_t* cr, PangoLayout* layout, double x, double y, Rgb colour, double alpha)
{
    set (cr, colour, alpha);
    cairo_move_to (cr, x, y);
    pango_cairo_layout_path (cr, layout);
    cairo_fill (cr);
}

}   // namespace

double text (cairo_t* cr, const TextStyle& style, const char* utf8, double x, double y, Align align)
{
    cairo_save (cr);
    PangoLayout* layout = makeLayout (cr, style, utf8);
    const Placed at = place (cr, layout, style, x, y, align);
    const double offset = style.size * 0.08 + 0.25;
    if (style.shadowAlpha > 0.0)
        show (cr, layout, at.x + offset, at.y + offset, {0, 0, 0}, style.shadowAlpha);
    if (style.highlightAlpha > 0.0)
        show (cr, layout, at.x - offset * 0.7, at.y - offset * 0.7, {1, 1, 1},
              style.highlightAlpha);
    show (cr, layout, at.x, at.y, style.colour, style.alpha);
    g_object_unref (layout);
    cairo_restore (cr);
    return at.inkWidth;
}

double textWidth (cairo_t* cr, const TextStyle& style, const char* utf8)
{
    PangoLayout* layout = makeLayout (cr, style, utf8);
    PangoRectangle ink {};
    pango_layout_get_extents (layout, &ink, nullptr);
    g_object_unref (layout);
    return ink.width / double (PANGO_SCALE);
}

}   // namespace Morvane::Artwork::Paint
