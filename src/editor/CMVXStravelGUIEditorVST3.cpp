// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CMVXStravelGUIEditorVST3.h"
#include "gui/CVSTGUITimer.h"

CMVXStravelGUIEditorVST3::CMVXStravelGUIEditorVST3 (CMVXVST3EditController* controller)
: CMVXStravelGUIEditor (controller)
{
    createControlSet (0);
    // One timer drives idle: the host-driven one of the view, at the editor's own interval.
    if (ownIdleTimer)
    {
        setIdleRate (static_cast<int32> (ownIdleTimer->getFireTime ()));
        ownIdleTimer->forget ();
        ownIdleTimer = nullptr;
    }
}
