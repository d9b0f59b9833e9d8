// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Product-independent edit controller: publishes a parameter table to the host, follows the
// processor's state, forwards every value to the attached editors and answers the processor.
#include "controller/CMVXControllerEditorInterface.h"
#include "controller/CMVXCustomFloatDataInterface.h"
#include "params/IMVXParamInfoInterface.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "public.sdk/source/vst/vsteditcontroller.h"
#include <vector>

class CMVXVST3EditController : public Steinberg::Vst::EditController,
                               public CMVXCustomFloatDataInterface,
                               public Steinberg::Vst::IMidiMapping
{
public:
    using int32 = Steinberg::int32;
    using tresult = Steinberg::tresult;
    using ParamID = Steinberg::Vst::ParamID;
    using ParamValue = Steinberg::Vst::ParamValue;

    static constexpr int32 kMaxValueReply = 32;

    CMVXVST3EditController ();
    ~CMVXVST3EditController () override;

    // IPluginBase
    tresult PLUGIN_API initialize (Steinberg::FUnknown* context) override;
    tresult PLUGIN_API terminate () override;

    // IEditController
    tresult PLUGIN_API setComponentState (Steinberg::IBStream* state) override;
    tresult PLUGIN_API setState (Steinberg::IBStream* state) override;
    tresult PLUGIN_API getState (Steinberg::IBStream* state) override;
    tresult PLUGIN_API getParameterInfo (int32 paramIndex,
                                         Steinberg::Vst::ParameterInfo& info) override;
    ParamValue PLUGIN_API getParamNormalized (ParamID id) override;
    tresult PLUGIN_API setParamNormalized (ParamID id, ParamValue value) override;

    // IConnectionPoint
    tresult PLUGIN_API notify (Steinberg::Vst::IMessage* message) override;

    // IMidiMapping
    tresult PLUGIN_API getMidiControllerAssignment (int32 busIndex, Steinberg::int16 channel,
                                                    Steinberg::Vst::CtrlNumber midiControllerNumber,
                                                    ParamID& id) override;

    // CMVXCustomFloatDataInterface
    int32 getCustomFloatData (int32 id, float** buffer, int32* capacity, int32 extra) override;
    tresult setCustomFloatData (int32 id, const float* data, int32 count) override;

    // EditController
    // An editor destroyed while still attached is forgotten, so no notification reaches it.
    void editorDestroyed (Steinberg::Vst::EditorView* view) override;
    void editorAttached (Steinberg::Vst::EditorView* view) override;
    void editorRemoved (Steinberg::Vst::EditorView* view) override;

    virtual void registerParameters ();
    virtual void reservedOperation () {}   // keeps the slot order of the operations below
    virtual bool isBypassParameter (int32 id) { return false; }

    // Sends a message to the connected processor; without a peer nothing happens.
    tresult sendToPeer (Steinberg::Vst::IMessage* message) const { return sendMessage (message); }
    Steinberg::Vst::IMessage* newMessage () const { return allocateMessage (); }

    IMVXParamInfoInterface* getParamInfo () const { return paramInfo; }
    int32 getRegisteredParamCount () const { return paramCount; }
    const std::vector<CMVXControllerEditorInterface*>& getEditors () const { return editors; }

    OBJ_METHODS (CMVXVST3EditController, EditController)
    DEFINE_INTERFACES
    DEF_INTERFACE (Steinberg::Vst::IMidiMapping)
    END_DEFINE_INTERFACES (EditController)
    REFCOUNT_METHODS (EditController)

protected:
    // Hands a text from the processor to every attached editor, in attachment order.
    void forwardTextToEditors (const std::string& text);

    std::vector<CMVXControllerEditorInterface*> editors;   // not owned
    // The view of each entry of editors: a view being destroyed can no longer be cast.
    std::vector<Steinberg::Vst::EditorView*> editorViews;
    IMVXParamInfoInterface* paramInfo = nullptr;   // owned by the subclass
    int32 paramCount = 0;
    float valueReply[kMaxValueReply] = {};
    int32 valueReplyCount = 0;
    bool valueReplyReady = false;
    struct FloatRequest
    {
        float** buffer = nullptr;   // the caller's buffer pointer, borrowed
        int32 capacityIn = 0;
        int32 capacityOut = 0;
        int32 extra = 0;
        int32 count = 0;
        bool ready = false;
    } floatRequest;

private:
    tresult handleValueReply (Steinberg::Vst::IAttributeList& attributes);
    tresult handleSetParameter (Steinberg::Vst::IAttributeList& attributes);
    tresult handleSync (Steinberg::Vst::IAttributeList& attributes);
    tresult handlePresetText (Steinberg::Vst::IAttributeList& attributes);
    tresult handleDspText (Steinberg::Vst::IAttributeList& attributes);
    tresult handleFloatReply (Steinberg::Vst::IAttributeList& attributes);
};

// Widens an 8-bit name byte by byte into a String128, cut to 127 characters plus terminator.
void copyNameToString128 (const std::string& text, Steinberg::Vst::String128 out);
