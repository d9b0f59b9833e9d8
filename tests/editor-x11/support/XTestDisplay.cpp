// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor-x11/support/XTestDisplay.h"
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace Morvane {
namespace X11Test {

namespace {

constexpr uint32_t kShiftSym = 0xffe1;
constexpr uint32_t kControlSym = 0xffe3;
constexpr uint32_t kAltSym = 0xffe9;

template <typename Reply>
struct Freed
{
    Reply* reply;
    ~Freed () { std::free (reply); }
    Reply* operator->() const { return reply; }
    explicit operator bool () const { return reply != nullptr; }
};

}   // namespace

std::unique_ptr<XTestDisplay> XTestDisplay::open (std::string& reason)
{
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect (nullptr, &screenNumber);
    if (xcb_connection_has_error (connection))
    {
        xcb_disconnect (connection);
        reason = "cannot open the X display";
        return nullptr;
    }
    Freed<xcb_test_get_version_reply_t> version {
        xcb_test_get_version_reply (connection, xcb_test_get_version (connection, 2, 2), nullptr)};
    if (!version)
    {
        xcb_disconnect (connection);
        reason = "the X server has no XTEST extension";
        return nullptr;
    }
    std::unique_ptr<XTestDisplay> display (new XTestDisplay);
    display->connection = connection;
    const xcb_setup_t* setup = xcb_get_setup (connection);
    auto screens = xcb_setup_roots_iterator (setup);
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next (&screens);
    display->root = screens.data->root;
    display->minKeycode = setup->min_keycode;
    const uint8_t count = static_cast<uint8_t> (setup->max_keycode - setup->min_keycode + 1);
    Freed<xcb_get_keyboard_mapping_reply_t> mapping {xcb_get_keyboard_mapping_reply (
        connection, xcb_get_keyboard_mapping (connection, setup->min_keycode, count), nullptr)};
    if (mapping)
    {
        display->keysymsPerKeycode = mapping->keysyms_per_keycode;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms (mapping.reply);
        display->keymap.assign (syms,
                                syms + xcb_get_keyboard_mapping_keysyms_length (mapping.reply));
    }
    return display;
}

XTestDisplay::~XTestDisplay ()
{
    xcb_disconnect (connection);
}

void XTestDisplay::fake (uint8_t type, uint8_t detail, int x, int y)
{
    xcb_test_fake_input (connection, type, detail, XCB_CURRENT_TIME, root, static_cast<int16_t> (x),
                         static_cast<int16_t> (y), 0);
}

void XTestDisplay::sync () const
{
    std::free (xcb_get_input_focus_reply (connection, xcb_get_input_focus (connection), nullptr));
}

void XTestDisplay::moveTo (int x, int y)
{
    fake (XCB_MOTION_NOTIFY, 0, x, y);
    sync ();
}

void XTestDisplay::holdModifiers (unsigned modifiers)
{
    bool shifted = false;
    for (const auto& [bit, sym] :
         {std::pair {kShiftKey, kShiftSym}, {kControlKey, kControlSym}, {kAltKey, kAltSym}})
        if ((modifiers & bit) != 0)
            if (const uint8_t code = keycodeFor (sym, shifted))
                fake (XCB_KEY_PRESS, code);
    sync ();
}

void XTestDisplay::releaseModifiers (unsigned modifiers)
{
    bool shifted = false;
    for (const auto& [bit, sym] :
         {std::pair {kAltKey, kAltSym}, {kControlKey, kControlSym}, {kShiftKey, kShiftSym}})
        if ((modifiers & bit) != 0)
            if (const uint8_t code = keycodeFor (sym, shifted))
                fake (XCB_KEY_RELEASE, code);
    sync ();
}

void XTestDisplay::pressButton (int button, unsigned modifiers)
{
    holdModifiers (modifiers);
    fake (XCB_BUTTON_PRESS, static_cast<uint8_t> (button));
    sync ();
}

void XTestDisplay::releaseButton (int button, unsigned modifiers)
{
    fake (XCB_BUTTON_RELEASE, static_cast<uint8_t> (button));
    releaseModifiers (modifiers);
}

uint8_t XTestDisplay::keycodeFor (uint32_t keysym, bool& shifted) const
{
    if (keysymsPerKeycode <= 0)
        return 0;
    const std::size_t codes = keymap.size () / static_cast<std::size_t> (keysymsPerKeycode);
    for (int column = 0; column < 2 && column < keysymsPerKeycode; ++column)
        for (std::size_t code = 0; code < codes; ++code)
            if (keymap[code * keysymsPerKeycode + column] == keysym)
            {
                shifted = column == 1;
                return static_cast<uint8_t> (minKeycode + code);
            }
    return 0;
}

bool XTestDisplay::tapKey (uint32_t keysym, unsigned modifiers)
{
    bool shifted = false;
    const uint8_t code = keycodeFor (keysym, shifted);
    if (code == 0)
        return false;
    const unsigned held = modifiers | (shifted ? kShiftKey : 0u);
    holdModifiers (held);
    fake (XCB_KEY_PRESS, code);
    fake (XCB_KEY_RELEASE, code);
    releaseModifiers (held);
    return true;
}

bool XTestDisplay::typeText (const std::string& text)
{
    for (const char c : text)
        if (c < 0x20 || c > 0x7e || !tapKey (static_cast<uint32_t> (c)))
            return false;
    return true;
}

std::vector<uint32_t> XTestDisplay::children (uint32_t window) const
{
    Freed<xcb_query_tree_reply_t> tree {
        xcb_query_tree_reply (connection, xcb_query_tree (connection, window), nullptr)};
    if (!tree)
        return {};
    const xcb_window_t* ids = xcb_query_tree_children (tree.reply);
    return std::vector<uint32_t> (ids, ids + xcb_query_tree_children_length (tree.reply));
}

bool XTestDisplay::rootPosition (uint32_t window, int& x, int& y) const
{
    Freed<xcb_translate_coordinates_reply_t> at {xcb_translate_coordinates_reply (
        connection, xcb_translate_coordinates (connection, window, root, 0, 0), nullptr)};
    if (!at)
        return false;
    x = at->dst_x;
    y = at->dst_y;
    return true;
}

bool XTestDisplay::size (uint32_t window, int& width, int& height) const
{
    Freed<xcb_get_geometry_reply_t> geometry {
        xcb_get_geometry_reply (connection, xcb_get_geometry (connection, window), nullptr)};
    if (!geometry)
        return false;
    width = geometry->width;
    height = geometry->height;
    return true;
}

bool XTestDisplay::isViewable (uint32_t window) const
{
    Freed<xcb_get_window_attributes_reply_t> attributes {xcb_get_window_attributes_reply (
        connection, xcb_get_window_attributes (connection, window), nullptr)};
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

bool XTestDisplay::isOverrideRedirect (uint32_t window) const
{
    Freed<xcb_get_window_attributes_reply_t> attributes {xcb_get_window_attributes_reply (
        connection, xcb_get_window_attributes (connection, window), nullptr)};
    return attributes && attributes->override_redirect;
}

std::vector<uint32_t> XTestDisplay::popupWindows () const
{
    std::vector<uint32_t> popups;
    for (const uint32_t window : children (root))
        if (isViewable (window) && isOverrideRedirect (window))
            popups.push_back (window);
    return popups;
}

std::vector<uint32_t> XTestDisplay::property32 (uint32_t window, const std::string& name) const
{
    Freed<xcb_intern_atom_reply_t> atom {xcb_intern_atom_reply (
        connection,
        xcb_intern_atom (connection, 1, static_cast<uint16_t> (name.size ()), name.c_str ()),
        nullptr)};
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return {};
    Freed<xcb_get_property_reply_t> value {xcb_get_property_reply (
        connection,
        xcb_get_property (connection, 0, window, atom->atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 64),
        nullptr)};
    if (!value || value->format != 32)
        return {};
    const auto* items = static_cast<const uint32_t*> (xcb_get_property_value (value.reply));
    return std::vector<uint32_t> (items, items + xcb_get_property_value_length (value.reply) / 4);
}

uint32_t XTestDisplay::focusWindow () const
{
    Freed<xcb_get_input_focus_reply_t> focus {
        xcb_get_input_focus_reply (connection, xcb_get_input_focus (connection), nullptr)};
    return focus ? focus->focus : 0;
}

bool XTestDisplay::pointerGrabbedByOther ()
{
    Freed<xcb_grab_pointer_reply_t> grab {xcb_grab_pointer_reply (
        connection,
        xcb_grab_pointer (connection, 0, root, XCB_EVENT_MASK_NO_EVENT, XCB_GRAB_MODE_ASYNC,
                          XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
        nullptr)};
    const bool grabbed = grab && grab->status == XCB_GRAB_STATUS_ALREADY_GRABBED;
    if (grab && grab->status == XCB_GRAB_STATUS_SUCCESS)
        xcb_ungrab_pointer (connection, XCB_CURRENT_TIME);
    sync ();
    return grabbed;
}

void XTestDisplay::killClientOf (uint32_t window)
{
    xcb_kill_client (connection, window);
    sync ();
}

bool XTestDisplay::holdPointerGrab (bool hold)
{
    if (!hold)
    {
        xcb_ungrab_pointer (connection, XCB_CURRENT_TIME);
        sync ();
        return true;
    }
    Freed<xcb_grab_pointer_reply_t> grab {xcb_grab_pointer_reply (
        connection,
        xcb_grab_pointer (connection, 0, root, XCB_EVENT_MASK_NO_EVENT, XCB_GRAB_MODE_ASYNC,
                          XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
        nullptr)};
    return grab && grab->status == XCB_GRAB_STATUS_SUCCESS;
}

}   // namespace X11Test
}   // namespace Morvane
