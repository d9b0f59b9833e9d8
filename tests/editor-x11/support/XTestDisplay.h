// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The test's own X connection: synthesises pointer and keyboard input through XTest, as a user
// would produce it (modifiers are real key presses, so the server's state masks carry them),
// and inspects windows (tree, position, attributes, properties, focus). Coordinates are root
// coordinates unless a method says otherwise. Every input call ends with a round trip, so the
// server has queued the resulting events for their clients when it returns.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct xcb_connection_t;

namespace Morvane {
namespace X11Test {

enum Modifier : unsigned
{
    kNoModifier = 0,
    kShiftKey = 1u << 0,
    kControlKey = 1u << 1,
    kAltKey = 1u << 2
};

class XTestDisplay
{
public:
    // Null with a reason if $DISPLAY cannot be opened or lacks the XTEST extension.
    static std::unique_ptr<XTestDisplay> open (std::string& reason);
    ~XTestDisplay ();
    XTestDisplay (const XTestDisplay&) = delete;
    XTestDisplay& operator= (const XTestDisplay&) = delete;

    void moveTo (int x, int y);
    // Button 1 left, 2 middle, 3 right, 4/5 wheel up/down, 6/7 wheel left/right. The modifier
    // keys go down before the button and up after it.
    void pressButton (int button, unsigned modifiers = kNoModifier);
    void releaseButton (int button, unsigned modifiers = kNoModifier);
    void holdModifiers (unsigned modifiers);
    void releaseModifiers (unsigned modifiers);
    // A key by X keysym (e.g. 0xff0d Return, 0xff1b Escape, 0xff52 Up, 0xff54 Down); false if
    // no key of the keyboard produces it.
    bool tapKey (uint32_t keysym, unsigned modifiers = kNoModifier);
    // Printable ASCII, shifting where the layout needs it.
    bool typeText (const std::string& text);

    std::vector<uint32_t> children (uint32_t window) const;
    bool rootPosition (uint32_t window, int& x, int& y) const;
    bool size (uint32_t window, int& width, int& height) const;
    bool isViewable (uint32_t window) const;
    bool isOverrideRedirect (uint32_t window) const;
    // Viewable override-redirect children of the root: open popups.
    std::vector<uint32_t> popupWindows () const;
    // The property's 32-bit items (empty if absent), e.g. "_XEMBED_INFO".
    std::vector<uint32_t> property32 (uint32_t window, const std::string& name) const;
    uint32_t focusWindow () const;
    // Whether the pointer is grabbed by some client (a grab attempt of ours fails).
    bool pointerGrabbedByOther ();
    // Makes the server drop the connection that created the window, as xkill does.
    void killClientOf (uint32_t window);
    // Holds (or lets go of) a pointer grab of our own, as another application might.
    bool holdPointerGrab (bool hold);

private:
    XTestDisplay () = default;
    // Keycode and whether Shift is needed for a keysym; 0 when none.
    uint8_t keycodeFor (uint32_t keysym, bool& shifted) const;
    void fake (uint8_t type, uint8_t detail, int x = 0, int y = 0);
    void sync () const;

    xcb_connection_t* connection = nullptr;
    uint32_t root = 0;
    uint8_t minKeycode = 0;
    int keysymsPerKeycode = 0;
    std::vector<uint32_t> keymap;
};

}   // namespace X11Test
}   // namespace Morvane
