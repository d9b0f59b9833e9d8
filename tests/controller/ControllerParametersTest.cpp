// SPDX-License-Identifier: GPL-3.0-or-later
// Parameters as the host sees them: registration, titles that follow the model, restarts.
#include "ControllerTestSupport.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include <cmath>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ControllerTest;

using ControllerParameters = ControllerFixture;

TEST_F (ControllerParameters, RegistersEightParametersInIdOrder)
{
    ASSERT_EQ (controller->getParameterCount (), 8);
    for (int32 index = 0; index < 8; ++index)
    {
        ParameterInfo info {};
        ASSERT_EQ (controller->getParameterInfo (index, info), kResultTrue);
        EXPECT_EQ (info.id, static_cast<ParamID> (index));
        EXPECT_EQ (info.unitId, kRootUnitId);
        EXPECT_TRUE (info.flags & ParameterInfo::kCanAutomate);
        EXPECT_FALSE (info.flags & (ParameterInfo::kIsReadOnly | ParameterInfo::kIsBypass));
        EXPECT_GE (info.stepCount, 0);
        EXPECT_GE (info.defaultNormalizedValue, 0.0);
        EXPECT_LE (info.defaultNormalizedValue, 1.0);
    }
}

TEST_F (ControllerParameters, ListAndRangeParametersCarryTheirKinds)
{
    ParameterInfo effect {}, model {}, knob {};
    ASSERT_EQ (controller->getParameterInfo (0, effect), kResultTrue);
    ASSERT_EQ (controller->getParameterInfo (1, model), kResultTrue);
    ASSERT_EQ (controller->getParameterInfo (2, knob), kResultTrue);

    EXPECT_EQ (narrow (effect.title), "Effect State");
    EXPECT_EQ (effect.stepCount, 1);
    EXPECT_EQ (effect.defaultNormalizedValue, 1.0);
    EXPECT_EQ (effect.flags, ParameterInfo::kCanAutomate | ParameterInfo::kIsList);
    EXPECT_EQ (narrow (effect.units), "");

    EXPECT_EQ (narrow (model.title), "Model");
    EXPECT_EQ (model.flags, ParameterInfo::kCanAutomate | ParameterInfo::kIsList);
    EXPECT_EQ (model.stepCount, 7);
    EXPECT_EQ (model.defaultNormalizedValue, 0.0);

    EXPECT_EQ (narrow (knob.title), "n/a 1");   // model 0 uses no knob
    EXPECT_EQ (narrow (knob.units), "%");
    EXPECT_EQ (knob.stepCount, 0);              // 100 steps read as continuous
    EXPECT_EQ (knob.flags, ParameterInfo::kCanAutomate);
    EXPECT_NEAR (knob.defaultNormalizedValue, 0.425, 1e-12);
}

TEST_F (ControllerParameters, ValueStringsComeFromTheListTexts)
{
    String128 text {};
    ASSERT_EQ (controller->getParamStringByValue (1, 1.0, text), kResultTrue);
    EXPECT_EQ (narrow (text), "Metal Tone");
    ASSERT_EQ (controller->getParamStringByValue (0, 0.0, text), kResultTrue);
    EXPECT_EQ (narrow (text), "Off");
    EXPECT_NEAR (controller->normalizedParamToPlain (2, 0.5), 50.0, 1e-12);
}

TEST_F (ControllerParameters, HostIndicesOutsideTheListAreRefusedNotThrown)
{
    ParameterInfo info {};
    for (int32 index : {-1, 8, 9, 1000, 0x7fffffff, static_cast<int32> (0x80000000)})
        EXPECT_EQ (controller->getParameterInfo (index, info), kResultFalse) << index;
    String128 text {};
    EXPECT_NE (controller->getParamStringByValue (99, 0.5, text), kResultTrue);
}

TEST_F (ControllerParameters, ModelChangeRetitlesKnobsAndRestartsOnce)
{
    setHandler ();
    ASSERT_EQ (controller->setParamNormalized (1, 1.0 / 7.0), kResultOk);
    EXPECT_EQ (titleRestarts (), 1);
    EXPECT_EQ (title (2), "Gain");
    EXPECT_EQ (title (3), "Level");
    EXPECT_EQ (title (4), "n/a 1");
    EXPECT_EQ (title (7), "n/a 4");
    EXPECT_EQ (title (1), "Model");

    controller->setParamNormalized (1, 1.0 / 7.0);   // same model again
    EXPECT_EQ (titleRestarts (), 1);

    controller->setParamNormalized (1, 1.0);
    EXPECT_EQ (titleRestarts (), 2);
    const char* metalTone[] = {"Gain", "Level", "Bass", "Treble", "Mid Level", "Mid Frequency"};
    for (int32 knob = 0; knob < 6; ++knob)
        EXPECT_EQ (title (2 + knob), metalTone[knob]);

    controller->setParamNormalized (1, 5.0 / 7.0);
    EXPECT_EQ (titleRestarts (), 3);
    EXPECT_EQ (title (2), "Overdrive");
    EXPECT_EQ (title (5), "n/a 1");
}

TEST_F (ControllerParameters, ModelValueRoundsToTheNearestEntry)
{
    setHandler ();
    controller->setParamNormalized (1, 0.05);   // plain 0.35: still model 0
    EXPECT_EQ (titleRestarts (), 0);
    controller->setParamNormalized (1, 0.5 / 7.0 + 1e-9);   // just past the half-way point
    EXPECT_EQ (titleRestarts (), 1);
    EXPECT_EQ (title (2), "Gain");
}

TEST_F (ControllerParameters, OtherParametersNeverRestart)
{
    setHandler ();
    for (ParamID id : {0u, 2u, 3u, 7u})
        controller->setParamNormalized (id, 0.9);
    EXPECT_EQ (titleRestarts (), 0);
    EXPECT_EQ (title (2), "n/a 1");
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

TEST_F (ControllerParameters, SetAndGetNormalizedAgreeForEveryId)
{
    for (ParamID id = 0; id < 8; ++id)
    {
        const double value = 0.125 * (id + 1) - 0.0625;
        EXPECT_EQ (controller->setParamNormalized (id, value), kResultOk);
        EXPECT_DOUBLE_EQ (controller->getParamNormalized (id), value);
        EXPECT_DOUBLE_EQ (controller->getParameterObject (id)->getNormalized (), value);
    }
    EXPECT_EQ (controller->setParamNormalized (42, 0.5), kResultFalse);
}

TEST_F (ControllerParameters, SecondInitializeRegistersNothing)
{
    EXPECT_EQ (controller->initialize (static_cast<FUnknown*> (host.get ())), kResultFalse);
    EXPECT_EQ (controller->getParameterCount (), 8);
}

TEST_F (ControllerParameters, TerminateAndInitializeAgainRegistersOnce)
{
    ASSERT_EQ (controller->terminate (), kResultOk);
    ASSERT_EQ (controller->initialize (static_cast<FUnknown*> (host.get ())), kResultOk);
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
        EXPECT_EQ (mapping->getMidiControllerAssignment (0, 0, number, id), kResultFalse);
    }
}

TEST_F (ControllerParameters, ViewsOnlyForTheEditorName)
{
    EXPECT_EQ (controller->createView (nullptr), nullptr);
    EXPECT_EQ (controller->createView ("Editor"), nullptr);
    EXPECT_EQ (controller->createView ("editor2"), nullptr);
    // The editor itself is not built in yet; the call must still be safe.
    IPlugView* view = controller->createView (ViewType::kEditor);
    if (view)
        view->release ();
}

TEST_F (ControllerParameters, NonFiniteValuesAreRefusedAndOthersClamped)
{
    setHandler ();
    controller->setParamNormalized (1, 3.0 / 7.0);
    const int restarts = titleRestarts ();
    EXPECT_EQ (controller->setParamNormalized (1, std::nan ("")), kResultFalse);
    EXPECT_DOUBLE_EQ (controller->getParamNormalized (1), 3.0 / 7.0);
    EXPECT_EQ (titleRestarts (), restarts);
    EXPECT_EQ (controller->setParamNormalized (1, 1e300), kResultOk);
    EXPECT_EQ (controller->getParamNormalized (1), 1.0);
    EXPECT_EQ (title (7), "Mid Frequency");
    EXPECT_EQ (controller->setParamNormalized (2, -5.0), kResultOk);
    EXPECT_EQ (controller->getParamNormalized (2), 0.0);
}
