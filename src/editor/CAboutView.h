// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about view: the product artwork over the whole window with one line giving the version.
// Shown modally through a CSplashScreen (its listener); a plain left click closes it.
#include "gui/CColor.h"
#include "gui/CControl.h"
#include "gui/CFontDesc.h"
#include <string>

// "version 1.0.0 (b4)" from a four-part version "1.0.0.4": the build number is the last part.
std::string aboutVersionText (const std::string& fullVersion);

class CAboutView : public VSTGUI::CControl
{
public:
    CAboutView (const VSTGUI::CRect& size, VSTGUI::CControlListener* listener,
                VSTGUI::CBitmap* background, const VSTGUI::CPoint& backgroundOffset);
    CAboutView (const CAboutView& other);
    ~CAboutView () override;

    bool isTypeOf (VSTGUI::IdStringPtr name) const override;
    VSTGUI::CBaseObject* newCopy () const override { return new CAboutView (*this); }
    void draw (VSTGUI::CDrawContext* context) override;
    VSTGUI::CMouseEventResult onMouseDown (VSTGUI::CPoint& where,
                                           const VSTGUI::CButtonState& buttons) override;

    void setFont (VSTGUI::CFontDesc* newFont);
    void setFontColor (const VSTGUI::CColor& color) { fontColor = color; }
    void setVersionText (const std::string& text) { versionText = text; }
    const std::string& getVersionText () const { return versionText; }

    // The version line's place: the full width, 18 pixels high, 146 from the top.
    static constexpr VSTGUI::CCoord kTextTop = 146;
    static constexpr VSTGUI::CCoord kTextHeight = 18;

private:
    std::string versionText;
    VSTGUI::SharedPointer<VSTGUI::CFontDesc> font;
    VSTGUI::CColor fontColor {243, 243, 243, 255};
    VSTGUI::CPoint backgroundOffset;
};
