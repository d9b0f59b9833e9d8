// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's zoom menu: a right-click on the pedal's background (anywhere no control takes
// the press) opens "Zoom 100 %" ... "Zoom 300 %" at the pointer with the current zoom checked;
// a choice goes to the editor, which asks the host for the new size.
#include "gui/CControl.h"
#include "gui/IMouseObserver.h"
#include <functional>

namespace VSTGUI {
class COptionMenu;
}   // namespace VSTGUI

class CMVXZoomMenu : public VSTGUI::IMouseObserver, public VSTGUI::CControlListener
{
public:
    using Chooser = std::function<void (double zoom)>;
    using CurrentZoom = std::function<double ()>;
    CMVXZoomMenu (CurrentZoom current, Chooser choose);
    ~CMVXZoomMenu () override;

    // Watches the frame's presses until detach (the editor's close).
    void attach (VSTGUI::CFrame* frame);
    void detach ();
    // Opens the menu at a frame point, as a right-click there does; false without a frame.
    bool popupAt (const VSTGUI::CPoint& where);
    VSTGUI::COptionMenu* getMenu () const { return menu; }

    // True when a press at this frame point lands on something that answers the mouse.
    static bool isOnControl (VSTGUI::CFrame* frame, const VSTGUI::CPoint& where);

    VSTGUI::CMouseEventResult onMouseDown (VSTGUI::CFrame* frame, const VSTGUI::CPoint& where,
                                           const VSTGUI::CButtonState& buttons) override;
    void valueChanged (VSTGUI::CControl* control) override;

private:
    CurrentZoom current;
    Chooser choose;
    VSTGUI::CFrame* frame = nullptr;
    VSTGUI::COptionMenu* menu = nullptr;   // held by the frame while attached, and by us
};
