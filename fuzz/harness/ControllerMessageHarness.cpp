// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzMessages.h"
#include "FuzzSupport.h"
#include "OvermoorHarnesses.h"
#include "controller/CMVXControllerEditorInterface.h"
#include "controller/CMVXStravelEditController.h"
#include "framework/CMVXPresetListText.h"
#include "host/ComponentHandlerRecorder.h"
#include "host/StateBytes.h"
#include <memory>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace OvermoorFuzz {
namespace {

constexpr int kMaxOperations = 24;

// The processor's side of the connection: records requests and, when primed, answers the next
// one from inside its notify with a fuzzed message, as a directly connected processor does.
class AnsweringPeer : public IConnectionPoint
{
public:
    AnsweringPeer () { FUNKNOWN_CTOR }
    virtual ~AnsweringPeer () { FUNKNOWN_DTOR }
    tresult PLUGIN_API connect (IConnectionPoint*) SMTG_OVERRIDE { return kResultOk; }
    tresult PLUGIN_API disconnect (IConnectionPoint*) SMTG_OVERRIDE { return kResultOk; }
    tresult PLUGIN_API notify (IMessage* message) SMTG_OVERRIDE
    {
        if (message == nullptr)
            return kInvalidArgument;
        ++received;
        IPtr<IMessage> reply = std::move (pendingAnswer);
        pendingAnswer = nullptr;
        if (reply && controller != nullptr)
            controller->notify (reply);
        return kResultOk;
    }
    DECLARE_FUNKNOWN_METHODS

    IConnectionPoint* controller = nullptr;
    IPtr<IMessage> pendingAnswer;
    int received = 0;
};
IMPLEMENT_FUNKNOWN_METHODS (AnsweringPeer, IConnectionPoint, IConnectionPoint::iid)

// An attached editor that reads every text the way the preset bar does.
class ReadingEditor : public EditorView, public CMVXControllerEditorInterface
{
public:
    explicit ReadingEditor (EditController* controller) : EditorView (controller) {}
    int32 getEditorParameterCount () const override { return 8; }
    void markParameterPending (int32 index) override { problems.expect (index >= 0 && index < 8, "editor told of an id it does not track"); }
    void setParameter (int32 index, float value) override { lastValue = value; }
    void receiveMessage (const std::string& text) override
    {
        entries += parsePresetListText (text).size ();
        parseSelectedPresetNumberText (text, CMVXPresetText::kSelectedNumberKey);
    }
    void requestPresets () override {}

    Problems problems;
    float lastValue = 0.0f;
    size_t entries = 0;
};

} // namespace

std::string runControllerMessages (const uint8_t* data, size_t size)
{
    Problems problems;
    IPtr<CMVXStravelEditController> controller = owned (new CMVXStravelEditController ());
    controller->initialize (&hostContext ());
    IPtr<Morvane::Host::ComponentHandlerRecorder> handler = owned (new Morvane::Host::ComponentHandlerRecorder ());
    controller->setComponentHandler (handler);
    IPtr<AnsweringPeer> peer = owned (new AnsweringPeer ());
    peer->controller = controller;
    controller->connect (peer);
    IPtr<ReadingEditor> editor = owned (new ReadingEditor (controller));
    controller->editorAttached (editor);

    FuzzBytes input (data, size);
    for (int i = 0; i < kMaxOperations && !input.empty () && !problems.any (); ++i)
    {
        const uint8_t operation = input.byte () % 4;
        if (operation == 0)
        {
            const tresult result = controller->notify (makeHostMessage (readMessage (input)));
            problems.expect (result == kResultOk || result == kResultFalse, "notify returned an unexpected code");
        }
        else if (operation == 1)
        {
            // A value the controller does not hold: it asks the processor, which answers at once.
            const ParamID id = input.u32 ();
            peer->pendingAnswer = makeHostMessage (readMessage (input));
            controller->getParamNormalized (id);
            peer->pendingAnswer = nullptr;
        }
        else if (operation == 2)
        {
            const int32 id = static_cast<int32> (input.u32 ());
            const int32 extra = static_cast<int32> (input.u32 ());
            int32 capacity = input.byte () % 16;
            float* buffer = capacity > 0 ? new float[static_cast<size_t> (capacity)]() : nullptr;
            peer->pendingAnswer = makeHostMessage (readMessage (input));
            const int32 count = controller->getCustomFloatData (id, &buffer, &capacity, extra);
            peer->pendingAnswer = nullptr;
            problems.expect (count >= 0 && count <= capacity, "custom float data count exceeds the buffer");
            for (int32 k = 0; k < count && buffer != nullptr; ++k)
                (void) buffer[k];   // every counted value is readable
            problems.expect (count == 0 || buffer != nullptr, "custom float data counted without a buffer");
            delete[] buffer;
        }
        else
        {
            const std::string bytes = input.lengthPrefixed ();
            const tresult result = controller->setComponentState (
                Morvane::Host::memoryStreamWith (std::vector<uint8_t> (bytes.begin (), bytes.end ())));
            problems.expect (result == kResultOk || result == kResultFalse, "setComponentState returned an unexpected code");
        }
    }
    problems.expect (controller->notify (nullptr) == kInvalidArgument, "null message accepted");
    for (ParamID id = 0; id < 8; ++id)
        problems.expect (isUnitValue (controller->getParamNormalized (id)), "parameter value outside 0..1");
    for (int32 index = 0; index < controller->getParameterCount (); ++index)
    {
        ParameterInfo info {};
        problems.expect (controller->getParameterInfo (index, info) == kResultOk, "parameter info missing");
    }
    problems.expect (!editor->problems.any (), editor->problems.text ());

    controller->editorRemoved (editor);
    controller->disconnect (peer);
    peer->controller = nullptr;
    controller->terminate ();
    return problems.text ();
}

} // namespace OvermoorFuzz
