// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdk/vstguieditor.h"
#include "sdk/vstguikeys.h"
#if SMTG_OS_LINUX
#include "sdk/vstguirunloop.h"
#endif
#include "gui/CFrame.h"
#include "gui/platform/linux/IRunLoop.h"
#include <cmath>
#include <cstring>

namespace Steinberg {
namespace Vst {

VSTGUIEditor::VSTGUIEditor (void* controller, ViewRect* size)
: EditorView (static_cast<EditController*> (controller), size)
{
    timer = new VSTGUI::CVSTGUITimer (this, static_cast<uint32_t> (idleRate));
    idleTicker.timer = timer;
}

VSTGUIEditor::~VSTGUIEditor ()
{
    // The subclass has closed its frame by now; what is left is ours.
    stopIdleTimer ();
    releaseRunLoop ();
    if (timer)
        timer->forget ();
}

void VSTGUIEditor::setIdleRate (int32 millisec)
{
    idleRate = millisec;
    if (timer)
        timer->setFireTime (static_cast<uint32_t> (millisec));
    if (idleTimerRunning)
    {
        stopIdleTimer ();
        startIdleTimer ();
    }
}

bool VSTGUIEditor::startIdleTimer ()
{
#if SMTG_OS_LINUX
    if (!idleTimerRunning && runLoop && timer)
        idleTimerRunning = runLoop->registerTimer (static_cast<uint64_t> (idleRate), &idleTicker);
#else
    if (!idleTimerRunning && timer)
        idleTimerRunning = timer->start ();
#endif
    return idleTimerRunning;
}

void VSTGUIEditor::stopIdleTimer ()
{
#if SMTG_OS_LINUX
    if (idleTimerRunning && runLoop)
        runLoop->unregisterTimer (&idleTicker);
#else
    if (idleTimerRunning && timer)
        timer->stop ();
#endif
    idleTimerRunning = false;
}

void VSTGUIEditor::beginEdit (int32_t index)
{
    if (controller)
        controller->beginEdit (static_cast<ParamID> (index));
}

void VSTGUIEditor::endEdit (int32_t index)
{
    if (controller)
        controller->endEdit (static_cast<ParamID> (index));
}

int32_t VSTGUIEditor::getKnobMode () const
{
    // Host and widget layer number the three knob modes alike.
    return static_cast<int32_t> (EditController::getHostKnobMode ());
}

VSTGUI::CMessageResult VSTGUIEditor::notify (VSTGUI::CBaseObject* sender,
                                             VSTGUI::IdStringPtr message)
{
    return message == VSTGUI::CVSTGUITimer::kMsgTimer ? VSTGUI::kMessageNotified
                                                      : VSTGUI::kMessageUnknown;
}

tresult PLUGIN_API VSTGUIEditor::isPlatformTypeSupported (FIDString type)
{
#if SMTG_OS_LINUX
    if (type && std::strcmp (type, kPlatformTypeX11EmbedWindowID) == 0)
        return kResultTrue;
#elif SMTG_OS_WINDOWS
    if (type && std::strcmp (type, kPlatformTypeHWND) == 0)
        return kResultTrue;
#endif
    return kResultFalse;
}

bool VSTGUIEditor::openInHostWindow (void* parent)
{
#if SMTG_OS_LINUX
    // Linux has no main loop of its own: without the host's there is no window to drive.
    IPtr<Linux::IRunLoop> hostLoop = HostRunLoopAdapter::findHostRunLoop (
        plugFrame, controller ? controller->getHostContext () : nullptr);
    if (!hostLoop)
        return false;
    runLoop = new HostRunLoopAdapter (hostLoop);
    VSTGUI::X11::RunLoop::init (runLoop);
    runLoopInstalled = true;

    VSTGUI::X11::FrameConfig config;
    config.runLoop = runLoop;
    if (!open (parent, VSTGUI::PlatformType::kX11EmbedWindowID, &config) || frame == nullptr)
        return false;
    startIdleTimer ();
    return true;
#elif SMTG_OS_WINDOWS
    // The host's message loop drives the window and its timers.
    if (!open (parent, VSTGUI::PlatformType::kHWND, nullptr) || frame == nullptr)
        return false;
    startIdleTimer ();
    return true;
#else
    (void)parent;
    return false;
#endif
}

tresult PLUGIN_API VSTGUIEditor::attached (void* parent, FIDString type)
{
    if (parent == nullptr || isPlatformTypeSupported (type) != kResultTrue || frame != nullptr
        || runLoop)
        return kResultFalse;
    try
    {
        if (!openInHostWindow (parent))
        {
            detachFromHost ();
            return kResultFalse;
        }
        // The host sizes its container in pixels: the frame's size times its zoom.
        const double zoom = frame->getZoom ();
        const ViewRect frameRect (
            0, 0, static_cast<int32> (std::ceil (frame->getWidth () * zoom - 1e-9)),
            static_cast<int32> (std::ceil (frame->getHeight () * zoom - 1e-9)));
        const bool sizeChanged = frameRect.getWidth () != rect.getWidth ()
                                 || frameRect.getHeight () != rect.getHeight ();
        rect = frameRect;
        EditorView::attached (parent, type);
        if (sizeChanged && plugFrame)
        {
            ViewRect request = frameRect;
            plugFrame->resizeView (this, &request);
        }
        return kResultTrue;
    }
    catch (...)
    {
        detachFromHost ();
        return kResultFalse;
    }
}

tresult PLUGIN_API VSTGUIEditor::removed ()
{
    try
    {
        detachFromHost ();
    }
    catch (...)
    {}
    return EditorView::removed ();
}

void VSTGUIEditor::detachFromHost ()
{
    stopIdleTimer ();
    if (frame)
        close ();
    releaseRunLoop ();
}

void VSTGUIEditor::releaseRunLoop ()
{
#if SMTG_OS_LINUX
    if (runLoopInstalled)
    {
        VSTGUI::X11::RunLoop::exit ();
        runLoopInstalled = false;
    }
    if (runLoop)
    {
        // Whatever the frame left registered goes now, unless other editors still use this loop
        // as the process-wide one (then the last of them takes it back).
        if (VSTGUI::X11::RunLoop::get ().get () != runLoop)
            runLoop->unregisterAll ();
        runLoop->forget ();
        runLoop = nullptr;
    }
#endif
}

tresult PLUGIN_API VSTGUIEditor::onSize (ViewRect* newSize)
{
    try
    {
        if (newSize && frame)
            frame->setViewSize (VSTGUI::CRect (0, 0, newSize->getWidth (), newSize->getHeight ()));
    }
    catch (...)
    {
        return kResultFalse;
    }
    return EditorView::onSize (newSize);
}

tresult PLUGIN_API VSTGUIEditor::onWheel (float distance)
{
    // The embedded window gets the pointer's wheel itself; what a host sends on top goes to the
    // view that has the keyboard focus, if any.
    VSTGUI::CView* focus = frame ? frame->getFocusView () : nullptr;
    if (!focus)
        return kResultFalse;
    try
    {
        VSTGUI::CPoint where = focus->getViewSize ().getCenter ();
        focus->localToFrame (where);
        return frame->onWheel (where, distance, VSTGUI::CButtonState ()) ? kResultTrue
                                                                         : kResultFalse;
    }
    catch (...)
    {
        return kResultFalse;
    }
}

tresult PLUGIN_API VSTGUIEditor::onKeyDown (char16 key, int16 keyMsg, int16 modifiers)
{
    return forwardKey (key, keyMsg, modifiers, true);
}

tresult PLUGIN_API VSTGUIEditor::onKeyUp (char16 key, int16 keyMsg, int16 modifiers)
{
    return forwardKey (key, keyMsg, modifiers, false);
}

tresult VSTGUIEditor::forwardKey (char16 key, int16 keyMsg, int16 modifiers, bool down)
{
    if (!frame)
        return kResultFalse;
    try
    {
        VSTGUI::VstKeyCode keyCode = toVstKeyCode (key, keyMsg, modifiers);
        return (down ? frame->onKeyDown (keyCode) : frame->onKeyUp (keyCode)) == 1 ? kResultTrue
                                                                                   : kResultFalse;
    }
    catch (...)
    {
        return kResultFalse;
    }
}

tresult PLUGIN_API VSTGUIEditor::setFrame (IPlugFrame* newFrame)
{
    plugFrame = newFrame;
    return kResultOk;
}

}   // namespace Vst
}   // namespace Steinberg
