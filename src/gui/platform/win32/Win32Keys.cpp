// SPDX-License-Identifier: GPL-3.0-or-later
#include "Win32Frame.h"

namespace VSTGUI {
namespace {

struct KeyPair
{
    WPARAM windows;
    uint8_t vst;
};

// clang-format off
constexpr KeyPair kKeys[] = {
    {VK_BACK, VKEY_BACK},       {VK_TAB, VKEY_TAB},         {VK_RETURN, VKEY_RETURN},
    {VK_ESCAPE, VKEY_ESCAPE},   {VK_SPACE, VKEY_SPACE},     {VK_PRIOR, VKEY_PAGEUP},
    {VK_NEXT, VKEY_PAGEDOWN},   {VK_END, VKEY_END},         {VK_HOME, VKEY_HOME},
    {VK_LEFT, VKEY_LEFT},       {VK_UP, VKEY_UP},           {VK_RIGHT, VKEY_RIGHT},
    {VK_DOWN, VKEY_DOWN},       {VK_INSERT, VKEY_INSERT},   {VK_DELETE, VKEY_DELETE},
    {VK_HELP, VKEY_HELP},       {VK_MULTIPLY, VKEY_MULTIPLY}, {VK_ADD, VKEY_ADD},
    {VK_SUBTRACT, VKEY_SUBTRACT}, {VK_DECIMAL, VKEY_DECIMAL}, {VK_DIVIDE, VKEY_DIVIDE},
    {VK_F1, VKEY_F1},           {VK_F2, VKEY_F2},           {VK_F3, VKEY_F3},
    {VK_F4, VKEY_F4},           {VK_F5, VKEY_F5},           {VK_F6, VKEY_F6},
    {VK_F7, VKEY_F7},           {VK_F8, VKEY_F8},           {VK_F9, VKEY_F9},
    {VK_F10, VKEY_F10},         {VK_F11, VKEY_F11},         {VK_F12, VKEY_F12},
    {VK_SHIFT, VKEY_SHIFT},     {VK_CONTROL, VKEY_CONTROL}, {VK_MENU, VKEY_ALT},
};
// clang-format on

uint8_t keyModifiers ()
{
    uint8_t bits = 0;
    if (GetKeyState (VK_SHIFT) < 0)
        bits |= MODIFIER_SHIFT;
    if (GetKeyState (VK_CONTROL) < 0)
        bits |= MODIFIER_CONTROL;
    if (GetKeyState (VK_MENU) < 0)
        bits |= MODIFIER_ALTERNATE;
    return bits;
}

}   // namespace

int32_t currentModifiers ()
{
    int32_t bits = 0;
    if (GetKeyState (VK_SHIFT) < 0)
        bits |= kShift;
    if (GetKeyState (VK_CONTROL) < 0)
        bits |= kControl;
    if (GetKeyState (VK_MENU) < 0)
        bits |= kAlt;
    return bits;
}

bool toVstKeyCode (UINT message, WPARAM w, VstKeyCode& key)
{
    key = VstKeyCode ();
    key.modifier = keyModifiers ();
    if (message == WM_CHAR)
    {
        // Control characters come as their keys (WM_KEYDOWN); surrogate halves are not text
        // views can take one at a time.
        // Space came with its key already.
        if (w <= 0x20 || w == 0x7f || (w >= 0xD800 && w <= 0xDFFF))
            return false;
        key.character = static_cast<int32_t> (w);
        return true;
    }
    for (const KeyPair& pair : kKeys)
        if (pair.windows == w)
        {
            key.virt = pair.vst;
            // Space is both: menus act on the key, text fields insert the character.
            if (w == VK_SPACE)
                key.character = ' ';
            return true;
        }
    // Control turns letters into control characters; views want the letter.
    if ((key.modifier & MODIFIER_CONTROL) && w >= 'A' && w <= 'Z')
    {
        key.character = static_cast<int32_t> (w - 'A' + 'a');
        return true;
    }
    return false;
}

}   // namespace VSTGUI
