// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drives the engine the way the DSP host does: rate and block size, parameters, stereo blocks.
#include "dsp/CMVXDrivePedalsSimulationDSP.h"
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

inline void setModel (CMVXDrivePedalsSimulationDSP& engine, int model)
{
    engine.findParameter (1)->setPlain (model);
}

// Processes whole signals in blocks; returns the two output channels.
struct Stereo
{
    std::vector<float> ch[2];
    size_t size () const { return ch[0].size (); }
};

inline Stereo process (CMVXDrivePedalsSimulationDSP& engine, const Stereo& input, int block,
                       float* lastInPeaks = nullptr, float* lastOutPeaks = nullptr)
{
    Stereo output;
    output.ch[0].assign (input.size (), 0.0f);
    output.ch[1].assign (input.size (), 0.0f);
    float inPeaks[2];
    float outPeaks[2];
    for (size_t start = 0; start < input.size (); start += block)
    {
        const int n = static_cast<int> (std::min<size_t> (block, input.size () - start));
        float* in[2] = {const_cast<float*> (input.ch[0].data ()) + start,
                        const_cast<float*> (input.ch[1].data ()) + start};
        float* out[2] = {output.ch[0].data () + start, output.ch[1].data () + start};
        engine.processBlock (in, out, inPeaks, outPeaks, n, nullptr, nullptr);
    }
    if (lastInPeaks)
        lastInPeaks[0] = inPeaks[0], lastInPeaks[1] = inPeaks[1];
    if (lastOutPeaks)
        lastOutPeaks[0] = outPeaks[0], lastOutPeaks[1] = outPeaks[1];
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
        for (auto& x : c)
            x = dist (rng);
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

// Exponential sweep from f0 to f1 Hz, amplitude 1, the right channel in opposite phase.
inline Stereo sweep (size_t n, double rateHz, double f0, double f1)
{
    Stereo s;
    s.ch[0].resize (n);
    s.ch[1].resize (n);
    const double duration = n / rateHz;
    const double k = std::log (f1 / f0);
    for (size_t i = 0; i < n; ++i)
    {
        const double t = i / rateHz;
        const double phase = 2.0 * M_PI * f0 * duration / k * (std::exp (t / duration * k) - 1.0);
        s.ch[0][i] = static_cast<float> (std::sin (phase));
        s.ch[1][i] = -s.ch[0][i];
    }
    return s;
}

inline float peak (const Stereo& s)
{
    float p = 0.0f;
    for (const auto& c : s.ch)
        for (float x : c)
            p = std::max (p, std::fabs (x));
    return p;
}

inline bool allFinite (const std::vector<float>& v, size_t from = 0)
{
    for (size_t i = from; i < v.size (); ++i)
        if (!std::isfinite (v[i]))
            return false;
    return true;
}

} // namespace enginetest
