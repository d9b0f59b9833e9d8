// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lookups every XCB user in the tree needs (the toolkit's windows, the host tools' windows).
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace VSTGUI {
namespace X11 {

// XCB_ATOM_NONE when the server does not answer.
inline xcb_atom_t internAtom (xcb_connection_t* connection, const char* name,
                              bool onlyIfExists = false)
{
    auto* reply =
        xcb_intern_atom_reply (connection,
                               xcb_intern_atom (connection, onlyIfExists ? 1 : 0,
                                                static_cast<uint16_t> (std::strlen (name)), name),
                               nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t (XCB_ATOM_NONE);
    std::free (reply);
    return atom;
}

// The visual type of the screen's root visual, which cairo's XCB surfaces need; null if absent.
inline xcb_visualtype_t* rootVisualType (const xcb_screen_t* screen)
{
    for (auto depths = xcb_screen_allowed_depths_iterator (screen); depths.rem;
         xcb_depth_next (&depths))
        for (auto visuals = xcb_depth_visuals_iterator (depths.data); visuals.rem;
             xcb_visualtype_next (&visuals))
            if (visuals.data->visual_id == screen->root_visual)
                return visuals.data;
    return nullptr;
}

}   // namespace X11
}   // namespace VSTGUI
