// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of a one-line field being edited, with its caret and selection: what typing, the
// editing keys and the clipboard do to them. Positions are byte offsets into the UTF-8 text,
// always on code point boundaries.
#include <algorithm>
#include <string>

namespace VSTGUI {

class TextEditing
{
public:
    const std::string& text () const { return value; }
    // Replaces the text; caret at its end, nothing selected.
    void setText (const std::string& text);

    size_t caret () const { return caretAt; }
    size_t selectionStart () const { return std::min (anchor, caretAt); }
    size_t selectionEnd () const { return std::max (anchor, caretAt); }
    bool hasSelection () const { return anchor != caretAt; }
    std::string selectedText () const;

    // Moves the caret to a position (rounded down to a boundary); extend keeps the other end of
    // the selection where it was, else the selection collapses there.
    void moveCaret (size_t position, bool extend);
    // One code point left or right; without extend, a selection collapses to its own side.
    void stepLeft (bool extend);
    void stepRight (bool extend);
    void selectAll ();

    // Typed or pasted text replaces the selection; Backspace and Delete take the selection, else
    // one code point.
    void insert (const std::string& text);
    void eraseBackward ();
    void eraseForward ();

private:
    size_t boundaryAtOrBefore (size_t position) const;

    std::string value;
    size_t caretAt {0};
    size_t anchor {0};
};

}   // namespace VSTGUI
