// SPDX-License-Identifier: GPL-3.0-or-later
// The window's scale: the host's content scale times the zoom the user picks. The frame keeps
// its own coordinates; only its window, back buffer, bitmaps and popups grow.
#include "editor/CMVXStravelGUIEditor.h"
#include "editor/CMVXZoomSettings.h"
#include "gui/CFrame.h"

using namespace Steinberg;

void CMVXStravelGUIEditor::applyZoomFactor ()
{
    zoomFactor = hostScale * userZoom;
    rect = ViewRect (0, 0, zoomedLength (editorRect.right), zoomedLength (editorRect.bottom));
    if (frame)
    {
        frame->setZoom (zoomFactor);
        frame->setViewSize (VSTGUI::CRect (0, 0, editorRect.right, editorRect.bottom));
    }
}

tresult PLUGIN_API CMVXStravelGUIEditor::setContentScaleFactor (ScaleFactor factor)
{
    // Hosts send the desktop's scale; anything outside what a screen could mean is refused.
    if (!(factor >= 0.25f && factor <= 8.f))
        return kInvalidArgument;
    try
    {
        if (factor == hostScale)
            return kResultOk;
        hostScale = factor;
        applyZoomFactor ();
        // A window that grows on its own is cropped by hosts that are not told.
        if (frame && plugFrame)
        {
            ViewRect request = rect;
            plugFrame->resizeView (this, &request);
        }
        return kResultOk;
    }
    catch (...)
    {
        return kResultFalse;
    }
}

tresult PLUGIN_API CMVXStravelGUIEditor::onSize (ViewRect* newSize)
{
    try
    {
        if (newSize && frame)
        {
            frame->setZoom (zoomFactor);
            frame->setViewSize (VSTGUI::CRect (0, 0, newSize->getWidth () / zoomFactor,
                                               newSize->getHeight () / zoomFactor));
        }
    }
    catch (...)
    {
        return kResultFalse;
    }
    return EditorView::onSize (newSize);
}

bool CMVXStravelGUIEditor::setUserZoom (double zoom)
{
    const int step = CMVXZoomSettings::stepIndex (zoom);
    if (step < 0)
        return false;
    zoom = CMVXZoomSettings::zoomSteps ()[static_cast<size_t> (step)];
    if (zoom == userZoom)
        return true;
    const double previous = userZoom;
    userZoom = zoom;
    if (frame && plugFrame)
    {
        // onSize may come from inside resizeView: it must already see the new factor.
        zoomFactor = hostScale * userZoom;
        ViewRect request (0, 0, zoomedLength (editorRect.right), zoomedLength (editorRect.bottom));
        if (plugFrame->resizeView (this, &request) != kResultTrue)
        {
            // A host that keeps its container size would crop a larger window or frame a
            // smaller one: the window keeps the zoom it has.
            userZoom = previous;
            applyZoomFactor ();
            return false;
        }
    }
    applyZoomFactor ();
    CMVXZoomSettings::save (userZoom);
    return true;
}
