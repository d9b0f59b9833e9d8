// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/x11/X11Keyboard.h"
#include "gui/CButtonState.h"
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

namespace VSTGUI {
namespace X11 {

namespace {

struct VirtualKey
{
    xkb_keysym_t keysym;
    uint8_t virt;
};

constexpr VirtualKey kVirtualKeys[] = {
    {XKB_KEY_BackSpace, VKEY_BACK},
    {XKB_KEY_Tab, VKEY_TAB},
    {XKB_KEY_ISO_Left_Tab, VKEY_TAB},
    {XKB_KEY_Return, VKEY_RETURN},
    {XKB_KEY_KP_Enter, VKEY_ENTER},
    {XKB_KEY_Escape, VKEY_ESCAPE},
    {XKB_KEY_Delete, VKEY_DELETE},
    {XKB_KEY_KP_Delete, VKEY_DELETE},
    {XKB_KEY_Insert, VKEY_INSERT},
    {XKB_KEY_Home, VKEY_HOME},
    {XKB_KEY_KP_Home, VKEY_HOME},
    {XKB_KEY_End, VKEY_END},
    {XKB_KEY_KP_End, VKEY_END},
    {XKB_KEY_Left, VKEY_LEFT},
    {XKB_KEY_KP_Left, VKEY_LEFT},
    {XKB_KEY_Right, VKEY_RIGHT},
    {XKB_KEY_KP_Right, VKEY_RIGHT},
    {XKB_KEY_Up, VKEY_UP},
    {XKB_KEY_KP_Up, VKEY_UP},
    {XKB_KEY_Down, VKEY_DOWN},
    {XKB_KEY_KP_Down, VKEY_DOWN},
    {XKB_KEY_Page_Up, VKEY_PAGEUP},
    {XKB_KEY_KP_Page_Up, VKEY_PAGEUP},
    {XKB_KEY_Page_Down, VKEY_PAGEDOWN},
    {XKB_KEY_KP_Page_Down, VKEY_PAGEDOWN},
    {XKB_KEY_Shift_L, VKEY_SHIFT},
    {XKB_KEY_Shift_R, VKEY_SHIFT},
    {XKB_KEY_Control_L, VKEY_CONTROL},
    {XKB_KEY_Control_R, VKEY_CONTROL},
    {XKB_KEY_Alt_L, VKEY_ALT},
    {XKB_KEY_Alt_R, VKEY_ALT},
    {XKB_KEY_Pause, VKEY_PAUSE},
    {XKB_KEY_Help, VKEY_HELP},
};

// The first code point of UTF-8 text; 0 if there is none.
int32_t firstCodePoint (const char* text)
{
    const auto* s = reinterpret_cast<const unsigned char*> (text);
    if (s[0] < 0x80)
        return s[0];
    const int length = s[0] >= 0xf0 ? 4 : s[0] >= 0xe0 ? 3 : 2;
    int32_t code = s[0] & (0x3f >> (length - 1));
    for (int i = 1; i < length; ++i)
    {
        if ((s[i] & 0xc0) != 0x80)
            return 0;
        code = (code << 6) | (s[i] & 0x3f);
    }
    return code;
}

}   // namespace

Keyboard::Keyboard (xcb_connection_t* c) : connection (c)
{
    reload ();
}

Keyboard::~Keyboard ()
{
    release ();
}

void Keyboard::release ()
{
    xkb_state_unref (state);
    xkb_keymap_unref (keymap);
    xkb_context_unref (context);
    state = nullptr;
    keymap = nullptr;
    context = nullptr;
}

bool Keyboard::reload ()
{
    release ();
    if (!xkb_x11_setup_xkb_extension (
            connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
            XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr))
        return false;
    deviceId = xkb_x11_get_core_keyboard_device_id (connection);
    context = xkb_context_new (XKB_CONTEXT_NO_FLAGS);
    if (deviceId < 0 || !context)
        return false;
    keymap =
        xkb_x11_keymap_new_from_device (context, connection, deviceId, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (keymap)
        state = xkb_x11_state_new_from_device (keymap, connection, deviceId);
    return state != nullptr;
}

bool Keyboard::translate (uint8_t keycode, uint16_t stateMask, VstKeyCode& key)
{
    key = VstKeyCode ();
    key.modifier = keyModifiers (stateMask);
    if (!state)
        return false;
    // The event carries the modifiers and layout group in force when the key went down.
    const xkb_layout_index_t group = (stateMask >> 13) & 3;
    xkb_state_update_mask (state, stateMask & 0xff, 0, 0, 0, 0, group);
    const xkb_keysym_t keysym = xkb_state_key_get_one_sym (state, keycode);
    for (const VirtualKey& entry : kVirtualKeys)
        if (entry.keysym == keysym)
        {
            key.virt = entry.virt;
            return true;
        }
    // Space is both: menus act on the key, text fields insert the character.
    if (keysym == XKB_KEY_space || keysym == XKB_KEY_KP_Space)
    {
        key.virt = VKEY_SPACE;
        key.character = ' ';
        return true;
    }
    if (keysym >= XKB_KEY_F1 && keysym <= XKB_KEY_F12)
    {
        key.virt = static_cast<uint8_t> (VKEY_F1 + (keysym - XKB_KEY_F1));
        return true;
    }
    char text[8] = {};
    xkb_state_key_get_utf8 (state, keycode, text, sizeof (text));
    int32_t code = firstCodePoint (text);
    // Control turns letters into control characters; views want the letter.
    if (code < 0x20 || code == 0x7f)
        code = static_cast<int32_t> (xkb_keysym_to_utf32 (keysym));
    if (code < 0x20 || code == 0x7f)
        return false;
    key.character = code;
    return true;
}

int32_t Keyboard::buttonModifiers (uint16_t stateMask)
{
    int32_t bits = 0;
    if (stateMask & XCB_MOD_MASK_SHIFT)
        bits |= kShift;
    if (stateMask & XCB_MOD_MASK_CONTROL)
        bits |= kControl;
    if (stateMask & XCB_MOD_MASK_1)
        bits |= kAlt;
    return bits;
}

uint8_t Keyboard::keyModifiers (uint16_t stateMask)
{
    uint8_t bits = 0;
    if (stateMask & XCB_MOD_MASK_SHIFT)
        bits |= MODIFIER_SHIFT;
    if (stateMask & XCB_MOD_MASK_CONTROL)
        bits |= MODIFIER_CONTROL;
    if (stateMask & XCB_MOD_MASK_1)
        bits |= MODIFIER_ALTERNATE;
    return bits;
}

}   // namespace X11
}   // namespace VSTGUI
