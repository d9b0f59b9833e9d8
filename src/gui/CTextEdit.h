// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A one-line text field edited in place: a click gives it the frame's focus, typed code points
// go in at the caret, Return commits (the listener, if any, hears valueChanged and the text
// stays), Escape restores the text from before the edit. Losing focus commits too.
#include "CTextLabel.h"

namespace VSTGUI {

class CTextEdit : public CTextLabel
{
public:
    CTextEdit (const CRect& size, CControlListener* listener, int32_t tag,
               UTF8StringPtr text = nullptr, CBitmap* background = nullptr, int32_t style = 0);

    bool isEditing () const { return editing; }
    // Caret position as a byte offset into the UTF-8 text (always on a code point boundary).
    size_t getCaretPosition () const { return caret; }
    void setText (const std::string& newText) override;

    CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
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
    void insertCodePoint (int32_t codePoint);
    size_t previousBoundary (size_t position) const;
    size_t nextBoundary (size_t position) const;

    std::string textBeforeEdit;
    size_t caret {0};
    bool editing {false};
};

} // namespace VSTGUI
