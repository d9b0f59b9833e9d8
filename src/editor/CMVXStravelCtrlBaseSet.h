// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's content shared by the product family: the root view and the preset bar's
// controls (info, save, preset and hidden menus; the name panel with its field and buttons).
#include "editor/CMVXCtrlSetInterface.h"
#include "gui/CViewContainer.h"

class CMVXStravelGUIContainer;
class IMVXParamInfoInterface;
namespace Morvane {
class IMVXSDKController;
}   // namespace Morvane

// Tags of the editor-only controls; 0 … 9 are parameter ids.
enum CMVXStravelControlTag : int32_t
{
    kTagStatusLamp = 11,
    kTagPresetMenu = 12,
    kTagSaveMenu = 13,
    kTagHiddenMenu = 14,
    kTagInfoMenu = 15,
    kTagNameField = 16,
    kTagAcceptButton = 17,
    kTagCancelButton = 18,
    kTagAboutView = 19,
};

class CMVXStravelCtrlBaseSet : public CMVXCtrlSetInterface
{
public:
    CMVXStravelCtrlBaseSet (VSTGUI::CControlListener* listener, Morvane::IMVXSDKController* link,
                            CMVXStravelGUIContainer* guiContainer,
                            IMVXParamInfoInterface* paramInfo);
    ~CMVXStravelCtrlBaseSet () override;

    virtual void idle () {}
    virtual void setParameter (int32_t index, float value) {}
    virtual bool valueChanged (VSTGUI::CControl* control) { return false; }
    virtual void showNamePanel (int32_t unused = 0);
    virtual void hideNamePanel (int32_t unused = 0);
    // Gives the name field the keyboard with its text selected, so typing replaces it.
    void focusNameField ();
    virtual void applyDefaultValues ();

    VSTGUI::CViewContainer* getRootView () const { return rootView; }
    VSTGUI::CViewContainer* getNamePanel () const { return namePanel; }

protected:
    CMVXStravelGUIContainer* guiContainer;   // borrowed
    VSTGUI::CViewContainer* rootView = nullptr;
    VSTGUI::CViewContainer* namePanel = nullptr;
    Morvane::IMVXSDKController* controllerLink;   // borrowed
    VSTGUI::CControlListener* listener;   // borrowed: the editor
    IMVXParamInfoInterface* paramInfo;   // borrowed

private:
    void createPresetBar ();
    void createNamePanel ();
};
