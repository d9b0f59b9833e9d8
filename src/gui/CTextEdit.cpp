// SPDX-License-Identifier: GPL-3.0-or-later
#include "CTextEdit.h"
#include "CFrame.h"
#include "Utf8.h"
#include "platform/IPlatformFont.h"
#include <cmath>

namespace VSTGUI {
namespace {

constexpr CColor kSelectionColor (190, 110, 38, 255);

}   // namespace

CTextEdit::CTextEdit (const CRect& s, CControlListener* l, int32_t t, UTF8StringPtr txt,
                      CBitmap* background, int32_t st)
: CTextLabel (s, txt, background, st)
{
    setListener (l);
    setTag (t);
    setWantsFocus (true);
    editor.setText (text);
}

void CTextEdit::setText (const std::string& newText)
{
    CTextLabel::setText (newText);
    if (editor.text () != text)
    {
        editor.setText (text);
        if (editing)
            editor.selectAll ();
    }
}

void CTextEdit::selectAll ()
{
    editor.selectAll ();
    invalid ();
}

void CTextEdit::edited ()
{
    text = editor.text ();
    invalid ();
}

CCoord CTextEdit::xOf (size_t position) const
{
    IPlatformFont* platformFont = font ? font->getPlatformFont () : nullptr;
    if (!platformFont)
        return getTextRect ().left;
    const CRect textRect = getTextRect ();
    const CCoord fullWidth = platformFont->getStringWidth (text.c_str ());
    CCoord x = textRect.left;
    if (horiAlign == kCenterText)
        x = textRect.left + (textRect.getWidth () - fullWidth) / 2;
    else if (horiAlign == kRightText)
        x = textRect.right - fullWidth;
    return x + platformFont->getStringWidth (text.substr (0, position).c_str ());
}

size_t CTextEdit::positionAt (CCoord x) const
{
    // The boundary nearest the point, walking code point by code point.
    size_t best = 0;
    CCoord bestDistance = std::abs (x - xOf (0));
    for (size_t p = 0; p < text.size ();)
    {
        p = Utf8::nextBoundary (text, p);
        const CCoord distance = std::abs (x - xOf (p));
        if (distance < bestDistance)
        {
            best = p;
            bestDistance = distance;
        }
    }
    return best;
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
    if (!editing)
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    if (buttons.isDoubleClick ())
    {
        selectAll ();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    editor.moveCaret (positionAt (where.x), (buttons.getModifierState () & kShift) != 0);
    selecting = true;
    invalid ();
    return kMouseEventHandled;
}

CMouseEventResult CTextEdit::onMouseMoved (CPoint& where, const CButtonState&)
{
    if (!selecting || !editing)
        return kMouseEventNotHandled;
    const size_t before = editor.caret ();
    editor.moveCaret (positionAt (where.x), true);
    if (editor.caret () != before)
        invalid ();
    return kMouseEventHandled;
}

CMouseEventResult CTextEdit::onMouseUp (CPoint&, const CButtonState&)
{
    selecting = false;
    return kMouseEventHandled;
}

void CTextEdit::takeFocus ()
{
    if (editing)
        return;
    editing = true;
    textBeforeEdit = text;
    editor.setText (text);
    editor.selectAll ();
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
    editing = selecting = false;
    return CTextLabel::removed (parentView);
}

void CTextEdit::finishEditing (bool commit)
{
    SharedPointer<CTextEdit> guard (this);
    editing = selecting = false;
    if (!commit)
        text = textBeforeEdit;
    editor.setText (text);
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

void CTextEdit::paste (const std::string& clip)
{
    // One line: line breaks and tabs become spaces, other control characters go.
    std::string line;
    for (char c : clip)
    {
        const auto byte = static_cast<unsigned char> (c);
        if (c == '\n' || c == '\r' || c == '\t')
            line += ' ';
        else if (byte >= 0x20 && byte != 0x7F)
            line += c;
    }
    editor.insert (line);
    edited ();
}

bool CTextEdit::onShortcut (int32_t character)
{
    CFrame* frame = getFrame ();
    switch (character)
    {
        case 'a':
        case 'A': selectAll (); return true;
        case 'c':
        case 'C':
        case 'x':
        case 'X':
            if (!editor.hasSelection () || !frame)
                return true;
            frame->setClipboard (editor.selectedText ());
            if (character == 'x' || character == 'X')
            {
                editor.eraseBackward ();
                edited ();
            }
            return true;
        case 'v':
        case 'V':
            if (frame)
            {
                // The text may come later: it goes in only if the edit is still going on.
                SharedPointer<CTextEdit> self (this);
                frame->requestClipboard ([self] (const std::string& clip) {
                    if (self->editing)
                        self->paste (clip);
                });
            }
            return true;
        default: return false;
    }
}

int32_t CTextEdit::onKeyDown (VstKeyCode& key)
{
    if (!editing)
        return -1;
    const bool extend = (key.modifier & MODIFIER_SHIFT) != 0;
    switch (key.virt)
    {
        case VKEY_RETURN:
        case VKEY_ENTER: finishEditing (true); return 1;
        case VKEY_ESCAPE: finishEditing (false); return 1;
        case VKEY_BACK: editor.eraseBackward (); break;
        case VKEY_DELETE: editor.eraseForward (); break;
        case VKEY_LEFT: editor.stepLeft (extend); break;
        case VKEY_RIGHT: editor.stepRight (extend); break;
        case VKEY_HOME: editor.moveCaret (0, extend); break;
        case VKEY_END: editor.moveCaret (text.size (), extend); break;
        case VKEY_SPACE: editor.insert (" "); break;
        case 0:
            if (key.modifier & MODIFIER_CONTROL)
                return onShortcut (key.character) ? 1 : -1;
            // Alt chords are shortcuts of the host, not text.
            if (key.character == 0 || (key.modifier & MODIFIER_ALTERNATE))
                return -1;
            if (const std::string bytes = Utf8::encode (key.character); !bytes.empty ())
                editor.insert (bytes);
            break;
        default: return -1;
    }
    edited ();
    return 1;
}

void CTextEdit::draw (CDrawContext* context)
{
    if (style & kNoDrawStyle)
        return;
    drawBack (context);
    const CRect textRect = getTextRect ();
    const CCoord lineHeight =
        std::min<CCoord> (textRect.getHeight () - 2, (font ? font->getSize () : 12) + 3);
    const CCoord top = std::floor (textRect.top + (textRect.getHeight () - lineHeight) / 2);
    if (editing && editor.hasSelection ())
    {
        context->setFillColor (kSelectionColor);
        context->drawRect (CRect (std::floor (xOf (editor.selectionStart ())), top,
                                  std::ceil (xOf (editor.selectionEnd ())), top + lineHeight),
                           kDrawFilled);
    }
    if (!(style & kNoTextStyle))
        drawPlatformText (context, text);
    if (editing && !editor.hasSelection ())
    {
        // One whole pixel column, not a line astride two.
        const CCoord x = std::floor (xOf (editor.caret ()));
        context->setFillColor (fontColor);
        context->drawRect (CRect (x, top, x + 1, top + lineHeight), kDrawFilled);
    }
    setDirty (false);
}

bool CTextEdit::isTypeOf (IdStringPtr name) const
{
    return std::strcmp (name, "CTextEdit") == 0 || CTextLabel::isTypeOf (name);
}

}   // namespace VSTGUI
