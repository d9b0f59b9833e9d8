// SPDX-License-Identifier: GPL-3.0-or-later
// Parameters as the host sees them (registration, titles that follow the model, restarts), the
// processor's state copied in, and the controller's own one-byte state.
#include "ControllerTestSupport.h"
#include "host/StateBytes.h"
#include "host/StrictReadStream.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"

using namespace ControllerTest;
using ControllerParameters = ControllerFixture;

TEST_F (ControllerParameters, RegistersEightParametersInIdOrderWithTheirKinds)
{
    ASSERT_EQ (controller->getParameterCount (), 8);
    for (int32 index = 0; index < 8; ++index)
    {
        ParameterInfo info {};
        ASSERT_EQ (controller->getParameterInfo (index, info), kResultTrue);
        EXPECT_EQ (info.id, ParamID (index));
        EXPECT_EQ (info.unitId, kRootUnitId);
        const bool list = index < 2;
        EXPECT_EQ (info.flags, ParameterInfo::kCanAutomate | (list ? ParameterInfo::kIsList : 0))
            << index;
        EXPECT_EQ (info.stepCount, index == 0   ? 1
                                   : index == 1 ? 7
                                                : 0)
            << index;   // 100 knob steps read as continuous
        EXPECT_EQ (narrow (info.units), list ? "" : "%") << index;
    }
    ParameterInfo effect {}, knob {};
    controller->getParameterInfo (0, effect);
    controller->getParameterInfo (2, knob);
    EXPECT_EQ (narrow (effect.title), "Effect State");
    EXPECT_EQ (effect.defaultNormalizedValue, 1.0);
    EXPECT_EQ (narrow (knob.title), "n/a 1");   // model 0 uses no knob
    EXPECT_NEAR (knob.defaultNormalizedValue, 0.425, 1e-12);

    String128 text {};
    ASSERT_EQ (controller->getParamStringByValue (1, 1.0, text), kResultTrue);
    EXPECT_EQ (narrow (text), "Metal Tone");
    ASSERT_EQ (controller->getParamStringByValue (0, 0.0, text), kResultTrue);
    EXPECT_EQ (narrow (text), "Off");
    EXPECT_NE (controller->getParamStringByValue (99, 0.5, text), kResultTrue);
    EXPECT_NEAR (controller->normalizedParamToPlain (2, 0.5), 50.0, 1e-12);
    EXPECT_EQ (controller->setParamNormalized (42, 0.5), kResultFalse);
}

TEST_F (ControllerParameters, ModelChangeRetitlesKnobsAndRestartsOncePerRealChange)
{
    setHandler ();
    for (ParamID id : {0u, 2u, 3u, 7u})   // other parameters never restart
        controller->setParamNormalized (id, 0.9);
    controller->setParamNormalized (1, 0.05);   // plain 0.35: still model 0
    EXPECT_EQ (titleRestarts (), 0);

    struct Step
    {
        double normalized;
        int restarts;
        std::vector<std::string> knobTitles;
    };
    const std::vector<Step> steps = {
        {0.5 / 7.0 + 1e-9,
         1,
         {"Gain", "Level", "n/a 1", "n/a 2", "n/a 3", "n/a 4"}},   // just past half-way
        {1.0 / 7.0, 1, {"Gain", "Level", "n/a 1", "n/a 2", "n/a 3", "n/a 4"}},   // same model again
        {1.0, 2, {"Gain", "Level", "Bass", "Treble", "Mid Level", "Mid Frequency"}},
        {5.0 / 7.0, 3, {"Overdrive", "Level", "Tone", "n/a 1", "n/a 2", "n/a 3"}}};
    for (const Step& step : steps)
    {
        ASSERT_EQ (controller->setParamNormalized (1, step.normalized), kResultOk);
        EXPECT_EQ (titleRestarts (), step.restarts) << step.normalized;
        for (int32 knob = 0; knob < 6; ++knob)
            EXPECT_EQ (title (2 + knob), step.knobTitles[size_t (knob)]) << step.normalized;
    }
    EXPECT_EQ (title (1), "Model");
}

TEST_F (ControllerParameters, WithoutHandlerTitlesWaitForTheNextChange)
{
    controller->setParamNormalized (1, 1.0);
    EXPECT_EQ (title (2), "n/a 1");
    EXPECT_DOUBLE_EQ (controller->getParamNormalized (1), 1.0);
    setHandler ();
    controller->setParamNormalized (1, 6.0 / 7.0);
    EXPECT_EQ (titleRestarts (), 1);
    EXPECT_EQ (title (2), "Overdrive");
}

TEST_F (ControllerParameters, ASecondInitializeIsRefusedAndRegistersNothing)
{
    EXPECT_EQ (controller->initialize (static_cast<FUnknown*> (host.get ())), kResultFalse);
    EXPECT_EQ (controller->getParameterCount (), 8);
}

TEST_F (ControllerParameters, NoMidiControllerIsMapped)
{
    FUnknownPtr<IMidiMapping> mapping (static_cast<IEditController*> (controller.get ()));
    ASSERT_TRUE (mapping);
    for (CtrlNumber number : {CtrlNumber (0), CtrlNumber (kCtrlVolume), CtrlNumber (kPitchBend),
                              CtrlNumber (kCountCtrlNumber - 1)})
    {
        ParamID id = 12345;
        EXPECT_EQ (mapping->getMidiControllerAssignment (0, 0, number, id), kResultFalse) << number;
    }
}

TEST_F (ControllerParameters, ViewsOnlyForTheEditorName)
{
    for (const char* name : {static_cast<const char*> (nullptr), "Editor", "editor2"})
        EXPECT_EQ (controller->createView (name), nullptr) << (name ? name : "null");
    // Builds without the editor answer null here too; either answer must be safe to release.
    if (IPlugView* view = controller->createView (ViewType::kEditor))
        view->release ();
}

using Morvane::Host::floatBytes;
using Morvane::Host::memoryStreamWith;
using ControllerState = ControllerFixture;

namespace {
const std::vector<float> kState = {0.0f, 1.0f, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};

IPtr<IBStream> strictStream (const std::vector<uint8_t>& bytes)
{
    return owned (new Morvane::Host::StrictReadStream (bytes));
}

int64 positionOf (IBStream* stream)
{
    int64 position = -1;
    stream->tell (&position);
    return position;
}
}   // namespace

TEST_F (ControllerState, ThirtyTwoBytesSetAllEightValuesAndNoMore)
{
    setHandler ();
    std::vector<float> longer = kState;
    longer.push_back (0.77f);
    auto stream = memoryStreamWith (floatBytes (longer));
    ASSERT_EQ (controller->setComponentState (stream), kResultOk);
    EXPECT_EQ (positionOf (stream), 32);
    for (ParamID id = 0; id < 8; ++id)
        EXPECT_EQ (controller->getParamNormalized (id), double (kState[id])) << id;
    // The model moved from 0 to 7, so the host is told to re-read the titles.
    EXPECT_EQ (titleRestarts (), 1);
    EXPECT_EQ (title (7), "Mid Frequency");
}

TEST_F (ControllerState, ShortStatesZeroTheRestUnlessTheStreamRefusesShortReads)
{
    const std::vector<uint8_t> twelve = floatBytes ({0.0f, 0.25f, 0.5f});
    for (bool strict : {false, true})
    {
        for (ParamID id = 0; id < 8; ++id)
            controller->setParamNormalized (id, 0.9);
        auto stream = strict ? strictStream (twelve) : IPtr<IBStream> (memoryStreamWith (twelve));
        EXPECT_EQ (controller->setComponentState (stream), strict ? kResultFalse : kResultOk);
        for (ParamID id = 0; id < 8; ++id)
            EXPECT_DOUBLE_EQ (controller->getParamNormalized (id), id < 3   ? 0.25 * id
                                                                   : strict ? 0.9
                                                                            : 0.0)
                << (strict ? "strict " : "lenient ") << id;
    }

    // Three of four bytes of 1.0f: 0x00800000 is a tiny positive value.
    std::vector<uint8_t> bytes = floatBytes ({0.0f, 0.25f, 1.0f});
    bytes.pop_back ();
    ASSERT_EQ (controller->setComponentState (memoryStreamWith (bytes)), kResultOk);
    EXPECT_GE (controller->getParamNormalized (2), 0.0);
    EXPECT_LT (controller->getParamNormalized (2), 1e-30);

    controller->setParamNormalized (3, 0.7);
    EXPECT_EQ (controller->setComponentState (nullptr), kResultOk);
    EXPECT_EQ (controller->setComponentState (strictStream ({})), kResultFalse);
    EXPECT_DOUBLE_EQ (controller->getParamNormalized (3), 0.7);
}

// What it saves: tests/bundle.
TEST_F (ControllerState, ControllerStateReadsOneByte)
{
    auto in = memoryStreamWith ({0x5a, 0x11});
    EXPECT_EQ (controller->setState (in), kResultOk);
    EXPECT_EQ (positionOf (in), 1);   // reads its one byte, whatever it holds
    EXPECT_EQ (controller->setState (strictStream ({})), kResultFalse);
    EXPECT_EQ (controller->setState (nullptr), kResultFalse);
    EXPECT_EQ (controller->getState (nullptr), kResultFalse);
}
