// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CMVXStravelCtrlBaseSet.h"
#include "editor/CMVXNameField.h"
#include "editor/CMVXStravelGUIContainer.h"
#include "gui/CFrame.h"
#include "gui/CKickButton.h"
#include "gui/COptionMenu.h"
#include "gui/CTextEdit.h"
#include "params/IMVXParamInfoInterface.h"

using namespace VSTGUI;

namespace {

// A control of its bitmap's size (one frame of frameCount) at a layout key's corner.
CRect placedAt (const CMVXLayoutRect& corner, CBitmap* bitmap, int frameCount = 1)
{
    const CCoord width = bitmap ? bitmap->getWidth () : 0;
    const CCoord height = bitmap ? bitmap->getHeight () / frameCount : 0;
    return CRect (corner.left, corner.top, corner.left + width, corner.top + height);
}

}   // namespace

CMVXStravelCtrlBaseSet::CMVXStravelCtrlBaseSet (CControlListener* listener,
                                                Morvane::IMVXSDKController* link,
                                                CMVXStravelGUIContainer* guiContainer,
                                                IMVXParamInfoInterface* paramInfo)
: guiContainer (guiContainer), controllerLink (link), listener (listener), paramInfo (paramInfo)
{
    CBitmap* background = guiContainer->getBitmap (kBitmapBackground);
    rootView = new CViewContainer (placedAt ({}, background));
    rootView->setTransparency (true);
    createPresetBar ();
    createNamePanel ();
}

CMVXStravelCtrlBaseSet::~CMVXStravelCtrlBaseSet ()
{
    // The name panel may be inside the root view, which then holds a reference of its own
    // (showNamePanel remembers it); ours is released below either way.
    if (namePanel && namePanel->getParentView ())
        namePanel->getParentView ()->removeView (namePanel, true);
    if (namePanel)
        namePanel->forget ();
    if (rootView)
        rootView->forget ();
}

void CMVXStravelCtrlBaseSet::createPresetBar ()
{
    auto addMenu = [this] (int32_t tag, int32_t key, int32_t bitmapId, int32_t openBitmapId,
                           int32_t style) {
        CBitmap* bitmap = guiContainer->getBitmap (bitmapId);
        auto* menu =
            new COptionMenu (placedAt (guiContainer->getLayoutRect (key), bitmap), listener, tag,
                             bitmap, guiContainer->getBitmap (openBitmapId), style);
        addControl (tag, menu);
        rootView->addView (menu);   // the view takes over our first reference
        return menu;
    };
    addMenu (kTagInfoMenu, kLayoutInfoMenu, kBitmapInfo, kBitmapInfoOpen, kCheckStyle);
    COptionMenu* saveMenu =
        addMenu (kTagSaveMenu, kLayoutSaveMenu, kBitmapSave, kBitmapSaveOpen, kCheckStyle);
    saveMenu->addEntry ("Save");
    saveMenu->addEntry ("Save As...");
    COptionMenu* presetMenu = addMenu (kTagPresetMenu, kLayoutPresetMenu, kBitmapSelector,
                                       kBitmapSelectorOpen, kPopupStyle);
    presetMenu->setTextInset (CPoint (5, 0));

    // Never shown as a view: it serves as a submenu of the save menu.
    auto* hiddenMenu = new COptionMenu (CRect (0, 0, 0, 0), listener, kTagHiddenMenu, nullptr,
                                        nullptr, kCheckStyle);
    addControl (kTagHiddenMenu, hiddenMenu);
    hiddenMenu->forget ();
}

void CMVXStravelCtrlBaseSet::createNamePanel ()
{
    CBitmap* panelBitmap = guiContainer->getBitmap (kBitmapNamePanel);
    namePanel =
        new CViewContainer (placedAt (guiContainer->getLayoutRect (kLayoutNamePanel), panelBitmap));
    namePanel->setBackground (panelBitmap);

    const CMVXLayoutRect fieldRect = guiContainer->getLayoutRect (kLayoutNameField);
    // Its listener hears Return only (CMVXNameField), which accepts the name like the tick button.
    auto* nameField =
        new CMVXNameField (CRect (fieldRect.left, fieldRect.top, fieldRect.right, fieldRect.bottom),
                           listener, kTagNameField);
    nameField->setBackColor (CColor (49, 49, 49, 0));
    nameField->setFrameColor (CColor (127, 127, 127, 255));
    nameField->setShadowColor (CColor (0, 0, 0, 255));
    nameField->setTextInset (CPoint (5, 0));
    nameField->setMouseEnabled (true);
    addControl (kTagNameField, nameField);
    namePanel->addView (nameField);

    CBitmap* acceptBitmap = guiContainer->getBitmap (kBitmapAccept);
    const CRect acceptRect =
        placedAt (guiContainer->getLayoutRect (kLayoutAcceptButton), acceptBitmap, 2);
    auto* accept = new CKickButton (acceptRect, listener, kTagAcceptButton, acceptRect.getHeight (),
                                    acceptBitmap);
    addControl (kTagAcceptButton, accept);
    namePanel->addView (accept);

    // The cancel button sits right of the accept button.
    CBitmap* cancelBitmap = guiContainer->getBitmap (kBitmapCancel);
    CRect cancelRect =
        placedAt ({int32_t (acceptRect.right), int32_t (acceptRect.top), 0, 0}, cancelBitmap, 2);
    auto* cancel = new CKickButton (cancelRect, listener, kTagCancelButton, cancelRect.getHeight (),
                                    cancelBitmap);
    addControl (kTagCancelButton, cancel);
    namePanel->addView (cancel);
}

void CMVXStravelCtrlBaseSet::showNamePanel (int32_t)
{
    if (!namePanel)
        return;
    if (namePanel->getParentView () == nullptr)
    {
        namePanel->remember ();   // the root view's reference; ours stays
        rootView->addView (namePanel);
    }
    if (auto* field = dynamic_cast<CTextEdit*> (getControl (kTagNameField)))
    {
        field->setText ("New Preset");
        field->invalid ();
    }
    focusNameField ();
}

void CMVXStravelCtrlBaseSet::focusNameField ()
{
    auto* field = dynamic_cast<CTextEdit*> (getControl (kTagNameField));
    CFrame* frame = field ? field->getFrame () : nullptr;
    if (!frame)
        return;
    frame->setFocusView (field);
    field->selectAll ();
}

void CMVXStravelCtrlBaseSet::hideNamePanel (int32_t)
{
    if (namePanel && namePanel->getParentView () == rootView)
        rootView->removeView (namePanel, true);
}

void CMVXStravelCtrlBaseSet::applyDefaultValues ()
{
    if (!paramInfo)
        return;
    forEachControl ([this] (int32_t tag, CControl* control) {
        if (CMVXParameter* record = paramInfo->getParam (tag))
            control->setDefaultValue (static_cast<float> (record->getDefaultNormalized ()));
    });
}
