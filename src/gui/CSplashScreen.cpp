// SPDX-License-Identifier: GPL-3.0-or-later
#include "CSplashScreen.h"
#include "CBitmap.h"
#include "CFrame.h"

namespace VSTGUI {

CSplashScreen::CSplashScreen (const CRect& s, CControlListener* l, int32_t t, CView* view)
: CControl (s, l, t), splashView (view)
{}

CSplashScreen::~CSplashScreen ()
{
    if (CFrame* frame = splashFrame (); frame && frame->getModalView () == splashView)
        frame->setModalView (nullptr);
}

CFrame* CSplashScreen::splashFrame () const
{
    // The splash screen itself need not be in the window; its splash view is once shown.
    if (splashView && splashView->getFrame ())
        return splashView->getFrame ();
    return getFrame ();
}

void CSplashScreen::draw (CDrawContext* context)
{
    if (CBitmap* bitmap = getBackground ())
        bitmap->draw (context, size, CPoint (), getAlphaValue ());
    setDirty (false);
}

CMouseEventResult CSplashScreen::onMouseDown (CPoint&, const CButtonState& buttons)
{
    if (!buttons.isLeftButton ())
        return kMouseEventNotHandled;
    SharedPointer<CSplashScreen> guard (this);
    value = vmax;
    if (splashView && splashView->getFrame () == nullptr)
        if (CFrame* frame = getFrame ())
            frame->setModalView (splashView);
    valueChanged ();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CSplashScreen::unSplash ()
{
    value = vmin;
    if (CFrame* frame = splashFrame (); frame && frame->getModalView () == splashView)
    {
        frame->setModalView (nullptr);
        frame->invalid ();
    }
}

void CSplashScreen::valueChanged (CControl* control)
{
    if (!splashView || control != splashView.get ())
        return;
    SharedPointer<CSplashScreen> guard (this);
    unSplash ();
    CControl::valueChanged ();
}

bool CSplashScreen::isTypeOf (IdStringPtr name) const
{
    return std::strcmp (name, "CSplashScreen") == 0 || CControl::isTypeOf (name);
}

}   // namespace VSTGUI
