// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A one-line text field edited in place. Taking the frame's focus starts an edit with the whole
// text selected, so typing replaces it; a click puts the caret where it points and a drag (or
// Shift with a click or the arrows) selects; a double click selects all. Ctrl+A, Ctrl+C,
// Ctrl+X and Ctrl+V use the system clipboard. Return commits (the listener, if any, hears
// valueChanged and the text stays), Escape restores the text from before the edit. Losing focus
// commits too.
#include "CTextLabel.h"
#include "TextEditing.h"

namespace VSTGUI {

class CTextEdit : public CTextLabel
{
public:
    CTextEdit (const CRect& size, CControlListener* listener, int32_t tag,
               UTF8StringPtr text = nullptr, CBitmap* background = nullptr, int32_t style = 0);

    bool isEditing () const { return editing; }
    // Caret and selection as byte offsets into the UTF-8 text (on code point boundaries).
    size_t getCaretPosition () const { return editor.caret (); }
    size_t getSelectionStart () const { return editor.selectionStart (); }
    size_t getSelectionEnd () const { return editor.selectionEnd (); }
    void selectAll ();
    void setText (const std::string& newText) override;

    CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
    int32_t onKeyDown (VstKeyCode& key) override;
    void takeFocus () override;
    void looseFocus () override;
    bool wantsFocus () const override { return true; }
    bool removed (CView* parentView) override;

    void draw (CDrawContext* context) override;
    bool isTypeOf (IdStringPtr name) const override;
    CBaseObject* newCopy () const override { return new CTextEdit (*this); }

private:
    void finishEditing (bool commit);
    // Ctrl chords; false for one that is not ours.
    bool onShortcut (int32_t character);
    void paste (const std::string& clip);
    void edited ();
    // Where the text starts and the x of a byte position, in this view's parent's coordinates.
    CCoord xOf (size_t position) const;
    size_t positionAt (CCoord x) const;

    std::string textBeforeEdit;
    TextEditing editor;
    bool editing {false};
    bool selecting {false};   // a press is selecting with the pointer
};

}   // namespace VSTGUI
