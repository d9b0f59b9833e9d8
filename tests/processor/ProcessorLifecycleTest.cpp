// SPDX-License-Identifier: GPL-3.0-or-later
// Set-up, capabilities, preset sync to the controller and the minimal message handling.
#include "processor/CMVXStravelVST3.h"
#include "base/source/fobject.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// The controller's end of the connection: keeps every "WA_SY" it is sent.
class RecordingPeer : public FObject, public IConnectionPoint
{
public:
    tresult PLUGIN_API connect (IConnectionPoint*) override { return kResultOk; }
    tresult PLUGIN_API disconnect (IConnectionPoint*) override { return kResultOk; }
    tresult PLUGIN_API notify (IMessage* message) override
    {
        ids.emplace_back (message->getMessageID ());
        const void* data = nullptr;
        uint32 size = 0;
        values.clear ();
        if (message->getAttributes ()->getBinary ("WA_SV", data, size) == kResultOk && size % 4 == 0)
        {
            values.resize (size / 4);
            std::memcpy (values.data (), data, size);
        }
        message->getAttributes ()->getInt ("WA_SF", firstId);
        return kResultOk;
    }
    OBJ_METHODS (RecordingPeer, FObject)
    DEFINE_INTERFACES
        DEF_INTERFACE (IConnectionPoint)
    END_DEFINE_INTERFACES (FObject)
    REFCOUNT_METHODS (FObject)

    std::vector<std::string> ids;
    std::vector<float> values;
    int64 firstId = -1;
};

} // namespace

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

TEST (ProcessorLifecycle, PresetSelectionSendsAllValuesToAConnectedController)
{
    auto alone = owned (new CMVXStravelVST3 ());
    alone->selectPresetAndSync (3);
    EXPECT_FLOAT_EQ (alone->getParameterValue (1), static_cast<float> (3.0 / 7.0));

    HostApplication host;
    auto processor = owned (new CMVXStravelVST3 ());
    ASSERT_EQ (processor->initialize (&host), kResultOk);
    auto peer = owned (new RecordingPeer ());
    ASSERT_EQ (processor->connect (peer), kResultOk);
    processor->selectPresetAndSync (5);
    EXPECT_EQ (peer->ids, std::vector<std::string> {"WA_SY"});
    EXPECT_EQ (peer->firstId, 0);
    // Factory preset 5 ("Full Drive"): on, model 5, knobs 100, 33.7, 100, 16, 67, 35 percent.
    const std::vector<float> expected {1.0f, static_cast<float> (5.0 / 7.0), 1.0f,
                                       static_cast<float> (double (33.7f) / 100.0), 1.0f, 0.16f, 0.67f, 0.35f};
    ASSERT_EQ (peer->values.size (), expected.size ());
    for (size_t i = 0; i < expected.size (); ++i)
    {
        EXPECT_NEAR (peer->values[i], expected[i], 1e-6f) << "id " << i;
        EXPECT_FLOAT_EQ (processor->getParameterValue (static_cast<int32_t> (i)), expected[i]);
    }

    EXPECT_EQ (processor->notify (nullptr), kInvalidArgument);
    auto unknown = owned (new HostMessage ());
    unknown->setMessageID ("NoSuchMessage");
    EXPECT_EQ (processor->notify (unknown), kResultFalse);
    processor->disconnect (peer);
    processor->terminate ();
}
