// SPDX-License-Identifier: GPL-3.0-or-later
// process() must not allocate, free or lock, whatever the main thread did between blocks:
// model switches, automation, preset selections, state loads, rate and arrangement changes.
#include "support/BundleFixture.h"
#include "support/RealtimeGuard.h"
#include "support/SignalChecks.h"
#include "host/StateBytes.h"
#include <mutex>
#include <thread>
#include <string>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using Morvane::Host::ParameterPoint;
using Morvane::Host::PluginInstance;
using Morvane::Host::ProcessConfig;

constexpr int32 kBlock = 256;

class RealtimeSafety : public Morvane::Test::BundleFixture
{
protected:
    void fillInput (PluginInstance& instance)
    {
        Morvane::Test::fillInputs (instance, kBlock, phase);
        phase += kBlock;
    }

    // Processes one block under the guard and records what the audio thread did.
    void processGuarded (PluginInstance& instance, const std::vector<ParameterPoint>& changes,
                         const std::string& what)
    {
        RealtimeViolations seen;
        tresult result;
        {
            RealtimeGuard guard;
            result = instance.process (kBlock, changes);
            seen = guard.violations ();
        }
        EXPECT_TRUE (result == kResultOk && Morvane::Test::outputsFinite (instance, kBlock))
            << what;
        EXPECT_EQ (seen.allocations, 0u) << what;
        EXPECT_EQ (seen.frees, 0u) << what;
        EXPECT_EQ (seen.locks, 0u) << what;
    }

    int64 phase = 0;
};

TEST (RealtimeGuardSelfCheck, CountsThisThreadsAllocationsAndLocksOnly)
{
    std::mutex mutex;
    RealtimeGuard guard;
    auto* block = new std::vector<int> (64);
    {
        std::lock_guard<std::mutex> lock (mutex);
    }
    std::thread other ([] { delete new int (1); });   // not this thread: not counted
    other.join ();
    delete block;
    const RealtimeViolations seen = guard.violations ();
    EXPECT_GE (seen.allocations, 2u);
    EXPECT_GE (seen.frees, 2u);
    EXPECT_GE (seen.locks, 1u);
}

// Per model: the switch, sample-accurate automation of every parameter, the preset of the same
// number and bypass; then a state load.
TEST_F (RealtimeSafety, ModelsAutomationPresetsBypassAndStateLeaveProcessClean)
{
    ProcessConfig config;
    config.maxBlockSamples = kBlock;
    auto instance = createProcessingInstance (config);
    ASSERT_NE (instance, nullptr);
    std::vector<uint8_t> saved;
    ASSERT_EQ (instance->getState (saved), kResultOk);

    for (int model = 0; model < 8; ++model)
    {
        const std::string what = "model " + std::to_string (model);
        fillInput (*instance);
        processGuarded (*instance, {{1, 0, model / 7.0}}, what + " switch");
        std::vector<ParameterPoint> glide;
        for (ParamID id = 0; id < 8; ++id)
            for (int32 offset = 0; offset < kBlock; offset += 1)
                glide.push_back ({id, offset,
                                  id == 0   ? 1.0
                                  : id == 1 ? model / 7.0
                                            : (offset % 97) / 96.0});
        for (int block = 0; block < 4; ++block)
        {
            fillInput (*instance);
            processGuarded (*instance, glide, what + " automated");
        }
        Morvane::Test::sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber",
                                          std::to_string (model));
        processGuarded (*instance, {}, what + ", its preset");
        processGuarded (*instance, {{0, 0, 0.0}}, what + ", bypass on");
        processGuarded (*instance, {{0, 0, 1.0}}, what + ", bypass off");
    }
    ASSERT_EQ (instance->setState (saved), kResultOk);
    processGuarded (*instance, {}, "after setState");
}

TEST_F (RealtimeSafety, FirstBlockAfterARateOrArrangementChangeIsClean)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    const double rates[] = {44100.0, 96000.0,   22050.0,   192000.0, 384000.0,
                            32000.0, 1234.5678, 1234567.8, 48000.0};
    for (int32 channels : {2, 1})
        for (double rate : rates)
        {
            ProcessConfig config;
            config.sampleRateHz = rate;
            config.maxBlockSamples = kBlock;
            config.inputChannels = config.outputChannels = channels;
            instance->stopProcessing ();
            std::string error;
            ASSERT_TRUE (instance->startProcessing (config, error)) << error;
            const std::string what =
                std::to_string (channels) + " ch at " + std::to_string (rate) + " Hz";
            fillInput (*instance);
            processGuarded (*instance, {}, what + ", first block");
            processGuarded (*instance, {{1, 0, 1.0}}, what + ", model switch");
        }
}

}   // namespace
