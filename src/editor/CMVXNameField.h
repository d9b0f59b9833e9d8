// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The name panel's text field. Its listener hears only Return (or Enter), which accepts the name
// as the tick button does; the commit a text field makes when it loses focus (a click on the
// cancel button, the panel closing) stays quiet, so it never saves a preset by itself.
#include "gui/CTextEdit.h"

class CMVXNameField : public VSTGUI::CTextEdit
{
public:
    using VSTGUI::CTextEdit::CTextEdit;

    int32_t onKeyDown (VSTGUI::VstKeyCode& key) override;
    void valueChanged () override;
    VSTGUI::CBaseObject* newCopy () const override { return new CMVXNameField (*this); }

private:
    bool returnPressed = false;
};
