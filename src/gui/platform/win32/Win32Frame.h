// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Win32 window of a CFrame: a child of the host's window (or, for a popup, a WS_POPUP window
// owned by its menu's window). Its window class lives on the module that holds this code (the
// plug-in's) and is unregistered when the last of our windows goes. Drawing goes into a
// Direct2D back buffer (a WIC bitmap), whose dirty part is then copied to the paint DC: nothing
// is erased first, so nothing flickers.
#include "gui/COffscreenContext.h"
#include "gui/platform/IPlatformFactory.h"
#include <windows.h>

namespace VSTGUI {

class Win32Frame : public IPlatformFrame
{
public:
    static Win32Frame* create (IPlatformFrameCallback* callback, const CRect& size, HWND parent,
                               PlatformType type);

    bool getGlobalPosition (CPoint& position) const override;
    bool setSize (const CRect& size) override;
    bool getSize (CRect& size) const override;
    bool invalidRect (const CRect& rect) override;
    bool setMouseCursor (CCursorType cursorType) override;
    bool getCurrentMouseButtons (CButtonState& buttons) const override;
    bool takeFocus () override;
    bool getWorkArea (const CPoint& rootPoint, CRect& area) const override;
    bool setClipboardText (const std::string& text) override;
    bool requestClipboardText () override;
    uintptr_t getNativeWindowId () const override { return reinterpret_cast<uintptr_t> (window); }

    HWND getWindow () const { return window; }

private:
    Win32Frame (IPlatformFrameCallback* callback, PlatformType type);
    ~Win32Frame () override;

    static LRESULT CALLBACK windowProc (HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle (UINT message, WPARAM w, LPARAM l);
    void paint ();
    void closeWindow () override;
    double scale () const { return getFrameCallback ()->platformScaleFactor (); }
    CPoint toFrame (LPARAM l) const;
    // Win32FrameDesktop.cpp: the clipboard's text for a request made earlier.
    void answerClipboardRequest ();
    // Win32FrameEvents.cpp
    bool onMouse (UINT message, WPARAM w, LPARAM l);
    bool onKey (UINT message, WPARAM w, LPARAM l);

    PlatformType type;
    HWND window {nullptr};
    bool counted {false};   // among liveWindows () until the window is destroyed
    bool tracking {false};   // TrackMouseEvent asked for WM_MOUSELEAVE
    int32_t heldButtons {0};
    HCURSOR cursor {nullptr};
    SharedPointer<COffscreenContext> backBuffer;
};

// Win32Keys.cpp: a key message as a VstKeyCode; false for keys views do not know.
bool toVstKeyCode (UINT message, WPARAM w, VstKeyCode& key);
int32_t currentModifiers ();

}   // namespace VSTGUI
