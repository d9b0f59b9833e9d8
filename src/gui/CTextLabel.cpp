// SPDX-License-Identifier: GPL-3.0-or-later
#include "CTextLabel.h"

namespace VSTGUI {

CTextLabel::CTextLabel (const CRect& s, UTF8StringPtr t, CBitmap* background, int32_t st)
: CParamDisplay (s, background, st), text (t ? t : "")
{}

void CTextLabel::setText (const std::string& newText)
{
    if (newText == text)
        return;
    text = newText;
    setDirty ();
}

void CTextLabel::draw (CDrawContext* context)
{
    if (style & kNoDrawStyle)
        return;
    drawBack (context);
    if (!(style & kNoTextStyle))
        drawPlatformText (context, text);
    setDirty (false);
}

bool CTextLabel::isTypeOf (IdStringPtr name) const
{
    return std::strcmp (name, "CTextLabel") == 0 || CParamDisplay::isTypeOf (name);
}

}   // namespace VSTGUI
