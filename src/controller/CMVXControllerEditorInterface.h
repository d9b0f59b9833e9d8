// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the edit controller needs of an attached editor. The editor view implements it beside the
// SDK's EditorView, so the controller can recognise its own editors among attached views.
#include "pluginterfaces/base/ftypes.h"
#include <string>

class CMVXControllerEditorInterface
{
public:
    virtual ~CMVXControllerEditorInterface () = default;
    // Number of parameter indices the editor tracks; notifications at or above it are skipped.
    virtual Steinberg::int32 getEditorParameterCount () const = 0;
    // Flags the index for the next idle refresh.
    virtual void markParameterPending (Steinberg::int32 index) = 0;
    virtual void setParameter (Steinberg::int32 index, float value) = 0;
    // A text from the processing side (preset lists, selected preset number).
    virtual void receiveMessage (const std::string& text) = 0;
    // Asks the processor for the preset lists; called when the editor is attached.
    virtual void requestPresets () = 0;
};
