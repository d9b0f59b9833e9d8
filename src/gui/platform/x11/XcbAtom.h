// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The atom of a name on a connection, for every XCB user in the tree (windows and test hosts).
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace VSTGUI {
namespace X11 {

// XCB_ATOM_NONE when the server does not answer.
inline xcb_atom_t internAtom (xcb_connection_t* connection, const char* name,
                              bool onlyIfExists = false)
{
    auto* reply = xcb_intern_atom_reply (
        connection,
        xcb_intern_atom (connection, onlyIfExists ? 1 : 0,
                         static_cast<uint16_t> (std::strlen (name)), name),
        nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t (XCB_ATOM_NONE);
    std::free (reply);
    return atom;
}

} // namespace X11
} // namespace VSTGUI
