// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An EditorView that hosts a widget frame: owns the frame pointer and the idle timer, embeds the
// frame in the host's window (on Linux through the host's run loop, on Windows as a child
// window), and forwards wheel and keys.
// Same names and behaviour as the SDK class, so a full SDK can replace it.
#include "gui/CBaseObject.h"
#include "gui/CVSTGUITimer.h"
#include "gui/VSTGUIEditorInterface.h"
#include "gui/platform/IPlatformFrame.h"
#include "gui/platform/linux/IRunLoop.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

namespace Steinberg {
namespace Vst {

class HostRunLoopAdapter;

class VSTGUIEditor : public EditorView,
                     public VSTGUI::VSTGUIEditorInterface,
                     public VSTGUI::CBaseObject
{
public:
    explicit VSTGUIEditor (void* controller, ViewRect* size = nullptr);
    ~VSTGUIEditor () override;

    // Builds the frame inside parent (null: an offscreen frame) and returns whether it exists.
    virtual bool open (void* parent, const VSTGUI::PlatformType& platformType,
                       VSTGUI::IPlatformFrameConfig* config) = 0;
    virtual void close () = 0;

    void setIdleRate (int32 millisec);
    int32 getIdleRate () const { return idleRate; }

    // VSTGUIEditorInterface (which holds the frame pointer)
    void beginEdit (int32_t index) override;
    void endEdit (int32_t index) override;
    int32_t getKnobMode () const override;

    // CBaseObject: the idle timer lands here.
    VSTGUI::CMessageResult notify (VSTGUI::CBaseObject* sender,
                                   VSTGUI::IdStringPtr message) override;

    // IPlugView
    tresult PLUGIN_API isPlatformTypeSupported (FIDString type) override;
    tresult PLUGIN_API attached (void* parent, FIDString type) override;
    tresult PLUGIN_API removed () override;
    tresult PLUGIN_API onSize (ViewRect* newSize) override;
    tresult PLUGIN_API onWheel (float distance) override;
    tresult PLUGIN_API onKeyDown (char16 key, int16 keyMsg, int16 modifiers) override;
    tresult PLUGIN_API onKeyUp (char16 key, int16 keyMsg, int16 modifiers) override;
    tresult PLUGIN_API setFrame (IPlugFrame* frame) override;

    // Both bases count references; the SDK side owns the object.
    OBJ_METHODS (VSTGUIEditor, EditorView)
    REFCOUNT_METHODS (EditorView)
    DEFINE_INTERFACES
    END_DEFINE_INTERFACES (EditorView)

protected:
    void setRect (const ViewRect& newRect) { rect = newRect; }

private:
    // The platform's part of attached (): the frame in parent, driven by the host's loop.
    bool openInHostWindow (void* parent);
    // Undoes whatever attached () got done: timer, frame, run loop; safe to call twice.
    void detachFromHost ();
    void releaseRunLoop ();
    tresult forwardKey (char16 key, int16 keyMsg, int16 modifiers, bool down);

    // The idle timer fires on this view's own host loop, not the process-wide one, so each open
    // editor keeps its idle however the others come and go.
    class IdleTicker : public VSTGUI::X11::ITimerHandler
    {
    public:
        void onTimer () override
        {
            if (timer)
                timer->fire ();
        }
        VSTGUI::CVSTGUITimer* timer = nullptr;
    };
    bool startIdleTimer ();
    void stopIdleTimer ();

    VSTGUI::CVSTGUITimer* timer = nullptr;
    IdleTicker idleTicker;
    bool idleTimerRunning = false;
    HostRunLoopAdapter* runLoop = nullptr;
    int32 idleRate = 100;
    bool runLoopInstalled = false;
};

}   // namespace Vst
}   // namespace Steinberg
