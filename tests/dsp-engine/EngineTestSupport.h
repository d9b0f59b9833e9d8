// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drives the engine the way the DSP host does: rate and block size, parameters, stereo blocks.
#include "dsp/CMVXDrivePedalsSimulationDSP.h"
#include "params/CMVXParamTable.h"
#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>
#include <random>
#include <vector>

namespace enginetest {

using Engine = CMVXDrivePedalsSimulationDSP;

inline std::unique_ptr<Engine> makeEngine (double rateHz, uint32_t block)
{
    auto engine = std::make_unique<Engine> (48000.0, 256);
    engine->sampleRate = rateHz;
    engine->maxBlockSize = block;
    engine->reinitPending = true;
    engine->prepareProcessing ();
    return engine;
}

// knob: 1 … 6 ("Parameter 1" … "Parameter 6").
inline void setKnob (Engine& engine, int knob, double value)
{
    engine.findParameter (kParamKnob1 + knob - 1)->setNormalized (value);
}
inline void setModel (Engine& engine, PedalModel model)
{
    engine.findParameter (kParamModel)->setPlain (static_cast<double> (model));
}

struct Stereo
{
    std::vector<float> ch[2];
    size_t size () const { return ch[0].size (); }
};

// Processes a whole signal in blocks; the peaks are those of the last block.
inline Stereo process (Engine& engine, const Stereo& input, int block, float* inPeaks = nullptr,
                       float* outPeaks = nullptr)
{
    Stereo output {{std::vector<float> (input.size ()), std::vector<float> (input.size ())}};
    float peaks[2][2];
    for (size_t start = 0; start < input.size (); start += block)
    {
        float* in[2] = {const_cast<float*> (input.ch[0].data ()) + start,
                        const_cast<float*> (input.ch[1].data ()) + start};
        float* out[2] = {output.ch[0].data () + start, output.ch[1].data () + start};
        engine.processBlock (in, out, inPeaks ? inPeaks : peaks[0], outPeaks ? outPeaks : peaks[1],
                             static_cast<int> (std::min<size_t> (block, input.size () - start)),
                             nullptr, nullptr);
    }
    return output;
}

inline Stereo noise (size_t n, float amplitude, uint32_t seed)
{
    std::mt19937 rng (seed);
    std::uniform_real_distribution<float> dist (-amplitude, amplitude);
    Stereo s;
    for (auto& c : s.ch)
        std::generate_n (std::back_inserter (c), n, [&] { return dist (rng); });
    return s;
}

inline Stereo constant (size_t n, float value)
{
    return Stereo {{std::vector<float> (n, value), std::vector<float> (n, value)}};
}

// Largest magnitude over both channels; NaN if any sample is not finite.
inline float peak (const Stereo& s)
{
    float p = 0.0f;
    for (const auto& c : s.ch)
        for (float x : c)
            p = std::isfinite (x) ? std::max (p, std::fabs (x)) : NAN;
    return p;
}

}   // namespace enginetest
