// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor the edit controller creates for the view type "editor".
#include "editor/CMVXStravelGUIEditor.h"

class CMVXStravelGUIEditorVST3 : public CMVXStravelGUIEditor
{
public:
    explicit CMVXStravelGUIEditorVST3 (CMVXVST3EditController* controller);
};
