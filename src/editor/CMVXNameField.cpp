// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CMVXNameField.h"
#include "gui/VstKeyCode.h"

using namespace VSTGUI;

int32_t CMVXNameField::onKeyDown (VstKeyCode& key)
{
    returnPressed = isEditing () && (key.virt == VKEY_RETURN || key.virt == VKEY_ENTER);
    const int32_t handled = CTextEdit::onKeyDown (key);
    returnPressed = false;
    return handled;
}

void CMVXNameField::valueChanged ()
{
    if (returnPressed)
        CTextEdit::valueChanged ();
}
