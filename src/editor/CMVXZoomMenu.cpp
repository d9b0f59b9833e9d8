// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CMVXZoomMenu.h"
#include "editor/CMVXZoomSettings.h"
#include "gui/CFrame.h"
#include "gui/COptionMenu.h"
#include "gui/CParamDisplay.h"
#include <cmath>
#include <string>

using namespace VSTGUI;

CMVXZoomMenu::CMVXZoomMenu (CurrentZoom currentZoom, Chooser chooser)
: current (std::move (currentZoom)), choose (std::move (chooser))
{}

CMVXZoomMenu::~CMVXZoomMenu ()
{
    detach ();
}

void CMVXZoomMenu::attach (CFrame* newFrame)
{
    detach ();
    frame = newFrame;
    if (frame)
        frame->registerMouseObserver (this);
}

void CMVXZoomMenu::detach ()
{
    if (menu)
    {
        menu->closePopup ();
        if (frame && menu->isAttached ())
            frame->removeView (menu, true);
        menu->forget ();
        menu = nullptr;
    }
    if (frame)
        frame->unregisterMouseObserver (this);
    frame = nullptr;
}

bool CMVXZoomMenu::isOnControl (CFrame* frame, const CPoint& where)
{
    // The deepest view under the point; containers hand the point on in their own coordinates.
    CView* view = frame;
    CPoint local = where;
    while (auto* container = dynamic_cast<CViewContainer*> (view))
    {
        CView* child = container->getViewAt (local);
        if (!child)
            break;
        if (dynamic_cast<CViewContainer*> (child))
            local.offset (-child->getViewSize ().left, -child->getViewSize ().top);
        view = child;
    }
    // The face and the lamp are pictures: only controls that report or take text count.
    auto* control = dynamic_cast<CControl*> (view);
    return control && control->getMouseEnabled ()
           && (control->getListener () != nullptr || dynamic_cast<CParamDisplay*> (control));
}

CMouseEventResult CMVXZoomMenu::onMouseDown (CFrame* pressed, const CPoint& where,
                                             const CButtonState& buttons)
{
    if (pressed != frame || !(buttons.getButtonState () & kRButton) || isOnControl (frame, where))
        return kMouseEventNotHandled;
    popupAt (where);
    return kMouseEventHandled;
}

bool CMVXZoomMenu::popupAt (const CPoint& where)
{
    if (!frame)
        return false;
    if (!menu)
    {
        // An empty rectangle at the pointer: the menu draws nothing and opens right there.
        menu = new COptionMenu (CRect (where, CPoint ()), this, -1, nullptr, nullptr,
                                kCheckStyle | kNoDrawStyle);
        for (double zoom : CMVXZoomSettings::zoomSteps ())
            menu->addEntry ("Zoom " + std::to_string (std::lround (zoom * 100.)) + " %");
        menu->remember ();
        frame->addView (menu);
    }
    menu->setViewSize (CRect (where, CPoint ()));
    menu->setMouseableArea (CRect (where, CPoint ()));
    const int index = CMVXZoomSettings::stepIndex (current ? current () : 1.);
    menu->setCurrent (index >= 0 ? index : 0);
    menu->checkEntryAlone (index);
    return menu->popup ();
}

void CMVXZoomMenu::valueChanged (CControl* control)
{
    if (control != menu || !choose)
        return;
    const int index = menu->getLastResult ();
    const auto& steps = CMVXZoomSettings::zoomSteps ();
    if (index >= 0 && index < static_cast<int> (steps.size ()))
        choose (steps[static_cast<size_t> (index)]);
}
