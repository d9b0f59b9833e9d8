// SPDX-License-Identifier: GPL-3.0-or-later
// The host's main thread writes parameters, loads state and selects presets while its audio
// thread processes. Run under ThreadSanitizer this proves the hand-off is free of data races;
// in every build it proves the output stays finite.
#include "support/BundleFixture.h"
#include "support/SignalChecks.h"
#include <atomic>
#include <string>
#include <thread>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using Morvane::Host::ParameterPoint;
using Morvane::Host::PluginInstance;
using Morvane::Host::ProcessConfig;
using Morvane::Test::sendParameter;
using Morvane::Test::sendPresetRequest;

constexpr int32 kBlock = 128;

class ThreadSafety : public Morvane::Test::BundleFixture
{
protected:
    // Processes until told to stop; counts blocks and blocks with non-finite output.
    void runAudioThread (PluginInstance& instance)
    {
        uint64_t phase = 0;
        while (!stop.load (std::memory_order_acquire))
        {
            Morvane::Test::fillInputs (instance, kBlock, static_cast<int64> (phase));
            phase += kBlock;
            // Host automation arrives on the audio thread through the queues.
            const ParamID id = static_cast<ParamID> (2 + (phase / kBlock) % 6);
            if (instance.process (kBlock, {{id, 0, double ((phase / kBlock) % 11) / 10.0}})
                != kResultOk)
                ++failures;
            if (!Morvane::Test::outputsFinite (instance, kBlock))
                ++nonFinite;
            blocks.fetch_add (1, std::memory_order_release);
        }
    }

    void waitForBlocks (uint64_t count)
    {
        const uint64_t target = blocks.load (std::memory_order_acquire) + count;
        while (blocks.load (std::memory_order_acquire) < target)
            std::this_thread::yield ();
    }

    std::atomic<bool> stop {false};
    std::atomic<uint64_t> blocks {0};
    uint64_t failures = 0;
    uint64_t nonFinite = 0;
};

TEST_F (ThreadSafety, MainThreadTrafficWhileProcessing)
{
    for (int channels : {2, 1})
    {
        ProcessConfig config;
        config.maxBlockSamples = kBlock;
        config.inputChannels = config.outputChannels = channels;
        auto instance = createProcessingInstance (config);
        ASSERT_NE (instance, nullptr);
        stop = false;
        failures = nonFinite = 0;
        std::thread audio ([&] { runAudioThread (*instance); });

        std::vector<uint8_t> state;
        for (int round = 0; round < 40; ++round)
        {
            sendParameter (*instance, 1, (round % 8) / 7.0);   // model
            sendParameter (*instance, 0, round % 5 == 0 ? 0.0 : 1.0);   // effect state
            for (int64 id = 2; id < 8; ++id)
                sendParameter (*instance, id, ((round * 7 + id) % 10) / 9.0);
            instance->controller ()->setParamNormalized (2, (round % 3) / 2.0);
            sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber",
                               std::to_string (round % 8));
            sendPresetRequest (*instance, "CMVXGetSelectedPresetNumber");
            if (round % 4 == 0)
                instance->getState (state);
            else if (round % 4 == 2 && !state.empty ())
                instance->setState (state);
            auto request = instance->createMessage ("Binary");
            const int32 id = round % 8;
            request->getAttributes ()->setBinary ("GePaVa", &id, sizeof (id));
            instance->notifyProcessor (request);
            waitForBlocks (2);
        }
        stop = true;
        audio.join ();
        EXPECT_EQ (failures, 0u) << channels << " channels";
        EXPECT_EQ (nonFinite, 0u) << channels << " channels";
    }
}

}   // namespace
