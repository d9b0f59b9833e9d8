// SPDX-License-Identifier: GPL-3.0-or-later
#include "CParamDisplay.h"
#include "CBitmap.h"
#include <cstdio>

namespace VSTGUI {

CParamDisplay::CParamDisplay (const CRect& s, CBitmap* background, int32_t st)
: CControl (s, nullptr, -1, background), font (owned (new CFontDesc ("Tahoma", 11))), style (st)
{}

CParamDisplay::CParamDisplay (const CParamDisplay& other)
: CControl (other), font (other.font), fontColor (other.fontColor), backColor (other.backColor),
  frameColor (other.frameColor), shadowColor (other.shadowColor), horiAlign (other.horiAlign),
  textInset (other.textInset), style (other.style), precision (other.precision),
  antialias (other.antialias), valueToStringFunction (other.valueToStringFunction)
{}

CParamDisplay::~CParamDisplay () = default;

void CParamDisplay::setFont (CFontDesc* newFont)
{
    if (newFont)
        font = newFont;
    setDirty ();
}

void CParamDisplay::setFontColor (const CColor& color)
{
    fontColor = color;
    setDirty ();
}

void CParamDisplay::setBackColor (const CColor& color)
{
    backColor = color;
    setDirty ();
}

void CParamDisplay::setFrameColor (const CColor& color)
{
    frameColor = color;
    setDirty ();
}

void CParamDisplay::setShadowColor (const CColor& color)
{
    shadowColor = color;
    setDirty ();
}

void CParamDisplay::setHoriAlign (CHoriTxtAlign align)
{
    horiAlign = align;
    setDirty ();
}

void CParamDisplay::setTextInset (const CPoint& inset)
{
    textInset = inset;
    setDirty ();
}

void CParamDisplay::setStyle (int32_t newStyle)
{
    style = newStyle;
    setDirty ();
}

void CParamDisplay::setValueToStringFunction (ValueToStringFunction function)
{
    valueToStringFunction = std::move (function);
    setDirty ();
}

std::string CParamDisplay::valueToString () const
{
    std::string text;
    if (valueToStringFunction
        && valueToStringFunction (value, text, const_cast<CParamDisplay*> (this)))
        return text;
    char buffer[64];
    std::snprintf (buffer, sizeof buffer, "%.*f", precision, static_cast<double> (value));
    return buffer;
}

CRect CParamDisplay::getTextRect () const
{
    CRect r = size;
    r.inset (textInset.x, textInset.y);
    return r;
}

void CParamDisplay::drawBack (CDrawContext* context, CBitmap* otherBackground)
{
    context->setDrawMode (kAntiAliasing);
    if (CBitmap* bitmap = otherBackground ? otherBackground : getBackground ())
    {
        bitmap->draw (context, size, CPoint (), getAlphaValue ());
        return;
    }
    if (getTransparency ())
        return;
    const bool round = (style & kRoundRectStyle) != 0;
    context->setFillColor (backColor);
    if (round)
        context->drawRoundRect (size, 4, kDrawFilled);
    else
        context->drawRect (size, kDrawFilled);
    if (style & (k3DIn | k3DOut))
    {
        // Light from the top left: the lit edges are the raised ones.
        const CColor light (255, 255, 255, 90), dark (0, 0, 0, 120);
        context->setLineWidth (1);
        context->setFrameColor ((style & k3DIn) ? dark : light);
        context->drawLine (CPoint (size.left, size.bottom - 1), CPoint (size.left, size.top));
        context->drawLine (CPoint (size.left, size.top), CPoint (size.right - 1, size.top));
        context->setFrameColor ((style & k3DIn) ? light : dark);
        context->drawLine (CPoint (size.right - 1, size.top),
                           CPoint (size.right - 1, size.bottom - 1));
        context->drawLine (CPoint (size.right - 1, size.bottom - 1),
                           CPoint (size.left, size.bottom - 1));
    }
    else if (!(style & kNoFrame))
    {
        context->setLineWidth (1);
        context->setFrameColor (frameColor);
        if (round)
            context->drawRoundRect (size, 4, kDrawStroked);
        else
            context->drawRect (size, kDrawStroked);
    }
}

void CParamDisplay::drawPlatformText (CDrawContext* context, const std::string& text)
{
    if (text.empty ())
        return;
    const CRect textRect = getTextRect ();
    context->setFont (font);
    if (style & kShadowText)
    {
        CRect shadow = textRect;
        shadow.offset (1, 1);
        context->setFontColor (shadowColor);
        context->drawString (text.c_str (), shadow, horiAlign, antialias);
    }
    context->setFontColor (fontColor);
    context->drawString (text.c_str (), textRect, horiAlign, antialias);
}

void CParamDisplay::draw (CDrawContext* context)
{
    if (style & kNoDrawStyle)
        return;
    drawBack (context);
    if (!(style & kNoTextStyle))
        drawPlatformText (context, valueToString ());
    setDirty (false);
}

bool CParamDisplay::isTypeOf (IdStringPtr name) const
{
    return std::strcmp (name, "CParamDisplay") == 0 || CControl::isTypeOf (name);
}

}   // namespace VSTGUI
