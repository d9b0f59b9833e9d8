// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CAboutView.h"
#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"
#include <cstring>

using namespace VSTGUI;

std::string aboutVersionText (const std::string& fullVersion)
{
    const size_t lastDot = fullVersion.rfind ('.');
    const std::string release =
        lastDot == std::string::npos ? fullVersion : fullVersion.substr (0, lastDot);
    const std::string build =
        lastDot == std::string::npos ? std::string () : fullVersion.substr (lastDot + 1);
    return "version " + release + " (b" + build + ")";
}

CAboutView::CAboutView (const CRect& size, CControlListener* listener, CBitmap* background,
                        const CPoint& offset)
: CControl (size, listener, 0, background), backgroundOffset (offset)
{}

CAboutView::CAboutView (const CAboutView& other)
: CControl (other), versionText (other.versionText), font (other.font), fontColor (other.fontColor),
  backgroundOffset (other.backgroundOffset)
{}

CAboutView::~CAboutView () = default;

bool CAboutView::isTypeOf (IdStringPtr name) const
{
    return std::strcmp (name, "CAboutView") == 0 || CControl::isTypeOf (name);
}

void CAboutView::setFont (CFontDesc* newFont)
{
    font = newFont;
}

void CAboutView::draw (CDrawContext* context)
{
    if (CBitmap* bitmap = getBackground ())
        bitmap->draw (context, size, backgroundOffset, getAlphaValue ());
    context->setFontColor (fontColor);
    if (font)
        context->setFont (font);
    CRect line (0, 0, size.getWidth (), kTextHeight);
    line.offset (size.left, size.top + kTextTop);
    context->drawString (versionText.c_str (), line, kCenterText, true);
    setDirty (false);
}

CMouseEventResult CAboutView::onMouseDown (CPoint&, const CButtonState& buttons)
{
    // Only a plain left click: another button, Shift or Control leaves the view open.
    constexpr int32_t kButtonsAndModifiers = kLButton | kMButton | kRButton | kShift | kControl;
    if ((buttons & kButtonsAndModifiers) != kLButton)
        return kMouseEventNotHandled;
    SharedPointer<CAboutView> guard (this);   // closing releases the view
    if (listener)
        listener->valueChanged (this);
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}
