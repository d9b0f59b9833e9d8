// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A font as a Pango description with an absolute size in pixels; fontconfig picks a fallback
// family when the named one is not installed.
#include "gui/platform/IPlatformFont.h"
#include <pango/pangocairo.h>

namespace VSTGUI {

class PangoFont : public IPlatformFont
{
public:
    PangoFont (const std::string& name, CCoord sizePixels, int32_t style);
    ~PangoFont () override;

    CCoord getAscent () const override { return ascent; }
    CCoord getDescent () const override { return descent; }
    CCoord getStringWidth (UTF8StringPtr utf8) const override;

    // A one-line layout of the text in this font for the given cairo context (caller unrefs).
    PangoLayout* createLayout (cairo_t* cr, UTF8StringPtr utf8) const;
    const PangoFontDescription* getDescription () const { return description; }

private:
    void applyStyle (PangoLayout* layout) const;

    PangoFontDescription* description;
    int32_t style;
    CCoord ascent {0};
    CCoord descent {0};
};

}   // namespace VSTGUI
