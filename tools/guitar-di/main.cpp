// SPDX-License-Identifier: GPL-3.0-or-later
// guitar-di OUT.wav [--rate HZ]: writes the demo riff as a dry guitar recording (mono, 24-bit).
#include "PickupAndBody.h"
#include "PluckedString.h"
#include "Riff.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
constexpr double kPeakDbfs = -6.0;
constexpr double kRingSeconds = 1.1;   // the last chord rings this long, fading out at the end
constexpr double kFadeSeconds = 0.4;
constexpr double kPickupPosition = 0.11;   // a bridge pickup, 11 % of the scale from the bridge

std::vector<float> renderRiff (double sampleRateHz)
{
    std::vector<RiffEvent> events = demoRiff ();
    std::stable_sort (events.begin (), events.end (), [] (const RiffEvent& a, const RiffEvent& b) {
        return a.timeSeconds < b.timeSeconds;
    });
    const double lengthSeconds = events.back ().timeSeconds + kRingSeconds;
    const auto frames = static_cast<size_t> (lengthSeconds * sampleRateHz);

    std::vector<PluckedString> strings;
    for (uint32_t s = 0; s < 6; ++s)
        strings.emplace_back (sampleRateHz, kPickupPosition, 0x9E3779B9u * (s + 1));
    PickupAndBody chain (sampleRateHz);

    std::vector<float> out (frames);
    size_t next = 0;
    uint32_t jitter = 12345u;
    for (size_t n = 0; n < frames; ++n)
    {
        const double t = static_cast<double> (n) / sampleRateHz;
        while (next < events.size () && events[next].timeSeconds <= t)
        {
            const RiffEvent& e = events[next++];
            if (e.mute)
            {
                strings[static_cast<size_t> (e.string)].mute ();
                continue;
            }
            // A player never picks at exactly the same spot twice.
            jitter = jitter * 1664525u + 1013904223u;
            const double spread = static_cast<double> (jitter >> 8) / 16777216.0 - 0.5;
            PluckStyle style;
            style.velocity = std::clamp (e.velocity * (1.0 + 0.08 * spread), 0.05, 1.0);
            style.pickPosition = 0.15 + 0.03 * spread;
            style.palmMuted = e.palmMuted;
            strings[static_cast<size_t> (e.string)].pluck (
                openStringHz (e.string) * std::pow (2.0, e.fret / 12.0), style);
        }
        double sum = 0.0;
        for (auto& s : strings)
            sum += s.next ();
        out[n] = static_cast<float> (chain.process (sum));
    }

    // Level like a DI recording with headroom; fade the end so the file ends in silence.
    float peak = 0.0f;
    for (float v : out)
        peak = std::max (peak, std::fabs (v));
    const float gain =
        peak > 0.0f ? static_cast<float> (std::pow (10.0, kPeakDbfs / 20.0)) / peak : 1.0f;
    const size_t fade = static_cast<size_t> (kFadeSeconds * sampleRateHz);
    for (size_t n = 0; n < frames; ++n)
    {
        const size_t left = frames - n;
        out[n] *=
            gain * (left < fade ? static_cast<float> (left) / static_cast<float> (fade) : 1.0f);
    }
    return out;
}
}   // namespace

int main (int argc, char** argv)
{
    std::string path;
    double sampleRateHz = 48000.0;
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (arg == "--rate" && i + 1 < argc)
            sampleRateHz = std::atof (argv[++i]);
        else if (path.empty () && arg.rfind ("--", 0) != 0)
            path = arg;
        else
        {
            std::fprintf (stderr, "guitar-di: unexpected argument '%s'\n", arg.c_str ());
            return 2;
        }
    }
    if (path.empty () || !(sampleRateHz >= 8000.0 && sampleRateHz <= 192000.0))
    {
        std::fprintf (stderr, "usage: guitar-di OUT.wav [--rate HZ (8000..192000)]\n");
        return 2;
    }

    const std::vector<float> audio = renderRiff (sampleRateHz);
    SF_INFO info {};
    info.samplerate = static_cast<int> (sampleRateHz);
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_24;
    SNDFILE* file = sf_open (path.c_str (), SFM_WRITE, &info);
    if (!file)
    {
        std::fprintf (stderr, "guitar-di: cannot write %s: %s\n", path.c_str (),
                      sf_strerror (nullptr));
        return 1;
    }
    const auto written =
        sf_writef_float (file, audio.data (), static_cast<sf_count_t> (audio.size ()));
    sf_close (file);
    if (written != static_cast<sf_count_t> (audio.size ()))
    {
        std::fprintf (stderr, "guitar-di: short write to %s\n", path.c_str ());
        return 1;
    }
    return 0;
}
