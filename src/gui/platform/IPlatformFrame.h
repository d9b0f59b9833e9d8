// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window-system seam: a CFrame drives a platform window through IPlatformFrame, and the
// window reports drawing and input back through IPlatformFrameCallback. No window-system type
// appears here; implementations live in platform/<system>/.
#include "../CBaseObject.h"
#include "../CButtonState.h"
#include "../CRect.h"
#include "../SharedPointer.h"
#include "../VstKeyCode.h"
#include <cstdint>
#include <string>

namespace VSTGUI {

class CDrawContext;

enum class PlatformType
{
    // A child of the host's window given as an X11 window id; _XEMBED_INFO set before mapping.
    kX11EmbedWindowID,
    // A child of the host's window given as a window handle (HWND).
    kHWND,
    // A borderless top-level window placed at its size given in ROOT coordinates, grabbing
    // pointer and keyboard (made by PlatformFactory::createPopup). A click outside arrives as a mouse-down outside the frame's bounds;
    // a grab that fails, or a lost grab, calls platformOnFocusLost.
    kPopup,
#ifdef _WIN32
    kDefaultNative = kHWND,
#else
    kDefaultNative = kX11EmbedWindowID,
#endif
};

enum CCursorType
{
    kCursorDefault = 0,
    kCursorWait,
    kCursorHSize,
    kCursorVSize,
    kCursorSizeAll,
    kCursorNESWSize,
    kCursorNWSESize,
    kCursorCopy,
    kCursorNotAllowed,
    kCursorHand,
};

// Implemented by CFrame. Points are in the frame's own coordinates (origin top-left).
class IPlatformFrameCallback
{
public:
    virtual ~IPlatformFrameCallback () = default;

    // Draw the dirty rectangle into the context (the window's back buffer).
    virtual void platformDrawRect (CDrawContext* context, const CRect& dirty) = 0;
    virtual CMouseEventResult platformOnMouseDown (CPoint& where, const CButtonState& buttons) = 0;
    virtual CMouseEventResult platformOnMouseMoved (CPoint& where, const CButtonState& buttons) = 0;
    virtual CMouseEventResult platformOnMouseUp (CPoint& where, const CButtonState& buttons) = 0;
    virtual CMouseEventResult platformOnMouseExited (CPoint& where,
                                                     const CButtonState& buttons) = 0;
    // distance in wheel steps, > 0 away from the user.
    virtual bool platformOnMouseWheel (const CPoint& where, float distance,
                                       const CButtonState& buttons) = 0;
    virtual bool platformOnKeyDown (VstKeyCode& key) = 0;
    virtual bool platformOnKeyUp (VstKeyCode& key) = 0;
    // Keyboard focus or a popup's grab went elsewhere; a popup closes.
    virtual void platformOnFocusLost () = 0;
    // Window pixels per frame unit (the frame's zoom); the back buffer draws at this scale and
    // pointer positions are divided by it.
    virtual double platformScaleFactor () const = 0;
    // The clipboard's text, answering IPlatformFrame::requestClipboardText.
    virtual void platformOnClipboardText (const std::string& text) { (void)text; }
};

// What a platform frame needs besides its parent; each platform derives its own.
class IPlatformFrameConfig
{
public:
    virtual ~IPlatformFrameConfig () = default;
};

// A window owned by one CFrame (reference counted; the frame holds the only reference).
// The callback may forget the platform frame from inside one of its own callbacks (a popup that
// closes on a click): implementations dispatch inside a DispatchScope, which keeps them alive
// until the dispatch returns, and call nothing on the callback once callbackAlive () is false.
class IPlatformFrame : public CBaseObject
{
public:
    // Made by PlatformFactory::createFrame: null when the window cannot be made (no display, no
    // run loop, bad parent); the frame then stays offscreen. For a child window, size is in the
    // parent's coordinates. Sizes here are window pixels: the frame's rectangle times its zoom.

    // Root coordinates of the window's top-left corner.
    virtual bool getGlobalPosition (CPoint& position) const = 0;
    virtual bool setSize (const CRect& size) = 0;
    virtual bool getSize (CRect& size) const = 0;
    // Redraw later (coalesced); the rectangle is in frame coordinates.
    virtual bool invalidRect (const CRect& rect) = 0;
    virtual bool setMouseCursor (CCursorType type) = 0;
    // CButtonState bits of the buttons and modifiers held now.
    virtual bool getCurrentMouseButtons (CButtonState& buttons) const = 0;
    virtual bool takeFocus () = 0;
    // The work area (the screen less panels and docks) of the monitor showing a point given in
    // root pixels; false when the window system cannot tell (popups are then not kept inside).
    virtual bool getWorkArea (const CPoint& rootPoint, CRect& area) const
    {
        (void)rootPoint;
        (void)area;
        return false;
    }
    // The system clipboard: setClipboardText offers UTF-8 text to every program;
    // requestClipboardText asks for what is there, answered later (without blocking) through
    // platformOnClipboardText, or never when the clipboard holds no text. False when this
    // window has no clipboard.
    virtual bool setClipboardText (const std::string& text)
    {
        (void)text;
        return false;
    }
    virtual bool requestClipboardText () { return false; }
    // The window system's handle of the window as a number (0 when there is none); tests use it.
    virtual uintptr_t getNativeWindowId () const = 0;

    IPlatformFrameCallback* getFrameCallback () const { return frameCallback; }

    // When the owner's is the last reference besides those our own dispatches hold, the window
    // closes at once and nothing more reaches the callback.
    void forget () override
    {
        if (!ownerGone && getNbReference () == dispatchDepth + 1)
        {
            ownerGone = true;
            closeWindow ();
        }
        CBaseObject::forget ();
    }

protected:
    explicit IPlatformFrame (IPlatformFrameCallback* callback) : frameCallback (callback) {}

    // Takes the window down; called once when the owner lets go, and again by destructors.
    virtual void closeWindow () = 0;
    bool callbackAlive () const { return !ownerGone; }
    bool dispatching () const { return dispatchDepth > 0; }
    // Lets go of a window that never opened: there is no owner to tell.
    void abandon ()
    {
        ownerGone = true;
        CBaseObject::forget ();
    }

    // Keeps the frame alive through a callback that may make its owner forget it.
    class DispatchScope
    {
    public:
        explicit DispatchScope (IPlatformFrame& f) : frame (f)
        {
            frame.remember ();
            ++frame.dispatchDepth;
        }
        ~DispatchScope ()
        {
            --frame.dispatchDepth;
            frame.forget ();
        }

    private:
        IPlatformFrame& frame;
    };

private:
    IPlatformFrameCallback* frameCallback;
    bool ownerGone {false};
    int32_t dispatchDepth {0};
};

}   // namespace VSTGUI
