// SPDX-License-Identifier: GPL-3.0-or-later
// Real-time factor of the drive-pedal engine: stereo, blocks of 256 at 48 kHz, fixed-seed noise.
// The "rtf" counter is seconds of audio processed per second of CPU time.
#include "dsp/CMVXDrivePedalsSimulationDSP.h"
#include "params/CMVXParamTable.h"
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr double kRateHz = 48000.0;
constexpr int kBlock = 256;
constexpr int kBlocksPerSecond = 188;   // 188 × 256 ≈ one second of input, then it repeats

const char* const kModelNames[8] = {"Treble Booster", "XXL Distortion+", "BAT Distortion",
                                    "Over Drive",     "Super Drive",     "9 Screamer",
                                    "808 Screamer",   "Metal Tone"};

struct Rig
{
    std::unique_ptr<CMVXDrivePedalsSimulationDSP> engine;
    std::vector<float> input[2];
    std::vector<float> output[2];
    float inPeaks[2] = {};
    float outPeaks[2] = {};
    size_t position = 0;

    explicit Rig (int model)
    : engine (std::make_unique<CMVXDrivePedalsSimulationDSP> (48000.0, 256))
    {
        engine->sampleRate = kRateHz;
        engine->maxBlockSize = kBlock;
        engine->reinitPending = true;
        engine->prepareProcessing ();
        engine->applyPreset (model);
        std::mt19937 rng (1234);
        std::uniform_real_distribution<float> dist (-0.5f, 0.5f);
        for (int c = 0; c < 2; ++c)
        {
            input[c].resize (static_cast<size_t> (kBlock) * kBlocksPerSecond);
            for (auto& x : input[c])
                x = dist (rng);
            output[c].resize (kBlock);
        }
    }

    void processBlock ()
    {
        float* in[2] = {input[0].data () + position, input[1].data () + position};
        float* out[2] = {output[0].data (), output[1].data ()};
        engine->processBlock (in, out, inPeaks, outPeaks, kBlock, nullptr, nullptr);
        position = (position + kBlock) % input[0].size ();
        benchmark::DoNotOptimize (output[0].data ());
        benchmark::DoNotOptimize (output[1].data ());
    }
};

void reportRealTimeFactor (benchmark::State& state, int64_t blocks)
{
    state.counters["rtf"] = benchmark::Counter (static_cast<double> (blocks) * kBlock / kRateHz,
                                                benchmark::Counter::kIsRate);
}

// Knobs at the preset's values; the warm-up lets every glide finish first.
void BM_ModelAtRest (benchmark::State& state)
{
    const int model = static_cast<int> (state.range (0));
    Rig rig (model);
    for (int i = 0; i < 2 * kBlocksPerSecond; ++i)
        rig.processBlock ();
    int64_t blocks = 0;
    for (auto _ : state)
    {
        rig.processBlock ();
        ++blocks;
    }
    state.SetLabel (kModelNames[model]);
    reportRealTimeFactor (state, blocks);
}

// All six knobs follow slow triangles (0.1 … 0.9, 2 s period, staggered), written every
// block as host automation would. The smoothed controls trail their targets by far more than
// 0.0001, so every control-dependent stage is redesigned at every oversampled sample.
void BM_ModelAutomated (benchmark::State& state)
{
    const int model = static_cast<int> (state.range (0));
    Rig rig (model);
    int64_t blocks = 0;
    int64_t blocksAllGliding = 0;
    auto automate = [&rig] (int64_t block) {
        for (int knob = 0; knob < 6; ++knob)
        {
            const double phase = std::fmod (block / (2.0 * kBlocksPerSecond) + knob / 6.0, 1.0);
            const double triangle = phase < 0.5 ? 2.0 * phase : 2.0 - 2.0 * phase;
            rig.engine->findParameter (kParamKnob1 + knob)->setNormalized (0.1 + 0.8 * triangle);
        }
    };
    for (auto _ : state)
    {
        automate (blocks);
        rig.processBlock ();
        ++blocks;
        bool allGliding = true;
        for (int knob = 1; knob <= 6; ++knob)
            allGliding = allGliding
                         && std::fabs (rig.engine->getControlTarget (knob)
                                       - rig.engine->getControlCurrent (knob))
                                > 1e-4f;
        blocksAllGliding += allGliding ? 1 : 0;
    }
    state.SetLabel (std::string (kModelNames[model]) + ", six knobs automated");
    reportRealTimeFactor (state, blocks);
    state.counters["gliding"] = blocks ? static_cast<double> (blocksAllGliding) / blocks : 0.0;
}

}   // namespace

BENCHMARK (BM_ModelAtRest)->DenseRange (0, 7)->Unit (benchmark::kMicrosecond);
BENCHMARK (BM_ModelAutomated)->Arg (7)->Arg (3)->Unit (benchmark::kMicrosecond);

BENCHMARK_MAIN ();
