// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/X11HostWindow.h"
#include "gui/platform/x11/XcbLookups.h"
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace Morvane {
namespace Host {

using namespace Steinberg;

class X11HostWindow::Handler : public Linux::IEventHandler
{
public:
    explicit Handler (X11HostWindow& owner) : window (&owner) { FUNKNOWN_CTOR }
    virtual ~Handler () { FUNKNOWN_DTOR }
    void PLUGIN_API onFDIsSet (Linux::FileDescriptor) SMTG_OVERRIDE
    {
        if (window)
            window->processEvents ();
    }
    void forgetOwner () { window = nullptr; }
    DECLARE_FUNKNOWN_METHODS

private:
    X11HostWindow* window;
};

IMPLEMENT_FUNKNOWN_METHODS (X11HostWindow::Handler, Linux::IEventHandler, Linux::IEventHandler::iid)

using VSTGUI::X11::internAtom;

std::unique_ptr<X11HostWindow> X11HostWindow::create (int width, int height,
                                                      const std::string& title, std::string& error)
{
    if (width <= 0 || height <= 0 || width > 0x7fff || height > 0x7fff)
    {
        error = "window size out of range";
        return nullptr;
    }
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect (nullptr, &screenNumber);
    if (xcb_connection_has_error (connection))
    {
        xcb_disconnect (connection);
        const char* display = std::getenv ("DISPLAY");
        error = std::string ("cannot connect to the X display ")
                + (display ? display : "(DISPLAY not set)");
        return nullptr;
    }
    auto screens = xcb_setup_roots_iterator (xcb_get_setup (connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next (&screens);
    const xcb_screen_t* screen = screens.data;

    std::unique_ptr<X11HostWindow> host (new X11HostWindow);
    host->connection = connection;
    host->window = xcb_generate_id (connection);
    const uint32_t values[] = {screen->black_pixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window (connection, XCB_COPY_FROM_PARENT, host->window, screen->root, 0, 0,
                       static_cast<uint16_t> (width), static_cast<uint16_t> (height), 0,
                       XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                       XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    xcb_change_property (connection, XCB_PROP_MODE_REPLACE, host->window, XCB_ATOM_WM_NAME,
                         XCB_ATOM_STRING, 8, static_cast<uint32_t> (title.size ()), title.data ());
    const xcb_atom_t protocols = internAtom (connection, "WM_PROTOCOLS");
    host->deleteAtom = internAtom (connection, "WM_DELETE_WINDOW");
    xcb_change_property (connection, XCB_PROP_MODE_REPLACE, host->window, protocols, XCB_ATOM_ATOM,
                         32, 1, &host->deleteAtom);
    xcb_map_window (connection, host->window);
    xcb_flush (connection);
    return host;
}

X11HostWindow::~X11HostWindow ()
{
    detach ();
    if (!xcb_connection_has_error (connection))
        xcb_destroy_window (connection, window);
    xcb_disconnect (connection);
}

void X11HostWindow::resize (int width, int height)
{
    if (xcb_connection_has_error (connection) || width <= 0 || height <= 0)
        return;
    const uint32_t size[] = {static_cast<uint32_t> (width), static_cast<uint32_t> (height)};
    xcb_configure_window (connection, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                          size);
    xcb_flush (connection);
}

void X11HostWindow::processEvents ()
{
    if (xcb_connection_has_error (connection))
    {
        closing = true;
        detach ();
        return;
    }
    while (xcb_generic_event_t* event = xcb_poll_for_event (connection))
    {
        if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE)
        {
            const auto* message = reinterpret_cast<const xcb_client_message_event_t*> (event);
            if (message->format == 32 && message->data.data32[0] == deleteAtom)
                closing = true;
        }
        std::free (event);
    }
}

bool X11HostWindow::attach (RunLoop& loop)
{
    detach ();
    IPtr<Handler> own (new Handler (*this), false);
    if (loop.registerEventHandler (own, xcb_get_file_descriptor (connection)) != kResultOk)
        return false;
    attachedLoop = &loop;
    handler = own;
    return true;
}

void X11HostWindow::detach ()
{
    if (!handler)
        return;
    attachedLoop->unregisterEventHandler (handler);
    static_cast<Handler*> (handler.get ())->forgetOwner ();
    handler = nullptr;
    attachedLoop = nullptr;
}

std::vector<uint32_t> X11HostWindow::childWindows () const
{
    std::vector<uint32_t> children;
    if (xcb_connection_has_error (connection))
        return children;
    auto* reply = xcb_query_tree_reply (connection, xcb_query_tree (connection, window), nullptr);
    if (!reply)
        return children;
    const xcb_window_t* ids = xcb_query_tree_children (reply);
    children.assign (ids, ids + xcb_query_tree_children_length (reply));
    std::free (reply);
    return children;
}

std::vector<uint32_t> X11HostWindow::capture (int& width, int& height) const
{
    width = height = 0;
    std::vector<uint32_t> pixels;
    if (xcb_connection_has_error (connection))
        return pixels;
    auto* geometry =
        xcb_get_geometry_reply (connection, xcb_get_geometry (connection, window), nullptr);
    if (!geometry)
        return pixels;
    const int w = geometry->width;
    const int h = geometry->height;
    const int depth = geometry->depth;
    std::free (geometry);
    auto* image = xcb_get_image_reply (connection,
                                       xcb_get_image (connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window,
                                                      0, 0, static_cast<uint16_t> (w),
                                                      static_cast<uint16_t> (h), ~0u),
                                       nullptr);
    // Depth 24 and 32 come as 32-bit pixels on every server we target; anything else is refused.
    if (image && (depth == 24 || depth == 32) && xcb_get_image_data_length (image) >= w * h * 4)
    {
        pixels.resize (static_cast<std::size_t> (w) * static_cast<std::size_t> (h));
        std::memcpy (pixels.data (), xcb_get_image_data (image), pixels.size () * 4);
        for (uint32_t& pixel : pixels)
            pixel &= 0x00ffffffu;
        width = w;
        height = h;
    }
    std::free (image);
    return pixels;
}

}   // namespace Host
}   // namespace Morvane
