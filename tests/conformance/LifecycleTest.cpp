// SPDX-License-Identifier: GPL-3.0-or-later
// The life cycle a host drives: terminate and initialize again, rounds of set-up, activation
// and bus switching, and suspending and resuming a running stream.
#include "Conformance.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using Morvane::Host::PluginInstance;
using Morvane::Host::ProcessConfig;
using Morvane::Test::Conformance;
using Morvane::Test::fillInputs;
using Morvane::Test::outputPeak;
using Morvane::Test::outputsFinite;

// Starts processing with config and runs a few blocks of a sine; all must succeed and be finite.
void expectProcessingWorks (PluginInstance& instance, const ProcessConfig& config)
{
    std::string error;
    ASSERT_TRUE (instance.startProcessing (config, error)) << error;
    double loudest = 0;
    for (int block = 0; block < 4; ++block)
    {
        fillInputs (instance, config.maxBlockSamples, int64 (block) * config.maxBlockSamples, config.sampleRateHz);
        ASSERT_EQ (instance.process (config.maxBlockSamples), kResultOk);
        ASSERT_TRUE (outputsFinite (instance, config.maxBlockSamples)) << "block " << block;
        loudest = std::max (loudest, outputPeak (instance, config.maxBlockSamples));
    }
    EXPECT_GT (loudest, 1e-3) << "a 0.5 sine through the default preset is not silent";
}

// Four rounds of setupProcessing, setActive on and off, busses off, terminate, initialize.
void runStateTransitionRounds (PluginInstance& instance, int32 symbolicSampleSize)
{
    IComponent* component = instance.component ();
    for (int round = 0; round < 4; ++round)
    {
        SCOPED_TRACE ("round " + std::to_string (round));
        ProcessConfig config;
        config.maxBlockSamples = 256;
        config.symbolicSampleSize = symbolicSampleSize;
        EXPECT_EQ (instance.setupProcessing (config), kResultOk);
        EXPECT_EQ (component->setActive (true), kResultOk);
        EXPECT_EQ (component->setActive (false), kResultOk);
        for (BusDirection direction : {kInput, kOutput})
            for (int32 bus = 0; bus < component->getBusCount (kAudio, direction); ++bus)
                EXPECT_EQ (component->activateBus (kAudio, direction, bus, false), kResultOk);
        EXPECT_EQ (component->terminate (), kResultOk);
        EXPECT_EQ (component->initialize (instance.context ()), kResultOk);
        EXPECT_EQ (component->getBusCount (kAudio, kInput), 1);
        EXPECT_EQ (component->getBusCount (kAudio, kOutput), 1);
    }
}

TEST_F (Conformance, TerminateInitializeComponent)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    for (int round = 0; round < 3; ++round)
    {
        EXPECT_EQ (instance->component ()->terminate (), kResultOk);
        EXPECT_EQ (instance->component ()->initialize (instance->context ()), kResultOk);
    }
    BusInfo info {};
    EXPECT_EQ (instance->component ()->getBusInfo (kAudio, kOutput, 0, info), kResultOk);
    EXPECT_EQ (info.channelCount, 2);
    expectProcessingWorks (*instance, {});
}

TEST_F (Conformance, TerminateInitializeController)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    IEditController* controller = instance->controller ();
    for (int round = 0; round < 3; ++round)
    {
        EXPECT_EQ (controller->terminate (), kResultOk);
        EXPECT_EQ (controller->initialize (instance->context ()), kResultOk);
        ASSERT_EQ (controller->getParameterCount (), kParameterCount) << "round " << round;
        for (int32 index = 0; index < kParameterCount; ++index)
        {
            ParameterInfo info {};
            EXPECT_EQ (controller->getParameterInfo (index, info), kResultOk);
            EXPECT_EQ (info.id, ParamID (index));
            EXPECT_NE (info.title[0], 0);
        }
    }
    // The host hands the component state over again; the controller takes it.
    EXPECT_EQ (instance->syncControllerToComponent (), kResultOk);
    EXPECT_EQ (controller->setParamNormalized (kModelId, modelValue (3)), kResultOk);
    EXPECT_NEAR (controller->getParamNormalized (kModelId), modelValue (3), 1e-9);
}

TEST_F (Conformance, ValidStateTransitions32Bit)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    ASSERT_EQ (instance->processor ()->canProcessSampleSize (kSample32), kResultTrue);
    runStateTransitionRounds (*instance, kSample32);
    expectProcessingWorks (*instance, {});
}

// Refusing 64-bit samples is allowed; then the refusal must leave the plug-in usable in 32-bit.
TEST_F (Conformance, ValidStateTransitions64Bit)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    const tresult canProcess64 = instance->processor ()->canProcessSampleSize (kSample64);
    if (canProcess64 == kResultTrue)
    {
        runStateTransitionRounds (*instance, kSample64);
        ProcessConfig config;
        config.symbolicSampleSize = kSample64;
        std::string error;
        EXPECT_TRUE (instance->startProcessing (config, error)) << error;
        return;
    }
    EXPECT_EQ (canProcess64, kResultFalse);
    for (int round = 0; round < 4; ++round)
    {
        ProcessConfig config;
        config.maxBlockSamples = 256;
        config.symbolicSampleSize = kSample64;
        EXPECT_NE (instance->setupProcessing (config), kResultOk) << "round " << round;
        config.symbolicSampleSize = kSample32;
        EXPECT_EQ (instance->setupProcessing (config), kResultOk) << "round " << round;
        EXPECT_EQ (instance->component ()->setActive (true), kResultOk);
        EXPECT_EQ (instance->component ()->setActive (false), kResultOk);
    }
    runStateTransitionRounds (*instance, kSample32);
    expectProcessingWorks (*instance, {});
}

TEST_F (Conformance, SuspendResume)
{
    ProcessConfig config;
    config.maxBlockSamples = 256;
    auto instance = createProcessingInstance (config);
    ASSERT_NE (instance, nullptr);
    IComponent* component = instance->component ();
    IAudioProcessor* processor = instance->processor ();
    int64 position = 0;
    for (int cycle = 0; cycle < 3; ++cycle)
    {
        SCOPED_TRACE ("cycle " + std::to_string (cycle));
        double loudest = 0;
        for (int block = 0; block < 8; ++block, position += 256)
        {
            fillInputs (*instance, 256, position);
            ASSERT_EQ (instance->process (256), kResultOk);
            ASSERT_TRUE (outputsFinite (*instance, 256)) << "block " << block;
            loudest = std::max (loudest, outputPeak (*instance, 256));
        }
        EXPECT_GT (loudest, 1e-3);
        // Suspend and resume in the middle of the stream, as a host's transport does.
        const tresult stopped = processor->setProcessing (false);
        EXPECT_TRUE (stopped == kResultOk || stopped == kNotImplemented);
        EXPECT_EQ (component->setActive (false), kResultOk);
        EXPECT_EQ (component->setActive (true), kResultOk);
        const tresult started = processor->setProcessing (true);
        EXPECT_TRUE (started == kResultOk || started == kNotImplemented);
    }
}

} // namespace
