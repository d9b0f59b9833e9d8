// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A control that shows its value as one line of text over a colour or a bitmap.
#include "CControl.h"
#include "CColor.h"
#include "CDrawContext.h"
#include "CFontDesc.h"
#include <functional>
#include <string>

namespace VSTGUI {

// Style flags of text displays and menus.
enum CParamDisplayStyle : int32_t
{
    kShadowText = 1 << 0,
    k3DIn = 1 << 1,
    k3DOut = 1 << 2,
    kPopupStyle = 0x400,   // a menu shows its current entry's title
    kCheckStyle = 0x800,   // a menu marks its current entry with a check mark
    kNoTextStyle = 1 << 12,
    kNoDrawStyle = 1 << 13,
    kNoFrame = 1 << 14,
    kRoundRectStyle = 1 << 15,
};

class CParamDisplay : public CControl
{
public:
    // Turns a value into the text shown; false falls back to the default "%.2f".
    using ValueToStringFunction =
        std::function<bool (float value, std::string& text, CParamDisplay*)>;

    explicit CParamDisplay (const CRect& size, CBitmap* background = nullptr, int32_t style = 0);
    CParamDisplay (const CParamDisplay& other);
    ~CParamDisplay () override;

    void setFont (CFontDesc* font);
    CFontDesc* getFont () const { return font; }
    void setFontColor (const CColor& color);
    const CColor& getFontColor () const { return fontColor; }
    void setBackColor (const CColor& color);
    const CColor& getBackColor () const { return backColor; }
    void setFrameColor (const CColor& color);
    const CColor& getFrameColor () const { return frameColor; }
    void setShadowColor (const CColor& color);
    const CColor& getShadowColor () const { return shadowColor; }
    void setHoriAlign (CHoriTxtAlign align);
    CHoriTxtAlign getHoriAlign () const { return horiAlign; }
    // Space kept free left and right (x) and top and bottom (y) of the text.
    void setTextInset (const CPoint& inset);
    const CPoint& getTextInset () const { return textInset; }
    void setStyle (int32_t newStyle);
    int32_t getStyle () const { return style; }
    void setAntialias (bool state) { antialias = state; }
    bool getAntialias () const { return antialias; }
    void setPrecision (int32_t digits) { precision = digits; }
    void setValueToStringFunction (ValueToStringFunction function);

    void draw (CDrawContext* context) override;
    bool isTypeOf (IdStringPtr name) const override;
    CBaseObject* newCopy () const override { return new CParamDisplay (*this); }

protected:
    // Background bitmap (or the given one), else colour and frame unless transparent.
    virtual void drawBack (CDrawContext* context, CBitmap* otherBackground = nullptr);
    // Text within the size less the inset, with shadow when styled so.
    virtual void drawPlatformText (CDrawContext* context, const std::string& text);
    std::string valueToString () const;
    // The rectangle text is laid out in.
    CRect getTextRect () const;

    SharedPointer<CFontDesc> font;
    CColor fontColor {kWhiteCColor};
    CColor backColor {kBlackCColor};
    CColor frameColor {kBlackCColor};
    CColor shadowColor {kRedCColor};
    CHoriTxtAlign horiAlign {kCenterText};
    CPoint textInset;
    int32_t style;
    int32_t precision {2};
    bool antialias {true};
    ValueToStringFunction valueToStringFunction;
};

}   // namespace VSTGUI
