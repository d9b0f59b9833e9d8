// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test signals written into a plug-in instance's input buffers, and checks on what comes out.
#include "dsp/MathConstants.h"
#include "host/PluginInstance.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>

namespace Morvane {
namespace Test {

// Smallest magnitude a non-zero output sample may have: anything below is a denormal in the
// making (or already one), which costs a hundred times the time of a normal number on x86.
constexpr double kSmallestAudibleMagnitude = 1e-30;

inline void fillSine (float* samples, Steinberg::int32 count, double frequencyHz,
                      double sampleRateHz, Steinberg::int64 start = 0, double amplitude = 0.5)
{
    for (Steinberg::int32 i = 0; i < count; ++i)
        samples[i] = static_cast<float> (
            amplitude * std::sin (2.0 * kPi * frequencyHz * double (start + i) / sampleRateHz));
}

// A 220 Hz sine of amplitude 0.5 in every input channel of the first bus, continuing from start.
inline void fillInputs (Host::PluginInstance& instance, Steinberg::int32 count,
                        Steinberg::int64 start = 0)
{
    Steinberg::Vst::HostProcessData& data = instance.processData ();
    for (Steinberg::int32 c = 0; c < data.inputs[0].numChannels; ++c)
        fillSine (data.inputChannel32 (0, c), count, 220.0, 48000.0, start);
}

// The same value in every input channel of the first bus.
inline void fillInputsWith (Host::PluginInstance& instance, Steinberg::int32 count, float value)
{
    Steinberg::Vst::HostProcessData& data = instance.processData ();
    for (Steinberg::int32 c = 0; c < data.inputs[0].numChannels; ++c)
        std::fill_n (data.inputChannel32 (0, c), count, value);
}

// Uniform noise in [-1, 1] (full scale), independent per channel.
inline void fillInputsWithNoise (Host::PluginInstance& instance, Steinberg::int32 count,
                                 std::mt19937& random)
{
    std::uniform_real_distribution<float> fullScale (-1.0f, 1.0f);
    Steinberg::Vst::HostProcessData& data = instance.processData ();
    for (Steinberg::int32 c = 0; c < data.inputs[0].numChannels; ++c)
        std::generate_n (data.inputChannel32 (0, c), count, [&] { return fullScale (random); });
}

inline bool allFinite (const float* samples, Steinberg::int32 count)
{
    return std::all_of (samples, samples + count, [] (float x) { return std::isfinite (x); });
}

inline double peak (const float* samples, Steinberg::int32 count)
{
    double p = 0;
    for (Steinberg::int32 i = 0; i < count; ++i)
        p = std::max (p, std::fabs (double (samples[i])));
    return p;
}

// Samples that are not zero but smaller in magnitude than kSmallestAudibleMagnitude.
inline Steinberg::int32 countTinyNonZero (const float* samples, Steinberg::int32 count)
{
    return static_cast<Steinberg::int32> (std::count_if (samples, samples + count, [] (float x) {
        return x != 0.0f && std::fabs (double (x)) < kSmallestAudibleMagnitude;
    }));
}

// Every output channel of the first bus finite over count samples.
inline bool outputsFinite (Host::PluginInstance& instance, Steinberg::int32 count)
{
    Steinberg::Vst::HostProcessData& data = instance.processData ();
    for (Steinberg::int32 c = 0; c < data.outputs[0].numChannels; ++c)
        if (!allFinite (data.outputChannel32 (0, c), count))
            return false;
    return true;
}

// Largest magnitude over every output channel of the first bus.
inline double outputPeak (Host::PluginInstance& instance, Steinberg::int32 count)
{
    Steinberg::Vst::HostProcessData& data = instance.processData ();
    double p = 0;
    for (Steinberg::int32 c = 0; c < data.outputs[0].numChannels; ++c)
        p = std::max (p, peak (data.outputChannel32 (0, c), count));
    return p;
}

}   // namespace Test
}   // namespace Morvane
