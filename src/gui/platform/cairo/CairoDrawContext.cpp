// SPDX-License-Identifier: GPL-3.0-or-later
#include "CairoDrawContext.h"
#include "CairoBitmap.h"
#include "PangoFont.h"
#include "gui/CFontDesc.h"
#include <cmath>

namespace VSTGUI {
namespace {
// The toolkit's own: it depends on nothing of the product, whose engine keeps another.
constexpr double kPi = 3.14159265358979323846;
}   // namespace

CairoDrawContext::CairoDrawContext (SharedPointer<CBitmap> bitmap, double scaleFactor)
: COffscreenContext (bitmap, scaleFactor),
  cr (cairo_create (static_cast<CairoBitmap*> (bitmap->getPlatformBitmap ())->getSurface ()))
{
    // Unhinted metrics keep text widths the same at every scale and in every measurement.
    cairo_font_options_t* options = cairo_font_options_create ();
    cairo_font_options_set_hint_metrics (options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias (options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options (cr, options);
    cairo_font_options_destroy (options);
}

CairoDrawContext::~CairoDrawContext ()
{
    cairo_destroy (cr);
}

cairo_surface_t* CairoDrawContext::getSurface () const
{
    return cairo_get_target (cr);
}

void CairoDrawContext::endDraw ()
{
    cairo_surface_flush (getSurface ());
}

bool CairoDrawContext::begin ()
{
    const State& s = getState ();
    if (s.clipAbsolute.isEmpty () || s.globalAlpha <= 0.f)
        return false;
    cairo_save (cr);
    const double scale = getScaleFactor ();
    cairo_scale (cr, scale, scale);
    cairo_rectangle (cr, s.clipAbsolute.left, s.clipAbsolute.top, s.clipAbsolute.getWidth (),
                     s.clipAbsolute.getHeight ());
    cairo_clip (cr);
    cairo_translate (cr, s.offset.x, s.offset.y);
    cairo_set_antialias (cr, (s.drawMode & kAntiAliasing) ? CAIRO_ANTIALIAS_DEFAULT
                                                          : CAIRO_ANTIALIAS_NONE);
    cairo_set_line_width (cr, s.lineWidth);
    return true;
}

void CairoDrawContext::setSource (const CColor& c)
{
    cairo_set_source_rgba (cr, c.red / 255., c.green / 255., c.blue / 255.,
                           c.alpha / 255. * getState ().globalAlpha);
}

CRect CairoDrawContext::strokedInside (const CRect& rect, CDrawStyle style) const
{
    // A frame is stroked inside the rectangle so it never spills onto the neighbours.
    CRect r = rect;
    if (style != kDrawFilled)
    {
        const double half = getState ().lineWidth / 2;
        r.inset (half, half);
    }
    return r;
}

void CairoDrawContext::fillAndStroke (CDrawStyle style)
{
    if (style == kDrawFilled || style == kDrawFilledAndStroked)
    {
        setSource (getState ().fillColor);
        if (style == kDrawFilled)
            cairo_fill (cr);
        else
            cairo_fill_preserve (cr);
    }
    if (style == kDrawStroked || style == kDrawFilledAndStroked)
    {
        setSource (getState ().frameColor);
        cairo_stroke (cr);
    }
}

void CairoDrawContext::drawLine (const CPoint& start, const CPoint& end)
{
    if (!begin ())
        return;
    // Odd widths sit on pixel centres so a one-pixel line covers one pixel row, not two halves.
    const double half = std::fmod (getState ().lineWidth, 2.) == 1. ? 0.5 : 0.;
    cairo_move_to (cr, start.x + half, start.y + half);
    cairo_line_to (cr, end.x + half, end.y + half);
    setSource (getState ().frameColor);
    cairo_stroke (cr);
    this->end ();
}

void CairoDrawContext::drawRect (const CRect& rect, CDrawStyle style)
{
    if (!begin ())
        return;
    const CRect r = strokedInside (rect, style);
    cairo_rectangle (cr, r.left, r.top, r.getWidth (), r.getHeight ());
    fillAndStroke (style);
    end ();
}

void CairoDrawContext::drawRoundRect (const CRect& rect, CCoord radius, CDrawStyle style)
{
    if (!begin ())
        return;
    const CRect r = strokedInside (rect, style);
    const double rad = std::max (0., std::min ({radius, r.getWidth () / 2, r.getHeight () / 2}));
    cairo_new_sub_path (cr);
    cairo_arc (cr, r.right - rad, r.top + rad, rad, -kPi / 2, 0);
    cairo_arc (cr, r.right - rad, r.bottom - rad, rad, 0, kPi / 2);
    cairo_arc (cr, r.left + rad, r.bottom - rad, rad, kPi / 2, kPi);
    cairo_arc (cr, r.left + rad, r.top + rad, rad, kPi, 3 * kPi / 2);
    cairo_close_path (cr);
    fillAndStroke (style);
    end ();
}

void CairoDrawContext::drawEllipse (const CRect& rect, CDrawStyle style)
{
    if (!begin ())
        return;
    if (rect.getWidth () > 0 && rect.getHeight () > 0)
    {
        cairo_save (cr);
        cairo_translate (cr, rect.getCenter ().x, rect.getCenter ().y);
        cairo_scale (cr, rect.getWidth () / 2, rect.getHeight () / 2);
        cairo_arc (cr, 0, 0, 1, 0, 2 * kPi);
        cairo_restore (cr);
        fillAndStroke (style);
    }
    end ();
}

void CairoDrawContext::clearRect (const CRect& rect)
{
    if (!begin ())
        return;
    cairo_set_operator (cr, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle (cr, rect.left, rect.top, rect.getWidth (), rect.getHeight ());
    cairo_fill (cr);
    end ();
}

void CairoDrawContext::drawBitmap (CBitmap* bitmap, const CRect& dest, const CPoint& offset,
                                   float alpha)
{
    auto* source = bitmap ? dynamic_cast<CairoBitmap*> (
                       bitmap->getBestPlatformBitmapForScaleFactor (getScaleFactor ()))
                          : nullptr;
    if (!source || dest.isEmpty () || !begin ())
        return;
    cairo_rectangle (cr, dest.left, dest.top, dest.getWidth (), dest.getHeight ());
    cairo_clip (cr);
    cairo_translate (cr, dest.left - offset.x, dest.top - offset.y);
    const double pixelsPerUnit = source->getScaleFactor ();
    cairo_scale (cr, 1. / pixelsPerUnit, 1. / pixelsPerUnit);
    source->prepareRows (offset.y * pixelsPerUnit, (offset.y + dest.getHeight ()) * pixelsPerUnit);
    cairo_surface_flush (source->getSurface ());
    cairo_set_source_surface (cr, source->getSurface (), 0, 0);
    // Whole-pixel copies at matching scales stay sharp; anything else is filtered.
    if (getScaleFactor () == pixelsPerUnit)
        cairo_pattern_set_filter (cairo_get_source (cr), CAIRO_FILTER_NEAREST);
    cairo_paint_with_alpha (cr, std::clamp (alpha, 0.f, 1.f) * getState ().globalAlpha);
    end ();
}

void CairoDrawContext::drawString (UTF8StringPtr utf8, const CRect& rect, CHoriTxtAlign align,
                                   bool antialias)
{
    CFontDesc* font = getState ().font;
    auto* pangoFont = font ? dynamic_cast<PangoFont*> (font->getPlatformFont ()) : nullptr;
    if (!utf8 || !*utf8 || !pangoFont || !begin ())
        return;
    PangoLayout* layout = pangoFont->createLayout (cr, utf8);
    PangoRectangle logical {};
    pango_layout_get_pixel_extents (layout, nullptr, &logical);
    const CPoint origin =
        textOrigin (rect, align, logical.width, pangoFont->getAscent (), pangoFont->getDescent ());
    const double baseline = pango_layout_get_baseline (layout) / double (PANGO_SCALE);
    double left = std::round (origin.x - logical.x);
    double baselineY = origin.y;
    // The glyphs' outlines are filled rather than shown: cairo would put each glyph on a whole
    // pixel and space the letters unevenly, Pango's fractional positions are kept this way. The
    // baseline lies on a whole device row, which keeps flat edges sharp.
    cairo_user_to_device (cr, &left, &baselineY);
    baselineY = std::round (baselineY);
    cairo_device_to_user (cr, &left, &baselineY);
    cairo_move_to (cr, left, baselineY - baseline);
    pango_cairo_layout_path (cr, layout);
    cairo_set_antialias (cr, antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    setSource (getState ().fontColor);
    cairo_fill (cr);
    g_object_unref (layout);
    end ();
}

CCoord CairoDrawContext::getStringWidth (UTF8StringPtr utf8)
{
    CFontDesc* font = getState ().font;
    auto* pangoFont = font ? dynamic_cast<PangoFont*> (font->getPlatformFont ()) : nullptr;
    if (!utf8 || !pangoFont)
        return 0;
    PangoLayout* layout = pangoFont->createLayout (cr, utf8);
    PangoRectangle logical {};
    pango_layout_get_extents (layout, nullptr, &logical);
    g_object_unref (layout);
    return static_cast<CCoord> (logical.width) / PANGO_SCALE;
}

SharedPointer<COffscreenContext> COffscreenContext::createOnBitmap (SharedPointer<CBitmap> bitmap,
                                                                    double scaleFactor)
{
    return owned<COffscreenContext> (new CairoDrawContext (std::move (bitmap), scaleFactor));
}

}   // namespace VSTGUI
