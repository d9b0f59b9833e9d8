// SPDX-License-Identifier: GPL-3.0-or-later
#include "D2DDrawContext.h"
#include "DWriteFont.h"
#include "WicBitmap.h"
#include "gui/CFontDesc.h"
#include <algorithm>
#include <cmath>

namespace VSTGUI {
namespace {

D2D1_RECT_F toRect (const CRect& r)
{
    return D2D1::RectF (static_cast<float> (r.left), static_cast<float> (r.top),
                        static_cast<float> (r.right), static_cast<float> (r.bottom));
}

D2D1_POINT_2F toPoint (double x, double y)
{
    return D2D1::Point2F (static_cast<float> (x), static_cast<float> (y));
}

}   // namespace

D2DDrawContext::D2DDrawContext (SharedPointer<CBitmap> bitmap, double scaleFactor)
: COffscreenContext (bitmap, scaleFactor),
  pixels (static_cast<WicBitmap*> (bitmap->getPlatformBitmap ()))
{
    const auto properties = D2D1::RenderTargetProperties (
        D2D1_RENDER_TARGET_TYPE_DEFAULT,
        D2D1::PixelFormat (DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED), 96.f, 96.f);
    if (backend.ok ())
        backend.d2d ()->CreateWicBitmapRenderTarget (pixels->getWicBitmap (), properties, &target);
}

D2DDrawContext::~D2DDrawContext ()
{
    endDraw ();
}

SharedPointer<COffscreenContext> D2DDrawContext::make (SharedPointer<CBitmap> bitmap,
                                                       double scaleFactor)
{
    auto context = owned (new D2DDrawContext (std::move (bitmap), scaleFactor));
    return context->target ? SharedPointer<COffscreenContext> (context) : nullptr;
}

void D2DDrawContext::endDraw ()
{
    if (!drawing)
        return;
    drawing = false;
    target->EndDraw ();
    pixels->invalidateCopies ();
}

bool D2DDrawContext::begin ()
{
    const State& s = getState ();
    if (s.clipAbsolute.isEmpty () || s.globalAlpha <= 0.f)
        return false;
    if (!drawing)
    {
        target->BeginDraw ();
        drawing = true;
    }
    const auto scale = static_cast<float> (getScaleFactor ());
    target->SetTransform (D2D1::Matrix3x2F::Scale (scale, scale));
    target->PushAxisAlignedClip (toRect (s.clipAbsolute), D2D1_ANTIALIAS_MODE_ALIASED);
    target->SetTransform (D2D1::Matrix3x2F::Translation (static_cast<float> (s.offset.x),
                                                         static_cast<float> (s.offset.y))
                          * D2D1::Matrix3x2F::Scale (scale, scale));
    target->SetAntialiasMode ((s.drawMode & kAntiAliasing) ? D2D1_ANTIALIAS_MODE_PER_PRIMITIVE
                                                           : D2D1_ANTIALIAS_MODE_ALIASED);
    return true;
}

void D2DDrawContext::end ()
{
    target->PopAxisAlignedClip ();
}

ID2D1SolidColorBrush* D2DDrawContext::brush (const CColor& c)
{
    const D2D1_COLOR_F colour = D2D1::ColorF (c.red / 255.f, c.green / 255.f, c.blue / 255.f,
                                              c.alpha / 255.f * getState ().globalAlpha);
    if (!solidBrush)
        target->CreateSolidColorBrush (colour, &solidBrush);
    else
        solidBrush->SetColor (colour);
    return solidBrush.Get ();
}

CRect D2DDrawContext::strokedInside (const CRect& rect, CDrawStyle style) const
{
    // A frame is stroked inside the rectangle so it never spills onto the neighbours.
    CRect r = rect;
    if (style != kDrawFilled)
        r.inset (getState ().lineWidth / 2, getState ().lineWidth / 2);
    return r;
}

void D2DDrawContext::fillAndStroke (ID2D1Geometry* geometry, CDrawStyle style)
{
    if (!geometry)
        return;
    if (style == kDrawFilled || style == kDrawFilledAndStroked)
        target->FillGeometry (geometry, brush (getState ().fillColor));
    if (style == kDrawStroked || style == kDrawFilledAndStroked)
        target->DrawGeometry (geometry, brush (getState ().frameColor),
                              static_cast<float> (getState ().lineWidth));
}

void D2DDrawContext::drawLine (const CPoint& start, const CPoint& end)
{
    if (!begin ())
        return;
    // Odd widths sit on pixel centres so a one-pixel line covers one pixel row, not two halves.
    const double half = std::fmod (getState ().lineWidth, 2.) == 1. ? 0.5 : 0.;
    target->DrawLine (toPoint (start.x + half, start.y + half),
                      toPoint (end.x + half, end.y + half), brush (getState ().frameColor),
                      static_cast<float> (getState ().lineWidth));
    this->end ();
}

void D2DDrawContext::drawRect (const CRect& rect, CDrawStyle style)
{
    if (!begin ())
        return;
    ComPtr<ID2D1RectangleGeometry> geometry;
    backend.d2d ()->CreateRectangleGeometry (toRect (strokedInside (rect, style)), &geometry);
    fillAndStroke (geometry.Get (), style);
    end ();
}

void D2DDrawContext::drawRoundRect (const CRect& rect, CCoord radius, CDrawStyle style)
{
    if (!begin ())
        return;
    const CRect r = strokedInside (rect, style);
    const auto rad = static_cast<float> (
        std::max (0., std::min ({radius, r.getWidth () / 2, r.getHeight () / 2})));
    ComPtr<ID2D1RoundedRectangleGeometry> geometry;
    backend.d2d ()->CreateRoundedRectangleGeometry (D2D1::RoundedRect (toRect (r), rad, rad),
                                                    &geometry);
    fillAndStroke (geometry.Get (), style);
    end ();
}

void D2DDrawContext::drawEllipse (const CRect& rect, CDrawStyle style)
{
    if (!begin ())
        return;
    if (rect.getWidth () > 0 && rect.getHeight () > 0)
    {
        ComPtr<ID2D1EllipseGeometry> geometry;
        backend.d2d ()->CreateEllipseGeometry (
            D2D1::Ellipse (toPoint (rect.getCenter ().x, rect.getCenter ().y),
                           static_cast<float> (rect.getWidth () / 2),
                           static_cast<float> (rect.getHeight () / 2)),
            &geometry);
        fillAndStroke (geometry.Get (), style);
    }
    end ();
}

void D2DDrawContext::clearRect (const CRect& rect)
{
    if (!begin ())
        return;
    target->PushAxisAlignedClip (toRect (rect), D2D1_ANTIALIAS_MODE_ALIASED);
    target->Clear (D2D1::ColorF (0.f, 0.f, 0.f, 0.f));
    target->PopAxisAlignedClip ();
    end ();
}

void D2DDrawContext::drawBitmap (CBitmap* bitmap, const CRect& dest, const CPoint& offset,
                                 float alpha)
{
    auto* source = bitmap ? dynamic_cast<WicBitmap*> (
                       bitmap->getBestPlatformBitmapForScaleFactor (getScaleFactor ()))
                          : nullptr;
    if (!source || source == pixels || dest.isEmpty () || !begin ())
        return;
    const double ppu = source->getScaleFactor ();
    CRect from (offset.x * ppu, offset.y * ppu, (offset.x + dest.getWidth ()) * ppu,
                (offset.y + dest.getHeight ()) * ppu);
    double bandTop = 0.;
    if (ID2D1Bitmap* d2dBitmap = source->bitmapFor (target.Get (), from.top, from.bottom, bandTop))
    {
        from.offset (0., -bandTop);
        // Whole-pixel copies at matching scales stay sharp; anything else is filtered.
        const auto filter = getScaleFactor () == ppu
                                ? D2D1_BITMAP_INTERPOLATION_MODE_NEAREST_NEIGHBOR
                                : D2D1_BITMAP_INTERPOLATION_MODE_LINEAR;
        const D2D1_RECT_F sourceRect = toRect (from);
        target->DrawBitmap (d2dBitmap, toRect (dest),
                            std::clamp (alpha, 0.f, 1.f) * getState ().globalAlpha, filter,
                            &sourceRect);
    }
    end ();
}

void D2DDrawContext::drawString (UTF8StringPtr utf8, const CRect& rect, CHoriTxtAlign align,
                                 bool antialias)
{
    CFontDesc* font = getState ().font;
    auto* dwFont = font ? dynamic_cast<DWriteFont*> (font->getPlatformFont ()) : nullptr;
    const std::wstring text = toWide (utf8);
    if (text.empty () || !dwFont || !begin ())
        return;
    ComPtr<IDWriteTextLayout> layout = dwFont->createLayout (text);
    DWRITE_TEXT_METRICS metrics {};
    DWRITE_LINE_METRICS line {};
    UINT32 lines = 0;
    if (layout && SUCCEEDED (layout->GetMetrics (&metrics))
        && SUCCEEDED (layout->GetLineMetrics (&line, 1, &lines)))
    {
        const CPoint origin = textOrigin (rect, align, metrics.widthIncludingTrailingWhitespace,
                                          dwFont->getAscent (), dwFont->getDescent ());
        // The baseline on a whole device row.
        const double scale = getScaleFactor ();
        const double oy = getState ().offset.y;
        const double baseline = std::round ((origin.y + oy) * scale) / scale - oy;
        target->SetTextAntialiasMode (antialias ? D2D1_TEXT_ANTIALIAS_MODE_GRAYSCALE
                                                : D2D1_TEXT_ANTIALIAS_MODE_ALIASED);
        target->DrawTextLayout (toPoint (std::round (origin.x), baseline - line.baseline),
                                layout.Get (), brush (getState ().fontColor));
    }
    end ();
}

CCoord D2DDrawContext::getStringWidth (UTF8StringPtr utf8)
{
    CFontDesc* font = getState ().font;
    auto* dwFont = font ? dynamic_cast<DWriteFont*> (font->getPlatformFont ()) : nullptr;
    return dwFont ? dwFont->getStringWidth (utf8) : 0;
}

SharedPointer<COffscreenContext> COffscreenContext::createOnBitmap (SharedPointer<CBitmap> bitmap,
                                                                    double scaleFactor)
{
    return D2DDrawContext::make (std::move (bitmap), scaleFactor);
}

}   // namespace VSTGUI
