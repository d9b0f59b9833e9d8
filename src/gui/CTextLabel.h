// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A display that shows a fixed UTF-8 text instead of its value.
#include "CParamDisplay.h"

namespace VSTGUI {

class CTextLabel : public CParamDisplay
{
public:
    explicit CTextLabel (const CRect& size, UTF8StringPtr text = nullptr,
                         CBitmap* background = nullptr, int32_t style = 0);
    CTextLabel (const CTextLabel& other) = default;

    virtual void setText (const std::string& newText);
    const std::string& getText () const { return text; }

    void draw (CDrawContext* context) override;
    bool isTypeOf (IdStringPtr name) const override;
    CBaseObject* newCopy () const override { return new CTextLabel (*this); }

protected:
    std::string text;
};

}   // namespace VSTGUI
