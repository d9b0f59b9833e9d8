// SPDX-License-Identifier: GPL-3.0-or-later
// The about view, shown modally over the window through a splash screen; a plain left click on
// it ends the splash, which reports value 0 with tag 19, and the view is released.
#include "editor/CAboutView.h"
#include "editor/CMVXStravelCtrlBaseSet.h"
#include "editor/CMVXStravelGUIContainer.h"
#include "editor/CMVXStravelGUIEditor.h"
#include "entry/OvermoorVersion.h"
#include "gui/CBitmap.h"
#include "gui/CFrame.h"
#include "gui/CSplashScreen.h"

using namespace VSTGUI;

void CMVXStravelGUIEditor::showAboutView ()
{
    CBitmap* bitmap = guiContainer ? guiContainer->getBitmap (kBitmapAbout) : nullptr;
    if (!bitmap || !frame)
        return;
    releaseAboutView (false);

    // The frame adopts the view's first reference as its modal view and hands it back when the
    // splash ends; the splash screen keeps one of its own until it is released.
    aboutView = new CAboutView (CRect (0, 0, bitmap->getWidth (), bitmap->getHeight ()), this,
                                bitmap, CPoint (0, 0));
    SharedPointer<CFontDesc> font = makeOwned<CFontDesc> ("Tahoma", 11, kBoldFace);
    aboutView->setFont (font);
    aboutView->setFontColor (CColor (200, 200, 200, 250));
    aboutView->setVersionText (aboutVersionText (OvermoorVersion::kVersion));
    splashScreen = new CSplashScreen (aboutView->getViewSize (), this, kTagAboutView, aboutView);
    aboutView->setListener (splashScreen);
    if (!frame->setModalView (aboutView))
    {
        releaseAboutView (true);   // never adopted: the first reference is still ours
        return;
    }
    CPoint corner (0, 0);
    splashScreen->onMouseDown (corner, CButtonState (kLButton));   // value 1: shown
}

void CMVXStravelGUIEditor::aboutViewValueChanged (CControl* control)
{
    if (control != splashScreen || control->getValueNormalized () >= 0.5f)
        return;   // the splash reporting that it is shown
    releaseAboutView (true);
    if (frame)
        frame->invalid ();
}

void CMVXStravelGUIEditor::releaseAboutView (bool endedBySplash)
{
    CAboutView* view = aboutView;
    CSplashScreen* splash = splashScreen;
    aboutView = nullptr;
    splashScreen = nullptr;
    if (view)
    {
        // Still shown (the window closes): end the splash, which hands the frame's reference back.
        if (!endedBySplash && splash && view->getParentView ())
        {
            splash->unSplash ();
            endedBySplash = view->getParentView () == nullptr;
        }
        if (CViewContainer* parent = view->getParentView ())
            parent->removeView (view, true);
        else if (endedBySplash)
            view->forget ();
    }
    if (splash)
        splash->forget ();
}
