// SPDX-License-Identifier: GPL-3.0-or-later
// What a window shares with the rest of the desktop: the work area popups stay in, and the
// CLIPBOARD selection. Both sides of the selection are asynchronous: as owner we answer the
// server's SelectionRequest events from the run loop; as requestor we ask for a conversion into
// a property of our window and read it when SelectionNotify arrives, so the host's run loop
// never waits for another program. Copying and pasting within one window goes the same way
// through the server.
#include "gui/platform/x11/X11Frame.h"
#include "gui/platform/x11/XcbLookups.h"
#include "gui/Utf8.h"
#include <cstdlib>

namespace VSTGUI {
namespace X11 {

namespace {

// Names are short; a property this large is past what one request may carry anyway.
constexpr uint32_t kMaxClipboardBytes = 1 << 16;

std::string latin1ToUtf8 (const char* bytes, size_t length)
{
    std::string out;
    for (size_t i = 0; i < length; ++i)
        out += Utf8::encode (
            static_cast<unsigned char> (bytes[i]));   // Latin-1 is Unicode's first 256
    return out;
}

}   // namespace

bool Frame::getWorkArea (const CPoint&, CRect& area) const
{
    if (!usable ())
        return false;
    auto* geometry =
        xcb_get_geometry_reply (connection, xcb_get_geometry (connection, root), nullptr);
    if (!geometry)
        return false;
    area = CRect (0, 0, geometry->width, geometry->height);
    std::free (geometry);
    // One rectangle per desktop; the current one applies. It spans all monitors: a popup stays
    // on the screen, if not always on its own monitor.
    const xcb_atom_t workAreaAtom = internAtom (connection, "_NET_WORKAREA", true);
    if (workAreaAtom == XCB_ATOM_NONE)
        return true;
    uint32_t desktop = 0;
    const xcb_atom_t desktopAtom = internAtom (connection, "_NET_CURRENT_DESKTOP", true);
    if (desktopAtom != XCB_ATOM_NONE)
    {
        auto* reply = xcb_get_property_reply (
            connection,
            xcb_get_property (connection, 0, root, desktopAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        if (reply && xcb_get_property_value_length (reply) == 4)
            desktop = *static_cast<const uint32_t*> (xcb_get_property_value (reply));
        std::free (reply);
    }
    auto* reply = xcb_get_property_reply (
        connection,
        xcb_get_property (connection, 0, root, workAreaAtom, XCB_ATOM_CARDINAL, desktop * 4, 4),
        nullptr);
    if (reply && xcb_get_property_value_length (reply) == 16)
    {
        const auto* v = static_cast<const uint32_t*> (xcb_get_property_value (reply));
        const CRect workArea (CPoint (v[0], v[1]), CPoint (v[2], v[3]));
        if (!workArea.isEmpty ())
            area.bound (workArea);
    }
    std::free (reply);
    return true;
}

void Frame::internClipboardAtoms ()
{
    if (clipboardAtom != XCB_ATOM_NONE)
        return;
    clipboardAtom = internAtom (connection, "CLIPBOARD");
    utf8Atom = internAtom (connection, "UTF8_STRING");
    targetsAtom = internAtom (connection, "TARGETS");
    transferAtom = internAtom (connection, "_MORVANE_CLIPBOARD");
}

bool Frame::setClipboardText (const std::string& text)
{
    if (!usable () || text.size () > kMaxClipboardBytes)
        return false;
    internClipboardAtoms ();
    clipboardText = text;
    xcb_set_selection_owner (connection, window, clipboardAtom, lastInputTime);
    auto* owner = xcb_get_selection_owner_reply (
        connection, xcb_get_selection_owner (connection, clipboardAtom), nullptr);
    const bool owned = owner && owner->owner == window;
    std::free (owner);
    if (!owned)
        clipboardText.clear ();
    return owned;
}

bool Frame::requestClipboardText ()
{
    if (!usable ())
        return false;
    internClipboardAtoms ();
    xcb_convert_selection (connection, window, clipboardAtom, utf8Atom, transferAtom,
                           lastInputTime);
    xcb_flush (connection);
    askedForLatin1 = false;
    return true;
}

void Frame::onSelectionRequest (const xcb_selection_request_event_t* e)
{
    xcb_selection_notify_event_t answer {};
    answer.response_type = XCB_SELECTION_NOTIFY;
    answer.time = e->time;
    answer.requestor = e->requestor;
    answer.selection = e->selection;
    answer.target = e->target;
    answer.property = XCB_ATOM_NONE;   // refused unless filled below
    // Clients from before ICCCM 2 name no property: the target's name serves.
    const xcb_atom_t property = e->property != XCB_ATOM_NONE ? e->property : e->target;
    if (e->selection == clipboardAtom && !clipboardText.empty ())
    {
        if (e->target == targetsAtom)
        {
            const xcb_atom_t targets[] = {targetsAtom, utf8Atom};
            xcb_change_property (connection, XCB_PROP_MODE_REPLACE, e->requestor, property,
                                 XCB_ATOM_ATOM, 32, 2, targets);
            answer.property = property;
        }
        else if (e->target == utf8Atom)
        {
            xcb_change_property (connection, XCB_PROP_MODE_REPLACE, e->requestor, property,
                                 utf8Atom, 8, static_cast<uint32_t> (clipboardText.size ()),
                                 clipboardText.data ());
            answer.property = property;
        }
    }
    xcb_send_event (connection, 0, e->requestor, XCB_EVENT_MASK_NO_EVENT,
                    reinterpret_cast<const char*> (&answer));
    xcb_flush (connection);
}

void Frame::onSelectionNotify (const xcb_selection_notify_event_t* e)
{
    if (e->requestor != window || e->selection != clipboardAtom)
        return;
    if (e->property == XCB_ATOM_NONE)
    {
        // No UTF-8 on offer: older programs may still have Latin-1.
        if (!askedForLatin1 && e->target == utf8Atom)
        {
            askedForLatin1 = true;
            xcb_convert_selection (connection, window, clipboardAtom, XCB_ATOM_STRING, transferAtom,
                                   e->time);
            xcb_flush (connection);
        }
        return;
    }
    auto* reply = xcb_get_property_reply (connection,
                                          xcb_get_property (connection, 1, window, e->property,
                                                            XCB_GET_PROPERTY_TYPE_ANY, 0,
                                                            kMaxClipboardBytes / 4),
                                          nullptr);
    if (!reply)
        return;
    const auto* bytes = static_cast<const char*> (xcb_get_property_value (reply));
    const auto length = static_cast<size_t> (xcb_get_property_value_length (reply));
    std::string text;
    // Anything else (INCR for transfers in pieces, foreign types) is not text we can take.
    const bool isText =
        reply->format == 8 && (reply->type == utf8Atom || reply->type == XCB_ATOM_STRING);
    if (isText)
        text = reply->type == utf8Atom ? std::string (bytes, length) : latin1ToUtf8 (bytes, length);
    std::free (reply);
    if (isText)
        getFrameCallback ()->platformOnClipboardText (text);
}

void Frame::requestEmbedderFocus (uint32_t time)
{
    // XEmbed hosts pass keys only to a client that asked for focus; others ignore the message.
    if (!parentWindow)
        return;
    const xcb_atom_t xembed = internAtom (connection, "_XEMBED");
    xcb_client_message_event_t message {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = parentWindow;
    message.type = xembed;
    message.data.data32[0] = time;
    message.data.data32[1] = 3;   // XEMBED_REQUEST_FOCUS
    xcb_send_event (connection, 0, parentWindow, XCB_EVENT_MASK_NO_EVENT,
                    reinterpret_cast<const char*> (&message));
}

}   // namespace X11
}   // namespace VSTGUI
