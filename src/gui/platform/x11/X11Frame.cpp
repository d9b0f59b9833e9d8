// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/x11/X11Frame.h"
#include "gui/platform/cairo/CairoBitmap.h"
#include "gui/platform/x11/XcbLookups.h"
#include <algorithm>
#include <cairo-xcb.h>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace VSTGUI {

IPlatformFrame* PlatformFactory::createFrame (IPlatformFrameCallback* callback, const CRect& size,
                                              void* parent, PlatformType type,
                                              IPlatformFrameConfig* config)
{
    auto* x11Config = dynamic_cast<X11::FrameConfig*> (config);
    if (!callback || !x11Config || !x11Config->runLoop || type == PlatformType::kHWND)
        return nullptr;
    const auto parentId = static_cast<uint32_t> (reinterpret_cast<uintptr_t> (parent));
    if (type == PlatformType::kX11EmbedWindowID && parentId == 0)
        return nullptr;
    return X11::Frame::create (callback, size, parentId, type, x11Config->runLoop);
}

IPlatformFrame* PlatformFactory::createPopup (IPlatformFrameCallback* callback, const CRect& size,
                                              IPlatformFrame* owner)
{
    // Every platform frame of this build is an X11 one.
    X11::FrameConfig config;
    config.runLoop = owner ? static_cast<X11::Frame*> (owner)->getRunLoop () : nullptr;
    if (!config.runLoop)
        config.runLoop = X11::RunLoop::get ();
    return createFrame (callback, size, nullptr, PlatformType::kPopup, &config);
}

namespace X11 {

namespace {

constexpr uint32_t kEventMask = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS
                                | XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION
                                | XCB_EVENT_MASK_LEAVE_WINDOW | XCB_EVENT_MASK_KEY_PRESS
                                | XCB_EVENT_MASK_KEY_RELEASE | XCB_EVENT_MASK_FOCUS_CHANGE;

// Glyphs of the X core cursor font.
uint16_t cursorGlyph (CCursorType type)
{
    switch (type)
    {
        case kCursorWait: return 150;
        case kCursorHSize: return 108;
        case kCursorVSize: return 116;
        case kCursorSizeAll: return 52;
        case kCursorNESWSize: return 136;
        case kCursorNWSESize: return 134;
        case kCursorCopy: return 90;
        case kCursorNotAllowed: return 0;
        case kCursorHand: return 60;
        default: return 68;
    }
}

}   // namespace

Frame::Frame (IPlatformFrameCallback* callback, const CRect& size, PlatformType t,
              const SharedPointer<IRunLoop>& loop)
: IPlatformFrame (callback), type (t), runLoop (loop), frameSize (size)
{}

Frame::~Frame ()
{
    closeWindow ();
}

Frame* Frame::create (IPlatformFrameCallback* callback, const CRect& size, uint32_t parent,
                      PlatformType type, const SharedPointer<IRunLoop>& runLoop)
{
    if (size.isEmpty () || size.getWidth () > 0x7fff || size.getHeight () > 0x7fff)
        return nullptr;
    auto* frame = new Frame (callback, size, type, runLoop);
    if (!frame->open (parent))
    {
        frame->abandon ();
        return nullptr;
    }
    return frame;
}

bool Frame::open (uint32_t parent)
{
    int screenNumber = 0;
    connection = xcb_connect (nullptr, &screenNumber);
    if (!usable ())
        return false;
    auto screens = xcb_setup_roots_iterator (xcb_get_setup (connection));
    const xcb_screen_t* screen = screens.data;
    if (type == PlatformType::kX11EmbedWindowID)
    {
        // The parent must exist; its root tells which screen we are on.
        auto* geometry =
            xcb_get_geometry_reply (connection, xcb_get_geometry (connection, parent), nullptr);
        if (!geometry)
            return false;
        for (; screens.rem; xcb_screen_next (&screens))
            if (screens.data->root == geometry->root)
                screen = screens.data;
        parentWindow = parent;
        parentSize = CPoint (geometry->width, geometry->height);
        std::free (geometry);
        // Only our own selection on the host's window: its size, to cover all of it.
        const uint32_t parentEvents = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes (connection, parent, XCB_CW_EVENT_MASK, &parentEvents);
    }
    else
    {
        for (int i = 0; i < screenNumber && screens.rem; ++i)
            xcb_screen_next (&screens);
        screen = screens.data;
        parent = screen->root;
    }
    root = screen->root;
    visual = rootVisualType (screen);
    if (!visual)
        return false;

    // The root visual and colormap, stated explicitly: a host's container may use another depth.
    window = xcb_generate_id (connection);
    const uint32_t values[] = {XCB_BACK_PIXMAP_NONE, 0, type == PlatformType::kPopup ? 1u : 0u,
                               kEventMask, screen->default_colormap};
    const CRect pixels = windowRect ();
    auto created = xcb_create_window_checked (
        connection, screen->root_depth, window, parent, static_cast<int16_t> (pixels.left),
        static_cast<int16_t> (pixels.top), static_cast<uint16_t> (pixels.getWidth ()),
        static_cast<uint16_t> (pixels.getHeight ()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
        visual->visual_id,
        XCB_CW_BACK_PIXMAP | XCB_CW_BORDER_PIXEL | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK
            | XCB_CW_COLORMAP,
        values);
    if (auto* error = xcb_request_check (connection, created))
    {
        std::free (error);
        window = 0;
        return false;
    }
    wakeAtom = internAtom (connection, "_MORVANE_WINDOW_WAKE");
    if (type == PlatformType::kX11EmbedWindowID)
    {
        // Hosts following XEmbed show the child only with this set, and only if set before mapping.
        const xcb_atom_t embedInfo = internAtom (connection, "_XEMBED_INFO");
        const uint32_t info[] = {0, 1};   // version 0, XEMBED_MAPPED
        xcb_change_property (connection, XCB_PROP_MODE_REPLACE, window, embedInfo, embedInfo, 32, 2,
                             info);
    }
    else
    {
        const xcb_atom_t windowType = internAtom (connection, "_NET_WM_WINDOW_TYPE");
        const xcb_atom_t popupMenu = internAtom (connection, "_NET_WM_WINDOW_TYPE_POPUP_MENU");
        xcb_change_property (connection, XCB_PROP_MODE_REPLACE, window, windowType, XCB_ATOM_ATOM,
                             32, 1, &popupMenu);
    }
    if (!makeBackBuffer ())
        return false;

    xcb_map_window (connection, window);
    if (type == PlatformType::kPopup)
        releaseOtherFramesPointer ();
    handlerRegistered = runLoop->registerEventHandler (xcb_get_file_descriptor (connection), this);
    if (!handlerRegistered)
        return false;
    liveFrames ().push_back (this);
    if (type == PlatformType::kPopup)
        startGrab ();
    addDirty (logicalBounds ());
    xcb_flush (connection);
    return true;
}

CRect Frame::windowRect () const
{
    CRect r = frameSize;
    r.right = std::max (r.right, std::min<CCoord> (parentSize.x, 0x7fff));
    r.bottom = std::max (r.bottom, std::min<CCoord> (parentSize.y, 0x7fff));
    return r;
}

CRect Frame::logicalBounds () const
{
    const CRect pixels = windowRect ();
    return CRect (0, 0, pixels.getWidth () / scale, pixels.getHeight () / scale);
}

bool Frame::makeBackBuffer ()
{
    // The window is in pixels; the back buffer in the frame's units at the frame's zoom.
    scale = getFrameCallback ()->platformScaleFactor ();
    const CRect pixels = windowRect ();
    const int pixelWidth = static_cast<int> (pixels.getWidth ());
    const int pixelHeight = static_cast<int> (pixels.getHeight ());
    const CRect bounds = logicalBounds ();
    backBuffer = COffscreenContext::create (bounds.getWidth (), bounds.getHeight (), scale);
    if (!backBuffer)
        return false;
    if (windowSurface)
        cairo_xcb_surface_set_size (windowSurface, pixelWidth, pixelHeight);
    else
        windowSurface =
            cairo_xcb_surface_create (connection, window, visual, pixelWidth, pixelHeight);
    return cairo_surface_status (windowSurface) == CAIRO_STATUS_SUCCESS;
}

void Frame::closeWindow ()
{
    auto& frames = liveFrames ();
    const bool wasListed = std::find (frames.begin (), frames.end (), this) != frames.end ();
    frames.erase (std::remove (frames.begin (), frames.end (), this), frames.end ());
    const bool handBack = wasListed && grabbing;
    grabbing = false;
    if (handlerRegistered)
        runLoop->unregisterEventHandler (this);
    if (timerRegistered)
        runLoop->unregisterTimer (this);
    handlerRegistered = timerRegistered = false;
    if (windowSurface)
    {
        // cairo keeps a device per connection, found again by its address: it must go before the
        // connection does, or a later connection at the same address meets a stale one.
        cairo_device_t* device = cairo_device_reference (cairo_surface_get_device (windowSurface));
        cairo_surface_finish (windowSurface);
        cairo_surface_destroy (windowSurface);
        windowSurface = nullptr;
        if (device)
        {
            cairo_device_finish (device);
            cairo_device_destroy (device);
        }
    }
    backBuffer = nullptr;
    keyboard.reset ();
    if (connection)
    {
        if (usable () && window)
        {
            xcb_destroy_window (connection, window);
            if (cursor)
                xcb_free_cursor (connection, cursor);
            if (cursorFont)
                xcb_close_font (connection, cursorFont);
            xcb_flush (connection);
        }
        xcb_disconnect (connection);
        connection = nullptr;
    }
    dirty.clear ();
    if (handBack)
        handGrabBack ();
}

bool Frame::getGlobalPosition (CPoint& position) const
{
    if (!usable ())
        return false;
    auto* reply = xcb_translate_coordinates_reply (
        connection, xcb_translate_coordinates (connection, window, root, 0, 0), nullptr);
    if (!reply)
        return false;
    position = CPoint (reply->dst_x, reply->dst_y);
    std::free (reply);
    return true;
}

bool Frame::setSize (const CRect& size)
{
    if (!usable () || size.isEmpty ())
        return false;
    frameSize = size;
    const CRect pixels = windowRect ();
    const uint32_t values[] = {static_cast<uint32_t> (static_cast<int32_t> (pixels.left)),
                               static_cast<uint32_t> (static_cast<int32_t> (pixels.top)),
                               static_cast<uint32_t> (pixels.getWidth ()),
                               static_cast<uint32_t> (pixels.getHeight ())};
    xcb_configure_window (connection, window,
                          XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH
                              | XCB_CONFIG_WINDOW_HEIGHT,
                          values);
    if (!makeBackBuffer ())
        return false;
    addDirty (logicalBounds ());
    xcb_flush (connection);
    return true;
}

void Frame::onParentResized (const xcb_configure_notify_event_t* event)
{
    const CPoint newSize (event->width, event->height);
    if (newSize == parentSize)
        return;
    const CRect before = windowRect ();
    parentSize = newSize;
    if (windowRect () != before)
        setSize (frameSize);
}

bool Frame::getSize (CRect& size) const
{
    size = frameSize;
    return true;
}

bool Frame::invalidRect (const CRect& rect)
{
    if (!usable ())
        return false;
    addDirty (rect);
    return true;
}

void Frame::addDirty (const CRect& rect)
{
    CRect r (std::floor (rect.left), std::floor (rect.top), std::ceil (rect.right),
             std::ceil (rect.bottom));
    r.bound (logicalBounds ());
    if (r.isEmpty ())
        return;
    // Overlapping rectangles merge; past a handful, one rectangle around all is cheaper.
    for (auto it = dirty.begin (); it != dirty.end ();)
    {
        if (it->rectOverlap (r) || r.rectInside (*it))
        {
            r.unite (*it);
            it = dirty.erase (it);
        }
        else
            ++it;
    }
    dirty.push_back (r);
    if (dirty.size () > 8)
    {
        CRect all = dirty.front ();
        for (const CRect& d : dirty)
            all.unite (d);
        dirty.assign (1, all);
    }
    if (!dispatching ())
        postWakeUp ();
}

void Frame::postWakeUp ()
{
    if (wakePending || !usable ())
        return;
    // A message to ourselves makes the descriptor readable: the redraw then happens in the next
    // pass of the run loop, however many rectangles are invalidated until then.
    xcb_client_message_event_t message {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = wakeAtom;
    xcb_send_event (connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                    reinterpret_cast<const char*> (&message));
    xcb_flush (connection);
    wakePending = true;
}

void Frame::drawDirty ()
{
    if (dirty.empty () || !usable () || !backBuffer)
        return;
    const std::vector<CRect> rects = std::move (dirty);
    dirty.clear ();
    for (const CRect& r : rects)
    {
        backBuffer->saveGlobalState ();
        backBuffer->setClipRect (r);
        // The window has no alpha: whatever the views leave uncovered shows black.
        backBuffer->setFillColor (kBlackCColor);
        backBuffer->drawRect (r, kDrawFilled);
        getFrameCallback ()->platformDrawRect (backBuffer, r);
        if (!callbackAlive ())
            return;
        backBuffer->restoreGlobalState ();
    }
    backBuffer->endDraw ();
    auto* bitmap = dynamic_cast<CairoBitmap*> (backBuffer->getBitmap ()->getPlatformBitmap ());
    if (!bitmap)
        return;
    cairo_surface_t* source = bitmap->getSurface ();
    cairo_surface_flush (source);
    cairo_t* cr = cairo_create (windowSurface);
    cairo_set_operator (cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface (cr, source, 0, 0);
    for (const CRect& r : rects)
        cairo_rectangle (cr, r.left * scale, r.top * scale, r.getWidth () * scale,
                         r.getHeight () * scale);
    cairo_fill (cr);
    cairo_destroy (cr);
    cairo_surface_flush (windowSurface);
    xcb_flush (connection);
}

bool Frame::setMouseCursor (CCursorType cursorType)
{
    if (!usable ())
        return false;
    if (!cursorFont)
    {
        cursorFont = xcb_generate_id (connection);
        xcb_open_font (connection, cursorFont, 6, "cursor");
    }
    if (cursor)
        xcb_free_cursor (connection, cursor);
    cursor = xcb_generate_id (connection);
    const uint16_t glyph = cursorGlyph (cursorType);
    xcb_create_glyph_cursor (connection, cursor, cursorFont, cursorFont, glyph, glyph + 1, 0, 0, 0,
                             0xffff, 0xffff, 0xffff);
    xcb_change_window_attributes (connection, window, XCB_CW_CURSOR, &cursor);
    xcb_flush (connection);
    return true;
}

bool Frame::getCurrentMouseButtons (CButtonState& buttons) const
{
    if (!usable ())
        return false;
    auto* reply =
        xcb_query_pointer_reply (connection, xcb_query_pointer (connection, window), nullptr);
    if (!reply)
        return false;
    int32_t bits = Keyboard::buttonModifiers (reply->mask);
    if (reply->mask & XCB_BUTTON_MASK_1)
        bits |= kLButton;
    if (reply->mask & XCB_BUTTON_MASK_2)
        bits |= kMButton;
    if (reply->mask & XCB_BUTTON_MASK_3)
        bits |= kRButton;
    std::free (reply);
    buttons = CButtonState (bits);
    return true;
}

bool Frame::takeFocus ()
{
    if (!usable ())
        return false;
    // Now, not at our last input: focus may be given after a popup (another connection) closed.
    xcb_set_input_focus (connection, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
    requestEmbedderFocus (lastInputTime);
    xcb_flush (connection);
    return true;
}

}   // namespace X11
}   // namespace VSTGUI
