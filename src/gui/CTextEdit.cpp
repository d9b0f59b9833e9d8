// SPDX-License-Identifier: GPL-3.0-or-later
#include "CTextEdit.h"
#include "CFrame.h"

namespace VSTGUI {
namespace {

bool isContinuationByte (char c)
{
    return (static_cast<unsigned char> (c) & 0xC0) == 0x80;
}

// UTF-8 of a code point; empty for surrogates, controls and values past Unicode.
std::string encodeUtf8 (int32_t cp)
{
    std::string out;
    if (cp < 0x20 || cp == 0x7F || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        return out;
    if (cp < 0x80)
        out += static_cast<char> (cp);
    else if (cp < 0x800)
    {
        out += static_cast<char> (0xC0 | (cp >> 6));
        out += static_cast<char> (0x80 | (cp & 0x3F));
    }
    else if (cp < 0x10000)
    {
        out += static_cast<char> (0xE0 | (cp >> 12));
        out += static_cast<char> (0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char> (0x80 | (cp & 0x3F));
    }
    else
    {
        out += static_cast<char> (0xF0 | (cp >> 18));
        out += static_cast<char> (0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char> (0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char> (0x80 | (cp & 0x3F));
    }
    return out;
}

} // namespace

CTextEdit::CTextEdit (const CRect& s, CControlListener* l, int32_t t, UTF8StringPtr txt,
                      CBitmap* background, int32_t st)
    : CTextLabel (s, txt, background, st)
{
    setListener (l);
    setTag (t);
    setWantsFocus (true);
}

void CTextEdit::setText (const std::string& newText)
{
    CTextLabel::setText (newText);
    caret = std::min (caret, text.size ());
    while (caret > 0 && caret < text.size () && isContinuationByte (text[caret]))
        --caret;
}

size_t CTextEdit::previousBoundary (size_t position) const
{
    if (position == 0)
        return 0;
    --position;
    while (position > 0 && isContinuationByte (text[position]))
        --position;
    return position;
}

size_t CTextEdit::nextBoundary (size_t position) const
{
    if (position >= text.size ())
        return text.size ();
    ++position;
    while (position < text.size () && isContinuationByte (text[position]))
        ++position;
    return position;
}

CMouseEventResult CTextEdit::onMouseDown (CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton ())
        return kMouseEventNotHandled;
    CFrame* frame = getFrame ();
    if (frame && frame->getFocusView () != this)
        frame->setFocusView (this);
    else if (!frame && !editing)
        takeFocus ();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CTextEdit::takeFocus ()
{
    if (editing)
        return;
    editing = true;
    textBeforeEdit = text;
    caret = text.size ();
    invalid ();
}

void CTextEdit::looseFocus ()
{
    if (editing)
        finishEditing (true);
}

bool CTextEdit::removed (CView* parentView)
{
    // Taken out of the window mid-edit (the window closes): keep what was typed, tell no one.
    editing = false;
    return CTextLabel::removed (parentView);
}

void CTextEdit::finishEditing (bool commit)
{
    SharedPointer<CTextEdit> guard (this);
    editing = false;
    if (!commit)
        text = textBeforeEdit;
    caret = std::min (caret, text.size ());
    invalid ();
    if (CFrame* frame = getFrame (); frame && frame->getFocusView () == this)
        frame->setFocusView (nullptr);
    if (commit)
    {
        beginEdit ();
        valueChanged ();
        endEdit ();
    }
}

void CTextEdit::insertCodePoint (int32_t codePoint)
{
    const std::string bytes = encodeUtf8 (codePoint);
    if (bytes.empty ())
        return;
    text.insert (caret, bytes);
    caret += bytes.size ();
}

int32_t CTextEdit::onKeyDown (VstKeyCode& key)
{
    if (!editing)
        return -1;
    switch (key.virt)
    {
        case VKEY_RETURN:
        case VKEY_ENTER:
            finishEditing (true);
            return 1;
        case VKEY_ESCAPE:
            finishEditing (false);
            return 1;
        case VKEY_BACK:
            if (caret > 0)
            {
                const size_t start = previousBoundary (caret);
                text.erase (start, caret - start);
                caret = start;
            }
            break;
        case VKEY_DELETE:
            text.erase (caret, nextBoundary (caret) - caret);
            break;
        case VKEY_LEFT:
            caret = previousBoundary (caret);
            break;
        case VKEY_RIGHT:
            caret = nextBoundary (caret);
            break;
        case VKEY_HOME:
            caret = 0;
            break;
        case VKEY_END:
            caret = text.size ();
            break;
        case VKEY_SPACE:
            insertCodePoint (' ');
            break;
        case 0:
            // Control and Alt chords are shortcuts, not text.
            if (key.character == 0 || (key.modifier & (MODIFIER_CONTROL | MODIFIER_ALTERNATE)))
                return -1;
            insertCodePoint (key.character);
            break;
        default:
            return -1;
    }
    invalid ();
    return 1;
}

void CTextEdit::draw (CDrawContext* context)
{
    CTextLabel::draw (context);
    if (!editing)
        return;
    // The caret sits after the text before it, wherever the alignment put the line.
    const CRect textRect = getTextRect ();
    context->setFont (font);
    const CCoord fullWidth = context->getStringWidth (text.c_str ());
    const CCoord before = context->getStringWidth (text.substr (0, caret).c_str ());
    CCoord x = textRect.left;
    if (horiAlign == kCenterText)
        x = textRect.left + (textRect.getWidth () - fullWidth) / 2;
    else if (horiAlign == kRightText)
        x = textRect.right - fullWidth;
    x = std::floor (x + before);
    const CCoord lineHeight = std::min<CCoord> (textRect.getHeight () - 2, font->getSize () + 3);
    const CCoord top = std::floor (textRect.top + (textRect.getHeight () - lineHeight) / 2);
    context->setFrameColor (fontColor);
    context->setLineWidth (1);
    context->drawLine (CPoint (x, top), CPoint (x, top + lineHeight - 1));
}

bool CTextEdit::isTypeOf (IdStringPtr name) const
{
    return std::strcmp (name, "CTextEdit") == 0 || CTextLabel::isTypeOf (name);
}

} // namespace VSTGUI
