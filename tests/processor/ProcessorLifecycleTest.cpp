// SPDX-License-Identifier: GPL-3.0-or-later
// Set-up, capabilities, the controller class, preset sync and the minimal message handling.
#include "ProcessorTestSupport.h"
#include "processor/CMVXStravelClassIds.h"
#include "processor/CMVXStravelVST3.h"
#include "base/source/fobject.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstattributes.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

IPtr<CMVXStravelVST3> makeProcessor ()
{
    return owned (new CMVXStravelVST3 ());
}

// The controller's end of the connection: keeps a copy of every message it is sent.
class RecordingPeer : public FObject, public IConnectionPoint
{
public:
    struct Received
    {
        std::string id;
        std::vector<uint8_t> values;
        int64 firstId = -1;
    };

    tresult PLUGIN_API connect (IConnectionPoint*) override { return kResultOk; }
    tresult PLUGIN_API disconnect (IConnectionPoint*) override { return kResultOk; }
    tresult PLUGIN_API notify (IMessage* message) override
    {
        Received copy;
        copy.id = message->getMessageID ();
        const void* data = nullptr;
        uint32 size = 0;
        if (message->getAttributes ()->getBinary ("WA_SV", data, size) == kResultOk)
            copy.values.assign (static_cast<const uint8_t*> (data),
                                static_cast<const uint8_t*> (data) + size);
        message->getAttributes ()->getInt ("WA_SF", copy.firstId);
        received.push_back (copy);
        return kResultOk;
    }

    OBJ_METHODS (RecordingPeer, FObject)
    DEFINE_INTERFACES
        DEF_INTERFACE (IConnectionPoint)
    END_DEFINE_INTERFACES (FObject)
    REFCOUNT_METHODS (FObject)

    std::vector<Received> received;
};

} // namespace

TEST (ProcessorLifecycle, NamesTheControllerClass)
{
    auto processor = makeProcessor ();
    TUID cid = {};
    ASSERT_EQ (processor->getControllerClassId (cid), kResultOk);
    EXPECT_EQ (FUID::fromTUID (cid), FUID (0xD39C4B76, 0x17AF42FB, 0x834A52E4, 0x41E0DD0C));
    EXPECT_EQ (FUID::fromTUID (cid), kCMVXStravelControllerUID);
}

TEST (ProcessorLifecycle, InitializeOncePerTerminate)
{
    HostApplication host;
    auto processor = makeProcessor ();
    EXPECT_EQ (processor->initialize (&host), kResultOk);
    EXPECT_EQ (processor->initialize (&host), kResultFalse);
    EXPECT_EQ (processor->getBusCount (kAudio, kInput), 1);
    for (int round = 0; round < 4; ++round)
    {
        EXPECT_EQ (processor->terminate (), kResultOk);
        EXPECT_EQ (processor->getBusCount (kAudio, kInput), 0);
        EXPECT_EQ (processor->initialize (&host), kResultOk);
        EXPECT_EQ (processor->getBusCount (kAudio, kOutput), 1);
    }
    processor->terminate ();
}

TEST (ProcessorLifecycle, AnswersCapabilityQueries)
{
    auto processor = makeProcessor ();
    EXPECT_EQ (processor->canProcessSampleSize (kSample32), kResultTrue);
    EXPECT_EQ (processor->canProcessSampleSize (kSample64), kResultFalse);
    EXPECT_EQ (processor->setIoMode (kAdvanced), kNotImplemented);
    EXPECT_EQ (processor->setProcessing (true), kNotImplemented);
    EXPECT_EQ (processor->setActive (true), kResultOk);
    EXPECT_EQ (processor->setActive (false), kResultOk);
    EXPECT_EQ (processor->getLatencySamples (), 0u);
    EXPECT_EQ (processor->getTailSamples (), 0u);
    EXPECT_EQ (processor->receiveText ("hello"), kResultOk);

    IAudioProcessor* audio = nullptr;
    ASSERT_EQ (processor->queryInterface (IAudioProcessor::iid, reinterpret_cast<void**> (&audio)),
               kResultOk);
    audio->release ();
}

TEST (ProcessorLifecycle, SetupProcessingReachesTheEngine)
{
    auto processor = makeProcessor ();
    EXPECT_EQ (processor->getProcessMode (), -1);
    ProcessSetup setup {kOffline, kSample32, 480, 96000.0};
    ASSERT_EQ (processor->setupProcessing (setup), kResultOk);
    CMVXDSPAlgInterface* engine = processor->getDsp ()->getCurrentAlgorithm ();
    ASSERT_NE (engine, nullptr);
    EXPECT_EQ (engine->sampleRate.load (), 96000.0);
    EXPECT_EQ (engine->maxBlockSize.load (), 480u);
    EXPECT_TRUE (engine->reinitPending.load ());
    EXPECT_EQ (processor->getProcessMode (), kOffline);
    EXPECT_EQ (processor->getSampleRate (), 96000.0);
    EXPECT_EQ (processor->getMaxSamplesPerBlock (), 480);

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

TEST (ProcessorLifecycle, PresetSelectionSendsAllValuesToTheController)
{
    HostApplication host;
    auto processor = makeProcessor ();
    ASSERT_EQ (processor->initialize (&host), kResultOk);
    auto peer = owned (new RecordingPeer ());
    ASSERT_EQ (processor->connect (peer), kResultOk);

    processor->selectPresetAndSync (5);

    ASSERT_EQ (peer->received.size (), 1u);
    EXPECT_EQ (peer->received[0].id, "WA_SY");
    EXPECT_EQ (peer->received[0].firstId, 0);
    // Factory preset 5 ("Full Drive"): on, model 5, knobs 100, 33.7, 100, 16, 67, 35 percent.
    const std::vector<float> expected {1.0f, static_cast<float> (5.0 / 7.0), 1.0f,
                                       static_cast<float> (double (33.7f) / 100.0), 1.0f, 0.16f,
                                       0.67f, 0.35f};
    ASSERT_EQ (peer->received[0].values.size (), 32u);
    for (size_t i = 0; i < expected.size (); ++i)
    {
        float value = 0.0f;
        std::memcpy (&value, &peer->received[0].values[i * 4], 4);
        EXPECT_NEAR (value, expected[i], 1e-6f) << "id " << i;
        EXPECT_FLOAT_EQ (processor->getParameterValue (static_cast<int32_t> (i)), expected[i]);
    }
    processor->disconnect (peer);
    processor->terminate ();
}

TEST (ProcessorLifecycle, PresetSelectionWithoutPeerOnlySelects)
{
    auto processor = makeProcessor ();
    processor->selectPresetAndSync (3);
    EXPECT_FLOAT_EQ (processor->getParameterValue (1), static_cast<float> (3.0 / 7.0));
}

TEST (ProcessorLifecycle, NullMessageIsAnInvalidArgument)
{
    HostApplication host;
    auto processor = makeProcessor ();
    ASSERT_EQ (processor->initialize (&host), kResultOk);
    EXPECT_EQ (processor->notify (nullptr), kInvalidArgument);

    auto text = owned (new HostMessage ());
    text->setMessageID ("TextMessage");
    text->getAttributes ()->setString ("Text", STR16 ("hello"));
    EXPECT_EQ (processor->notify (text), kResultOk);

    auto unknown = owned (new HostMessage ());
    unknown->setMessageID ("NoSuchMessage");
    EXPECT_EQ (processor->notify (unknown), kResultFalse);
    processor->terminate ();
}
