// SPDX-License-Identifier: GPL-3.0-or-later
#include "PangoFont.h"
#include "gui/CFontDesc.h"

namespace VSTGUI {
namespace {

// Measuring needs a Pango context even when nothing is drawn; one per process (UI thread only).
PangoContext* measuringContext ()
{
    static PangoContext* context = [] {
        auto* c = pango_font_map_create_context (pango_cairo_font_map_get_default ());
        cairo_font_options_t* options = cairo_font_options_create ();
        cairo_font_options_set_hint_metrics (options, CAIRO_HINT_METRICS_OFF);
        pango_cairo_context_set_font_options (c, options);
        cairo_font_options_destroy (options);
        return c;
    }();
    return context;
}

}   // namespace

PangoFont::PangoFont (const std::string& name, CCoord sizePixels, int32_t fontStyle)
: description (pango_font_description_new ()), style (fontStyle)
{
    pango_font_description_set_family (description, name.empty () ? "Sans" : name.c_str ());
    pango_font_description_set_absolute_size (description,
                                              (sizePixels > 0 ? sizePixels : 11) * PANGO_SCALE);
    pango_font_description_set_weight (description, (style & kBoldFace) ? PANGO_WEIGHT_BOLD
                                                                        : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style (description, (style & kItalicFace) ? PANGO_STYLE_ITALIC
                                                                         : PANGO_STYLE_NORMAL);
    PangoFontMetrics* metrics =
        pango_context_get_metrics (measuringContext (), description, nullptr);
    if (metrics)
    {
        ascent = static_cast<CCoord> (pango_font_metrics_get_ascent (metrics)) / PANGO_SCALE;
        descent = static_cast<CCoord> (pango_font_metrics_get_descent (metrics)) / PANGO_SCALE;
        pango_font_metrics_unref (metrics);
    }
}

PangoFont::~PangoFont ()
{
    pango_font_description_free (description);
}

void PangoFont::applyStyle (PangoLayout* layout) const
{
    pango_layout_set_font_description (layout, description);
    pango_layout_set_single_paragraph_mode (layout, TRUE);
    if (style & (kUnderlineFace | kStrikethroughFace))
    {
        PangoAttrList* attributes = pango_attr_list_new ();
        if (style & kUnderlineFace)
            pango_attr_list_insert (attributes, pango_attr_underline_new (PANGO_UNDERLINE_SINGLE));
        if (style & kStrikethroughFace)
            pango_attr_list_insert (attributes, pango_attr_strikethrough_new (TRUE));
        pango_layout_set_attributes (layout, attributes);
        pango_attr_list_unref (attributes);
    }
}

PangoLayout* PangoFont::createLayout (cairo_t* cr, UTF8StringPtr utf8) const
{
    PangoLayout* layout = pango_cairo_create_layout (cr);
    applyStyle (layout);
    pango_layout_set_text (layout, utf8 ? utf8 : "", -1);
    return layout;
}

CCoord PangoFont::getStringWidth (UTF8StringPtr utf8) const
{
    PangoLayout* layout = pango_layout_new (measuringContext ());
    applyStyle (layout);
    pango_layout_set_text (layout, utf8 ? utf8 : "", -1);
    PangoRectangle logical {};
    pango_layout_get_extents (layout, nullptr, &logical);
    g_object_unref (layout);
    return static_cast<CCoord> (logical.width) / PANGO_SCALE;
}

SharedPointer<IPlatformFont> IPlatformFont::create (const std::string& name, CCoord sizePixels,
                                                    int32_t style)
{
    return owned<IPlatformFont> (new PangoFont (name, sizePixels, style));
}

}   // namespace VSTGUI
