// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The root container of a window. It owns the platform window (when opened on a parent), gathers
// redraw requests, keeps the focus view, the modal view and the pointer capture of a press, and
// routes input. Without a platform window it still draws: offscreen, into a PNG if asked.
#include "CViewContainer.h"
#include "IMouseObserver.h"
#include "platform/IPlatformFrame.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace VSTGUI {

class VSTGUIEditorInterface;

class CFrame : public CViewContainer, public IPlatformFrameCallback
{
public:
    // size places the window: in the parent's coordinates, or in root coordinates for a popup.
    // The frame's own coordinates (getViewSize, events, drawing) start at 0, 0 either way.
    CFrame (const CRect& size, VSTGUIEditorInterface* editor);

    // Makes the platform window as a child of parent (the window system's handle of the host's
    // window; ignored for kPopup). False when no window could be made; the frame then stays
    // usable offscreen.
    bool open (void* parent, PlatformType type = PlatformType::kDefaultNative,
               IPlatformFrameConfig* config = nullptr);
    // Makes the window of a popup that belongs to owner's window (same event source); the
    // frame's size is in root coordinates. False when owner has no window or none could be made.
    bool openPopup (const CFrame& owner);
    // Closes the window, removes and forgets all views, then forgets the frame itself.
    void close ();
    IPlatformFrame* getPlatformFrame () const { return platformFrame; }
    VSTGUIEditorInterface* getEditor () const { return editor; }

    // Redraw requests: clipped to the frame, merged with overlapping ones, then passed to the
    // window. drawDirtyRects draws and clears them (offscreen use: tests, benchmarks).
    void invalidRect (const CRect& rect) override;
    void invalid () override;
    const std::vector<CRect>& getDirtyRects () const { return dirtyRects; }
    int32_t drawDirtyRects (CDrawContext* context);
    void clearDirtyRects () { dirtyRects.clear (); }

    // Offscreen render of the whole frame, or of a rectangle of it, to a PNG file.
    bool renderToPNG (const std::string& path, double scaleFactor = 1.);
    bool renderToPNG (const std::string& path, const CRect& area, double scaleFactor = 1.);

    // A modal view is added on top and is the only view that gets input; null ends it (the view
    // is removed without being forgotten). False when one is already shown.
    bool setModalView (CView* view);
    CView* getModalView () const { return modalView; }

    // The view that gets key events; it is told takeFocus/looseFocus.
    void setFocusView (CView* view);
    CView* getFocusView () const { return focusView; }

    // Frame-level input entry points (also used by tests with made-up events).
    CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited (CPoint& where, const CButtonState& buttons) override;
    bool onWheel (const CPoint& where, const float& distance, const CButtonState& buttons) override;
    int32_t onKeyDown (VstKeyCode& key) override;
    int32_t onKeyUp (VstKeyCode& key) override;

    // Called when a view leaves the tree: drops focus, modal view and capture that point into it.
    void onViewRemoved (CView* view);
    // Root coordinates of a point in frame coordinates (the point itself when offscreen).
    CPoint& localToScreen (CPoint& point) const;
    // The work area of the monitor showing a root point, in root pixels; false when unknown
    // (offscreen, or the window system cannot tell).
    bool getWorkArea (const CPoint& rootPoint, CRect& area) const;
    // The system clipboard (offscreen frames share one of their own). The text asked for
    // arrives through onText, later or at once; a newer request replaces one not yet answered.
    bool setClipboard (const std::string& text);
    bool requestClipboard (std::function<void (const std::string&)> onText);
    // Told when the window loses a popup's grab or focus; popups use it to close.
    void setFocusLostCallback (std::function<void ()> callback);
    double getScaleFactor () const;
    // Pixels per unit of the window: the frame keeps its own coordinates (views, events,
    // drawing) while its window, back buffer and popups grow by the zoom. Set it before open or
    // at any time after; false for a zoom outside (0, 16].
    bool setZoom (double zoom);
    double getZoom () const { return zoom; }

    // Presses reach observers before any view; the first that handles one ends it.
    void registerMouseObserver (IMouseObserver* observer);
    void unregisterMouseObserver (IMouseObserver* observer);

    void setViewSize (const CRect& newSize, bool invalidate = true) override;
    bool removeAll (bool withForget = true) override;
    bool isTypeOf (IdStringPtr name) const override;

    // IPlatformFrameCallback. A dirty rectangle may reach past the frame, into a window the
    // host made larger: that part gets the background colour, opaque.
    void platformDrawRect (CDrawContext* context, const CRect& dirty) override;
    CMouseEventResult platformOnMouseDown (CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult platformOnMouseMoved (CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult platformOnMouseUp (CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult platformOnMouseExited (CPoint& where, const CButtonState& buttons) override;
    bool platformOnMouseWheel (const CPoint& where, float distance,
                               const CButtonState& buttons) override;
    bool platformOnKeyDown (VstKeyCode& key) override;
    bool platformOnKeyUp (VstKeyCode& key) override;
    void platformOnFocusLost () override;
    double platformScaleFactor () const override;
    void platformOnClipboardText (const std::string& text) override;

protected:
    ~CFrame () override;

private:
    bool adoptPlatformFrame (IPlatformFrame* frame);
    void closePlatformFrame ();
    bool isDescendant (CView* maybeChild, CView* ancestor) const;
    // The deepest mouse-enabled view at a frame point, and the point in that view's parent.
    CView* findViewAt (const CPoint& where, CPoint& inParent) const;
    void updateHover (CPoint where, const CButtonState& buttons);
    // The window rectangle in pixels: windowRect times the zoom.
    CRect zoomedWindowRect (const CRect& rect) const;

    VSTGUIEditorInterface* editor;
    CRect windowRect;   // in the parent's (or, for popups, the root's) coordinates
    IPlatformFrame* platformFrame {nullptr};
    std::vector<CRect> dirtyRects;
    CView* modalView {nullptr};
    CView* focusView {nullptr};
    CView* hoverView {nullptr};   // the view under the pointer while no button is held
    std::function<void ()> focusLostCallback;
    std::function<void (const std::string&)> clipboardReader;
    double zoom {1.};
    std::vector<IMouseObserver*> mouseObservers;
};

}   // namespace VSTGUI
