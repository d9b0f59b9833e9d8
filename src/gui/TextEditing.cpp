// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextEditing.h"
#include "Utf8.h"

namespace VSTGUI {

void TextEditing::setText (const std::string& text)
{
    value = text;
    caretAt = anchor = value.size ();
}

std::string TextEditing::selectedText () const
{
    return value.substr (selectionStart (), selectionEnd () - selectionStart ());
}

size_t TextEditing::boundaryAtOrBefore (size_t position) const
{
    position = std::min (position, value.size ());
    while (position > 0 && position < value.size () && Utf8::isContinuationByte (value[position]))
        --position;
    return position;
}

void TextEditing::moveCaret (size_t position, bool extend)
{
    caretAt = boundaryAtOrBefore (position);
    if (!extend)
        anchor = caretAt;
}

void TextEditing::stepLeft (bool extend)
{
    if (!extend && hasSelection ())
        moveCaret (selectionStart (), false);
    else
        moveCaret (Utf8::previousBoundary (value, caretAt), extend);
}

void TextEditing::stepRight (bool extend)
{
    if (!extend && hasSelection ())
        moveCaret (selectionEnd (), false);
    else
        moveCaret (Utf8::nextBoundary (value, caretAt), extend);
}

void TextEditing::selectAll ()
{
    anchor = 0;
    caretAt = value.size ();
}

void TextEditing::insert (const std::string& text)
{
    const size_t start = selectionStart ();
    value.replace (start, selectionEnd () - start, text);
    caretAt = anchor = start + text.size ();
}

void TextEditing::eraseBackward ()
{
    if (!hasSelection ())
        anchor = Utf8::previousBoundary (value, caretAt);
    insert (std::string ());
}

void TextEditing::eraseForward ()
{
    if (!hasSelection ())
        anchor = Utf8::nextBoundary (value, caretAt);
    insert (std::string ());
}

}   // namespace VSTGUI
