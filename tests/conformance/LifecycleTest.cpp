// SPDX-License-Identifier: GPL-3.0-or-later
// The life cycle a host drives: rounds of set-up, activation, bus switching, terminate and
// initialize of both halves (the fixed answers to activation and processing: tests/bundle).
#include "Conformance.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using Morvane::Test::Conformance;

// Rounds in 32-bit and (when offered) 64-bit samples. Refusing 64-bit samples is allowed, but
// must leave the plug-in usable in 32-bit. Afterwards the controller takes the component state
// again and the instance makes sound.
TEST_F (Conformance, ValidStateTransitions)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    IComponent* component = instance->component ();
    IEditController* controller = instance->controller ();
    ASSERT_EQ (instance->processor ()->canProcessSampleSize (kSample32), kResultTrue);
    const tresult canProcess64 = instance->processor ()->canProcessSampleSize (kSample64);
    ASSERT_TRUE (canProcess64 == kResultTrue || canProcess64 == kResultFalse);
    for (int32 sampleSize : {kSample32, kSample64})
        for (int round = 0; round < 4; ++round)
        {
            SCOPED_TRACE ("sample size " + std::to_string (sampleSize) + ", round "
                          + std::to_string (round));
            auto config = configFor (256);
            config.symbolicSampleSize = sampleSize;
            if (sampleSize == kSample64 && canProcess64 != kResultTrue)
            {
                EXPECT_NE (instance->setupProcessing (config), kResultOk);
                config.symbolicSampleSize = kSample32;
            }
            EXPECT_EQ (instance->setupProcessing (config), kResultOk);
            EXPECT_EQ (component->setActive (true), kResultOk);
            EXPECT_EQ (component->setActive (false), kResultOk);
            for (BusDirection direction : {kInput, kOutput})
                EXPECT_EQ (component->activateBus (kAudio, direction, 0, false), kResultOk);
            EXPECT_EQ (component->terminate (), kResultOk);
            EXPECT_EQ (component->initialize (instance->context ()), kResultOk);
            EXPECT_TRUE (component->getBusCount (kAudio, kInput) == 1
                         && component->getBusCount (kAudio, kOutput) == 1);
            EXPECT_EQ (controller->terminate (), kResultOk);
            EXPECT_EQ (controller->initialize (instance->context ()), kResultOk);
            ASSERT_EQ (controller->getParameterCount (), kParameterCount) << "registered again";
        }
    BusInfo output {};
    EXPECT_EQ (component->getBusInfo (kAudio, kOutput, 0, output), kResultOk);
    EXPECT_EQ (output.channelCount, 2);
    EXPECT_EQ (instance->syncControllerToComponent (), kResultOk);
    std::string error;
    ASSERT_TRUE (instance->startProcessing ({}, error)) << error;
    int64 position = 0;
    EXPECT_GT (processSine (*instance, 512, 4, position), 1e-3) << "a 0.5 sine is not silent";
}

}   // namespace
