// SPDX-License-Identifier: GPL-3.0-or-later
#include "DWriteFont.h"
#include "gui/CFontDesc.h"
#include <cmath>

namespace VSTGUI {

DWriteFont::DWriteFont (const D2DBackend::Use& b, ComPtr<IDWriteTextFormat> f, int32_t s)
: backend (b), format (std::move (f)), style (s)
{}

SharedPointer<IPlatformFont> DWriteFont::make (const std::string& name, CCoord sizePixels,
                                               int32_t style)
{
    D2DBackend::Use backend;
    if (!backend.ok ())
        return nullptr;
    const std::wstring family = name.empty () ? L"Tahoma" : toWide (name.c_str ());
    const auto weight = (style & kBoldFace) ? DWRITE_FONT_WEIGHT_BOLD : DWRITE_FONT_WEIGHT_NORMAL;
    const auto slant = (style & kItalicFace) ? DWRITE_FONT_STYLE_ITALIC : DWRITE_FONT_STYLE_NORMAL;
    const float size = static_cast<float> (sizePixels > 0 ? sizePixels : 11);
    ComPtr<IDWriteTextFormat> format;
    if (FAILED (backend.dwrite ()->CreateTextFormat (family.c_str (), nullptr, weight, slant,
                                                     DWRITE_FONT_STRETCH_NORMAL, size, L"",
                                                     &format)))
        return nullptr;
    format->SetWordWrapping (DWRITE_WORD_WRAPPING_NO_WRAP);
    auto font = owned (new DWriteFont (backend, format, style));

    // A family DirectWrite cannot match (nor its stand-in) measures zero and draws nothing.
    const CCoord probe = font->getStringWidth ("M");
    if (!(probe > 0) || !std::isfinite (probe))
        return nullptr;
    // Ascent and descent of the family's face, else of the line its stand-in lays out.
    ComPtr<IDWriteFontCollection> collection;
    ComPtr<IDWriteFontFamily> fontFamily;
    ComPtr<IDWriteFont> face;
    UINT32 index = 0;
    BOOL exists = FALSE;
    DWRITE_FONT_METRICS metrics {};
    if (SUCCEEDED (backend.dwrite ()->GetSystemFontCollection (&collection))
        && SUCCEEDED (collection->FindFamilyName (family.c_str (), &index, &exists)) && exists
        && SUCCEEDED (collection->GetFontFamily (index, &fontFamily))
        && SUCCEEDED (
            fontFamily->GetFirstMatchingFont (weight, DWRITE_FONT_STRETCH_NORMAL, slant, &face)))
        face->GetMetrics (&metrics);
    if (metrics.designUnitsPerEm > 0)
    {
        font->ascent = size * metrics.ascent / metrics.designUnitsPerEm;
        font->descent = size * metrics.descent / metrics.designUnitsPerEm;
    }
    else
    {
        DWRITE_LINE_METRICS line {};
        UINT32 lines = 0;
        ComPtr<IDWriteTextLayout> layout = font->createLayout (L"M");
        if (!layout || FAILED (layout->GetLineMetrics (&line, 1, &lines)) || lines != 1)
            return nullptr;
        font->ascent = line.baseline;
        font->descent = line.height - line.baseline;
    }
    return font;
}

ComPtr<IDWriteTextLayout> DWriteFont::createLayout (const std::wstring& text) const
{
    ComPtr<IDWriteTextLayout> layout;
    if (FAILED (backend.dwrite ()->CreateTextLayout (text.c_str (),
                                                     static_cast<UINT32> (text.size ()),
                                                     format.Get (), 100000.f, 100000.f, &layout)))
        return nullptr;
    const DWRITE_TEXT_RANGE all {0, static_cast<UINT32> (text.size ())};
    if (style & kUnderlineFace)
        layout->SetUnderline (TRUE, all);
    if (style & kStrikethroughFace)
        layout->SetStrikethrough (TRUE, all);
    return layout;
}

CCoord DWriteFont::getStringWidth (UTF8StringPtr utf8) const
{
    const std::wstring text = toWide (utf8);
    if (text.empty ())
        return 0;
    ComPtr<IDWriteTextLayout> layout = createLayout (text);
    DWRITE_TEXT_METRICS metrics {};
    if (!layout || FAILED (layout->GetMetrics (&metrics)))
        return 0;
    return metrics.widthIncludingTrailingWhitespace;
}

SharedPointer<IPlatformFont> IPlatformFont::create (const std::string& name, CCoord sizePixels,
                                                    int32_t style)
{
    if (auto font = DWriteFont::make (name, sizePixels, style))
        return font;
    // A system without the family (Wine without Windows fonts, say) still gets legible text.
    for (const char* fallback : {"Segoe UI", "Arial", "DejaVu Sans", "Liberation Sans"})
        if (auto font = DWriteFont::make (fallback, sizePixels, style))
            return font;
    return nullptr;
}

}   // namespace VSTGUI
