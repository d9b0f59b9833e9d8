// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Key events to VstKeyCode with the user's layout: xkbcommon reads the keymap from the server,
// so a German or French keyboard types what its keys say. Raw key codes are never interpreted.
#include "gui/VstKeyCode.h"
#include <cstdint>
#include <xcb/xcb.h>

struct xkb_context;
struct xkb_keymap;
struct xkb_state;

namespace VSTGUI {
namespace X11 {

class Keyboard
{
public:
    explicit Keyboard (xcb_connection_t* connection);
    ~Keyboard ();
    Keyboard (const Keyboard&) = delete;
    Keyboard& operator= (const Keyboard&) = delete;

    // Reads the keymap again (after a MappingNotify); false without XKB on the server.
    bool reload ();
    // A key press or release as a VstKeyCode; false for keys that mean nothing to a view.
    bool translate (uint8_t keycode, uint16_t stateMask, VstKeyCode& key);

    // CButtonState modifier bits (kShift, kControl, kAlt) of a core event's state mask.
    static int32_t buttonModifiers (uint16_t stateMask);
    static uint8_t keyModifiers (uint16_t stateMask);

private:
    void release ();

    xcb_connection_t* connection;
    xkb_context* context {nullptr};
    xkb_keymap* keymap {nullptr};
    xkb_state* state {nullptr};
    int32_t deviceId {-1};
};

}   // namespace X11
}   // namespace VSTGUI
