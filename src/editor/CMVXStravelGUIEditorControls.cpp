// SPDX-License-Identifier: GPL-3.0-or-later
// Edits from the controls: the footswitch toggles, the preset bar and about view have their own
// handlers, every other control writes its parameter.
#include "editor/CMVXStravelCtrlBaseSet.h"
#include "editor/CMVXStravelGUIEditor.h"
#include "params/CMVXParamTable.h"

void CMVXStravelGUIEditor::valueChanged (VSTGUI::CControl* control)
{
    if (control == nullptr)
        return;
    if (CMVXStravelCtrlBaseSet* set = getControlSet ())
        set->valueChanged (control);
    const float value = control->getValueNormalized ();
    switch (control->getTag ())
    {
        case kParamEffectState:
            // A press toggles the effect; the release changes nothing.
            if (value == 1.f && controllerLink)
                controllerLink->setParameter (
                    kParamEffectState, 1.0 - controllerLink->getParameter (kParamEffectState));
            break;
        case kTagPresetMenu:
        case kTagSaveMenu:
        case kTagInfoMenu:
        case kTagNameField:   // Return in the name field
        case kTagAcceptButton:
        case kTagCancelButton: presetBarValueChanged (control); break;
        case kTagAboutView: aboutViewValueChanged (control); break;
        default:
            if (controllerLink)
                controllerLink->setParameter (control->getTag (), value);
            break;
    }
}
