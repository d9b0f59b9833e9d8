// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shows a splash view as its frame's modal view. A left click sets the value to max, shows the
// splash view (unless it is already the modal view) and tells the listener. The splash view
// reports back through this object (make it the splash view's listener, if it is a control):
// the modal view is ended (the splash view leaves the frame without being forgotten), the value
// drops to min and the listener hears valueChanged again.
#include "CControl.h"

namespace VSTGUI {

class CSplashScreen : public CControl, public CControlListener
{
public:
    // Keeps a reference on the splash view.
    CSplashScreen (const CRect& size, CControlListener* listener, int32_t tag, CView* splashView);
    ~CSplashScreen () override;

    CView* getSplashView () const { return splashView; }
    // Ends the splash without telling the listener.
    void unSplash ();

    void draw (CDrawContext* context) override;
    CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
    // From the splash view.
    void valueChanged (CControl* control) override;
    using CControl::valueChanged;

    bool isTypeOf (IdStringPtr name) const override;

private:
    CFrame* splashFrame () const;

    SharedPointer<CView> splashView;
};

}   // namespace VSTGUI
