// SPDX-License-Identifier: GPL-3.0-or-later
// The window: the frame built around the control set on open and taken down on close, and
// parameter values shown in the controls.
#include "editor/CMVXStravelCtrlBaseSet.h"
#include "editor/CMVXStravelGUIEditor.h"
#include "editor/CMVXZoomMenu.h"
#include "gui/CFrame.h"

using namespace VSTGUI;

bool CMVXStravelGUIEditor::open (void* parent, const PlatformType& platformType,
                                 IPlatformFrameConfig* config)
{
    auto* newFrame = new CFrame (
        CRect (editorRect.left, editorRect.top, editorRect.right, editorRect.bottom), this);
    newFrame->setBackground (background);
    if (CMVXStravelCtrlBaseSet* set = getControlSet ())
    {
        // The frame gets a reference of its own; the controls outlive the window.
        if (CViewContainer* root = set->getRootView ())
        {
            root->remember ();
            newFrame->addView (root);
        }
    }
    newFrame->setZoom (zoomFactor);
    // Without a parent the frame stays offscreen, which is all a snapshot needs.
    if (parent != nullptr && !newFrame->open (parent, platformType, config))
    {
        newFrame->close ();
        return false;
    }
    frame = newFrame;
    zoomMenu->attach (frame);
    for (int32 index = 0; index < parameterCount; ++index)
        parameterChanged (index, controllerLink
                                     ? static_cast<float> (controllerLink->getParameter (index))
                                     : 0.f);
    return CMVXGuiEditor::open (parent, platformType, config);
}

void CMVXStravelGUIEditor::close ()
{
    closeAboutView ();
    zoomMenu->detach ();
    CFrame* oldFrame = frame;
    frame = nullptr;
    if (oldFrame)
        oldFrame->close ();   // releases the frame's own reference on the root view
    CMVXGuiEditor::close ();
}

void CMVXStravelGUIEditor::setParameter (int32 index, float value)
{
    CMVXStravelCtrlBaseSet* set = getControlSet ();
    if (!frame || !set)
        return;
    if (CControl* control = set->getControl (index))
    {
        control->setValueNormalized (value);
        control->invalid ();
    }
    set->setParameter (index, value);
}

void CMVXStravelGUIEditor::idle ()
{
    CMVXGuiEditor::idle ();
    if (CMVXStravelCtrlBaseSet* set = getControlSet ())
        set->idle ();
}
