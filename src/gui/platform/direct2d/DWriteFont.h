// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A font as a DirectWrite text format, with the family's ascent and descent at its size.
#include "D2DBackend.h"
#include "gui/platform/IPlatformFont.h"

namespace VSTGUI {

class DWriteFont : public IPlatformFont
{
public:
    // Null when DirectWrite has no font for the family (or its stand-in): a format it cannot
    // match draws nothing at all, silently.
    static SharedPointer<IPlatformFont> make (const std::string& name, CCoord sizePixels,
                                              int32_t style);

    CCoord getAscent () const override { return ascent; }
    CCoord getDescent () const override { return descent; }
    CCoord getStringWidth (UTF8StringPtr utf8) const override;
    // A one-line layout of the text in this font, or null.
    ComPtr<IDWriteTextLayout> createLayout (const std::wstring& text) const;

private:
    DWriteFont (const D2DBackend::Use& backend, ComPtr<IDWriteTextFormat> format, int32_t style);

    D2DBackend::Use backend;
    ComPtr<IDWriteTextFormat> format;
    int32_t style;
    CCoord ascent {0};
    CCoord descent {0};
};

}   // namespace VSTGUI
