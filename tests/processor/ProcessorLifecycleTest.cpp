// SPDX-License-Identifier: GPL-3.0-or-later
// Set-up, capabilities, preset selection and the minimal message handling.
#include "processor/CMVXStravelVST3.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"
#include <gtest/gtest.h>

using namespace Steinberg;
using namespace Steinberg::Vst;

TEST (ProcessorLifecycle, InitializeOncePerTerminateAndAnswerCapabilities)
{
    HostApplication host;
    auto processor = owned (new CMVXStravelVST3 ());
    EXPECT_EQ (processor->canProcessSampleSize (kSample32), kResultTrue);
    EXPECT_EQ (processor->canProcessSampleSize (kSample64), kResultFalse);
    EXPECT_EQ (processor->getLatencySamples (), 0u);
    EXPECT_EQ (processor->getTailSamples (), 0u);
    EXPECT_EQ (processor->initialize (&host), kResultOk);
    EXPECT_EQ (processor->initialize (&host), kResultFalse);
    for (int round = 0; round < 4; ++round)
    {
        EXPECT_EQ (processor->terminate (), kResultOk);
        EXPECT_EQ (processor->getBusCount (kAudio, kInput), 0);
        EXPECT_EQ (processor->initialize (&host), kResultOk);
        EXPECT_EQ (processor->getBusCount (kAudio, kOutput), 1);
    }
    processor->terminate ();
}

TEST (ProcessorLifecycle, SetupProcessingReachesTheEngine)
{
    auto processor = owned (new CMVXStravelVST3 ());
    EXPECT_EQ (processor->getProcessMode (), -1);
    ProcessSetup setup {kOffline, kSample32, 480, 96000.0};
    ASSERT_EQ (processor->setupProcessing (setup), kResultOk);
    CMVXDSPAlgInterface* engine = processor->getDsp ()->getCurrentAlgorithm ();
    ASSERT_NE (engine, nullptr);
    EXPECT_EQ (engine->sampleRate.load (), 96000.0);
    EXPECT_EQ (engine->maxBlockSize.load (), 480u);
    EXPECT_TRUE (engine->reinitPending.load ());
    EXPECT_EQ (processor->getProcessMode (), kOffline);

    // A 64-bit request is refused, but its rate and size are kept as for any set-up.
    ProcessSetup wide {kRealtime, kSample64, 256, 44100.0};
    EXPECT_EQ (processor->setupProcessing (wide), kResultFalse);
    EXPECT_EQ (engine->sampleRate.load (), 44100.0);

    // Values no engine can run with are not passed on.
    ProcessSetup broken {kRealtime, kSample32, -5, -1.0};
    processor->setupProcessing (broken);
    EXPECT_EQ (engine->sampleRate.load (), 44100.0);
    EXPECT_EQ (engine->maxBlockSize.load (), 256u);
    EXPECT_EQ (processor->getMaxSamplesPerBlock (), 256);
}

// What reaches a connected controller ("WA_SY" with every value) is checked through the bundle.
TEST (ProcessorLifecycle, PresetSelectionAndMessagesWithoutAPeer)
{
    HostApplication host;
    auto processor = owned (new CMVXStravelVST3 ());
    ASSERT_EQ (processor->initialize (&host), kResultOk);
    processor->selectPresetAndSync (3);
    EXPECT_FLOAT_EQ (processor->getParameterValue (1), static_cast<float> (3.0 / 7.0));
    EXPECT_EQ (processor->notify (nullptr), kInvalidArgument);
    auto unknown = owned (new HostMessage ());
    unknown->setMessageID ("NoSuchMessage");
    EXPECT_EQ (processor->notify (unknown), kResultFalse);
    processor->terminate ();
}
