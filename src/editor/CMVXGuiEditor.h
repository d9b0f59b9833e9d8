// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Product-independent editor logic: parameter notifications collected in pending flags and
// applied at idle, edit gestures bracketed for the host, the fixed editor rectangle.
#include "controller/CMVXControllerEditorInterface.h"
#include "controller/CMVXVST3Controller.h"
#include "gui/CControl.h"
#include "params/IMVXParamInfoInterface.h"
#include "sdk/vstguieditor.h"
#include <cstdint>
#include <map>
#include <vector>

class CMVXCtrlSetInterface;
class CMVXVST3EditController;

// The editor rectangle in the order the editor has always kept it.
struct ERect
{
    Steinberg::int16 top;
    Steinberg::int16 left;
    Steinberg::int16 bottom;
    Steinberg::int16 right;
};

class CMVXGuiEditor : public Steinberg::Vst::VSTGUIEditor,
                      public VSTGUI::CControlListener,
                      public CMVXControllerEditorInterface
{
public:
    using int32 = Steinberg::int32;
    using tresult = Steinberg::tresult;

    CMVXGuiEditor (CMVXVST3EditController* controller, int32 parameterCount);
    ~CMVXGuiEditor () override;

    bool open (void* parent, const VSTGUI::PlatformType& platformType,
               VSTGUI::IPlatformFrameConfig* config) override;
    void close () override;

    // CMVXControllerEditorInterface
    int32 getEditorParameterCount () const override { return parameterCount; }
    void markParameterPending (int32 index) override;
    void setParameter (int32 index, float value) override {}
    void receiveMessage (const std::string& text) override {}
    void requestPresets () override {}

    // The parameter-changed notification: flag for the next idle and show at once.
    void parameterChanged (int32 index, float value);
    virtual bool getRect (ERect** rect);
    virtual void idle ();
    virtual double toPlain (int32 index, double normalized);
    virtual double toNormalized (int32 index, double plain);
    virtual void loadBackground () = 0;
    virtual void createControlSet (int32 id) {}
    virtual void destroyControlSet () {}

    bool isOpen () const { return opened; }
    Morvane::CMVXVST3Controller* getControllerLink () const { return controllerLink; }

    // IPlugView
    tresult PLUGIN_API canResize () override { return Steinberg::kResultFalse; }
    tresult PLUGIN_API checkSizeConstraint (Steinberg::ViewRect* rect) override;
    tresult PLUGIN_API onFocus (Steinberg::TBool) override { return Steinberg::kResultFalse; }

    // CBaseObject: the idle timer.
    VSTGUI::CMessageResult notify (VSTGUI::CBaseObject* sender,
                                   VSTGUI::IdStringPtr message) override;

    // CControlListener
    void valueChanged (VSTGUI::CControl* control) override;
    void controlBeginEdit (VSTGUI::CControl* control) override;
    void controlEndEdit (VSTGUI::CControl* control) override;

protected:
    IMVXParamInfoInterface* paramInfo = nullptr;
    bool opened = false;
    ERect editorRect {0, 0, 0, 0};
    // Window pixels per unit of the editor rectangle: the host's content scale times the
    // user's zoom. The host sees (and the size rules apply to) the zoomed size.
    double zoomFactor = 1.;
    int32 zoomedLength (int32 length) const;
    int32 parameterCount;
    Morvane::CMVXVST3Controller* controllerLink = nullptr;
    std::map<int32, CMVXCtrlSetInterface*> controlSets;
    CMVXCtrlSetInterface* currentControlSet = nullptr;
    VSTGUI::CBitmap* background = nullptr;
    bool pending = true;
    std::vector<uint8_t> pendingFlags;
    // Fires idle while open; the VST3 editor hands its interval to the idle rate and drops it.
    VSTGUI::CVSTGUITimer* ownIdleTimer = nullptr;
    void* parentWindow = nullptr;
};
