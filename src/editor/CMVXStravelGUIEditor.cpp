// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CMVXStravelGUIEditor.h"
#include "editor/CMVXOvermoorCtrlSet.h"
#include "editor/CMVXStravelGUIContainer.h"
#include "editor/CMVXZoomMenu.h"
#include "editor/CMVXZoomSettings.h"
#include "gui/CFrame.h"
#include "params/CMVXStravelParamInfo.h"

using namespace Steinberg;

CMVXStravelGUIContainer* CMVXStravelGUIEditor::guiContainer = nullptr;
CMVXStravelGUIEditor::int32 CMVXStravelGUIEditor::editorCount = 0;

CMVXStravelGUIEditor::CMVXStravelGUIEditor (CMVXVST3EditController* controller)
: CMVXGuiEditor (controller, 10)
{
    // Bitmaps are decoded once per process: the first editor loads them, the last frees them.
    if (guiContainer == nullptr)
    {
        guiContainer = new CMVXStravelGUIContainer (0);
        guiContainer->loadBitmaps ();
    }
    loadBackground ();
    rect = ViewRect (0, 0, editorRect.right, editorRect.bottom);
    userZoom = CMVXZoomSettings::load ();
    applyZoomFactor ();
    zoomMenu = std::make_unique<CMVXZoomMenu> ([this] { return userZoom; },
                                               [this] (double zoom) { setUserZoom (zoom); });
    ++editorCount;
}

CMVXStravelGUIEditor::~CMVXStravelGUIEditor ()
{
    if (frame)
        close ();
    destroyControlSet ();
    delete paramInfo;
    paramInfo = nullptr;
    if (--editorCount == 0)
    {
        delete guiContainer;
        guiContainer = nullptr;
    }
}

void CMVXStravelGUIEditor::loadBackground ()
{
    background = guiContainer ? guiContainer->getBitmap (kBitmapBackground) : nullptr;
    if (!background)
        return;
    editorRect.top = 0;
    editorRect.left = 0;
    editorRect.bottom = static_cast<int16> (background->getHeight ());
    editorRect.right = static_cast<int16> (background->getWidth ());
}

void CMVXStravelGUIEditor::createControlSet (int32 id)
{
    controlSetId = id;
    delete paramInfo;
    paramInfo = new CMVXStravelParamInfo (id);
    controlSets[0] = new CMVXOvermoorCtrlSet (this, controllerLink, guiContainer, paramInfo, 0);
    currentControlSet = controlSets[0];
}

void CMVXStravelGUIEditor::destroyControlSet ()
{
    if (controlSets.empty ())
        return;
    delete controlSets.begin ()->second;
    currentControlSet = nullptr;
    controlSets.clear ();
}

CMVXStravelCtrlBaseSet* CMVXStravelGUIEditor::getControlSet () const
{
    return static_cast<CMVXStravelCtrlBaseSet*> (currentControlSet);
}

tresult PLUGIN_API CMVXStravelGUIEditor::renderToPng (const char* path)
{
    if (path == nullptr)
        return kInvalidArgument;
    try
    {
        // Not attached: build the window's content offscreen for the picture, then take it down.
        const bool temporary = frame == nullptr;
        if (temporary && !open (nullptr, VSTGUI::PlatformType::kDefaultNative, nullptr))
            return kResultFalse;
        // Registered for the picture only, so the preset lists' answers reach this window too.
        if (temporary && controller)
            controller->editorAttached (this);
        const bool written = frame && frame->renderToPNG (path, frame->getZoom ());
        if (temporary && controller)
            controller->editorRemoved (this);
        if (temporary)
            close ();
        return written ? kResultOk : kResultFalse;
    }
    catch (...)
    {
        return kInternalError;
    }
}

tresult PLUGIN_API CMVXStravelGUIEditor::queryInterface (const TUID iid, void** obj)
{
    if (FUnknownPrivate::iidEqual (iid, IMVXEditorSnapshot_iid))
    {
        addRef ();
        *obj = static_cast<IMVXEditorSnapshot*> (this);
        return kResultOk;
    }
    if (FUnknownPrivate::iidEqual (iid, IPlugViewContentScaleSupport::iid))
    {
        addRef ();
        *obj = static_cast<IPlugViewContentScaleSupport*> (this);
        return kResultOk;
    }
    return CMVXGuiEditor::queryInterface (iid, obj);
}
