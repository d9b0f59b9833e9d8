// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The X11 window of a CFrame, on XCB only: Xlib's error handler is process-wide and fatal, and a
// plug-in must never replace its host's. Each window has its own connection, read from the run
// loop's event handler (no thread, nothing blocks on input). Drawing goes into a cairo image back
// buffer, then the dirty rectangles are copied to the window.
//
// Life: the owner's forget () takes the window down at once (handler and timer unregistered,
// window destroyed, connection closed); if that happens inside one of our own callbacks, the
// dispatch stops right after it and nothing more is called.
#include "gui/COffscreenContext.h"
#include "gui/platform/IPlatformFactory.h"
#include "gui/platform/linux/IRunLoop.h"
#include "gui/platform/x11/X11Keyboard.h"
#include <cairo.h>
#include <memory>
#include <string>
#include <vector>
#include <xcb/xcb.h>

namespace VSTGUI {
namespace X11 {

class Frame : public IPlatformFrame, public IEventHandler, public ITimerHandler
{
public:
    static Frame* create (IPlatformFrameCallback* callback, const CRect& size, uint32_t parent,
                          PlatformType type, const SharedPointer<IRunLoop>& runLoop);

    bool getGlobalPosition (CPoint& position) const override;
    bool setSize (const CRect& size) override;
    bool getSize (CRect& size) const override;
    bool invalidRect (const CRect& rect) override;
    bool setMouseCursor (CCursorType type) override;
    bool getCurrentMouseButtons (CButtonState& buttons) const override;
    // Also asks an XEmbed host to pass the keys on.
    bool takeFocus () override;
    // The root window, less what _NET_WORKAREA leaves for panels when a window manager sets it.
    bool getWorkArea (const CPoint& rootPoint, CRect& area) const override;
    // The CLIPBOARD selection, as UTF8_STRING (Latin-1 STRING accepted when pasting).
    bool setClipboardText (const std::string& text) override;
    bool requestClipboardText () override;
    uintptr_t getNativeWindowId () const override { return window; }
    const SharedPointer<IRunLoop>& getRunLoop () const { return runLoop; }

    void onEvent () override;
    // Retries a popup's grab while another client (usually the owner's press) still holds one.
    void onTimer () override;

private:
    // Every open window of the process, for popups to find the press that opened them.
    static std::vector<Frame*>& liveFrames ();

    Frame (IPlatformFrameCallback* callback, const CRect& size, PlatformType type,
           const SharedPointer<IRunLoop>& runLoop);
    ~Frame () override;

    bool open (uint32_t parent);
    bool makeBackBuffer ();
    // The window in pixels: the frame's size, grown to cover the rest of a larger parent (hosts
    // make their container wider than the view; no pixel of it may keep stale contents).
    CRect windowRect () const;
    void onParentResized (const xcb_configure_notify_event_t* event);
    // The window's extent in frame units: its pixels over the zoom.
    CRect logicalBounds () const;
    // Unregisters, destroys the window and disconnects; idempotent.
    void closeWindow () override;
    void connectionLost ();
    bool usable () const { return connection && !xcb_connection_has_error (connection); }

    void dispatch (const xcb_generic_event_t* event);
    void onButton (const xcb_button_press_event_t* event, bool press);
    void onMotion (const xcb_motion_notify_event_t* event);
    void onKey (const xcb_key_press_event_t* event, bool press);
    CPoint toFrame (int x, int y) const { return CPoint (x / scale, y / scale); }
    void internClipboardAtoms ();
    void onSelectionRequest (const xcb_selection_request_event_t* event);
    void onSelectionNotify (const xcb_selection_notify_event_t* event);
    void requestEmbedderFocus (uint32_t time);
    void addDirty (const CRect& rect);
    void drawDirty ();
    void postWakeUp ();
    bool tryGrab ();
    void startGrab ();
    void releaseOtherFramesPointer ();
    void handGrabBack ();

    PlatformType type;
    SharedPointer<IRunLoop> runLoop;
    CRect frameSize;   // the frame in pixels, in its parent's (a popup: the root's) coordinates
    xcb_window_t parentWindow {0};
    CPoint parentSize;   // pixels; zero for popups
    double scale {1.};
    xcb_connection_t* connection {nullptr};
    xcb_window_t window {0};
    xcb_window_t root {0};
    xcb_visualtype_t* visual {nullptr};
    xcb_atom_t wakeAtom {0};
    xcb_cursor_t cursor {0};
    xcb_font_t cursorFont {0};
    cairo_surface_t* windowSurface {nullptr};
    SharedPointer<COffscreenContext> backBuffer;
    std::unique_ptr<Keyboard> keyboard;
    std::vector<CRect> dirty;
    CRect exposed;
    bool handlerRegistered {false};
    bool timerRegistered {false};
    bool wakePending {false};
    bool grabFailed {false};
    bool grabbing {false};
    int grabAttempts {0};
    int32_t heldButtons {0};
    uint32_t lastPressTime {0};
    uint32_t lastInputTime {XCB_CURRENT_TIME};   // of the latest key or button event
    std::string clipboardText;   // what we offer while we own CLIPBOARD
    xcb_atom_t clipboardAtom {XCB_ATOM_NONE};
    xcb_atom_t utf8Atom {XCB_ATOM_NONE};
    xcb_atom_t targetsAtom {XCB_ATOM_NONE};
    xcb_atom_t transferAtom {XCB_ATOM_NONE};
    bool askedForLatin1 {false};
    int lastPressButton {0};
    CPoint lastPressWhere;
};

}   // namespace X11
}   // namespace VSTGUI
