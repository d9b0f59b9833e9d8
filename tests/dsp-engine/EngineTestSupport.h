// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drives the engine the way the DSP host does: rate and block size, parameters, stereo blocks.
#include "dsp/CMVXDrivePedalsSimulationDSP.h"
#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace enginetest {

inline std::unique_ptr<CMVXDrivePedalsSimulationDSP> makeEngine (double rateHz, uint32_t block)
{
    auto engine = std::make_unique<CMVXDrivePedalsSimulationDSP> (48000.0, 256);
    engine->sampleRate = rateHz;
    engine->maxBlockSize = block;
    engine->reinitPending = true;
    engine->prepareProcessing ();
    return engine;
}

inline void setNormalized (CMVXDrivePedalsSimulationDSP& engine, int32_t id, double value)
{
    engine.findParameter (id)->setNormalized (value);
}

inline void setModel (CMVXDrivePedalsSimulationDSP& engine, int model) { engine.findParameter (1)->setPlain (model); }

struct Stereo
{
    std::vector<float> ch[2];
    size_t size () const { return ch[0].size (); }
};

// Processes a whole signal in blocks; the peaks are those of the last block.
inline Stereo process (CMVXDrivePedalsSimulationDSP& engine, const Stereo& input, int block,
                       float* inPeaks = nullptr, float* outPeaks = nullptr)
{
    Stereo output;
    float peaks[2][2];
    for (auto& c : output.ch)
        c.assign (input.size (), 0.0f);
    for (size_t start = 0; start < input.size (); start += block)
    {
        float* in[2] = {const_cast<float*> (input.ch[0].data ()) + start, const_cast<float*> (input.ch[1].data ()) + start};
        float* out[2] = {output.ch[0].data () + start, output.ch[1].data () + start};
        engine.processBlock (in, out, inPeaks ? inPeaks : peaks[0], outPeaks ? outPeaks : peaks[1],
                             static_cast<int> (std::min<size_t> (block, input.size () - start)), nullptr, nullptr);
    }
    return output;
}

inline Stereo noise (size_t n, float amplitude, uint32_t seed)
{
    std::mt19937 rng (seed);
    std::uniform_real_distribution<float> dist (-amplitude, amplitude);
    Stereo s;
    for (auto& c : s.ch)
    {
        c.resize (n);
        std::generate (c.begin (), c.end (), [&] { return dist (rng); });
    }
    return s;
}

inline Stereo constant (size_t n, float value)
{
    Stereo s;
    s.ch[0].assign (n, value);
    s.ch[1].assign (n, value);
    return s;
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

} // namespace enginetest
