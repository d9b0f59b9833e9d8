// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudioAnalysis.h"
#include "dsp/MathConstants.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <complex>

namespace {
constexpr size_t kFftSize = 8192;
constexpr double kFloorDb = -200.0;

double toDb (double amplitude)
{
    return amplitude > 0.0 ? 20.0 * std::log10 (amplitude) : kFloorDb;
}

// In-place iterative radix-2 transform; size must be a power of two.
void fft (std::vector<std::complex<double>>& x)
{
    const size_t n = x.size ();
    for (size_t i = 1, j = 0; i < n; ++i)
    {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap (x[i], x[j]);
    }
    for (size_t length = 2; length <= n; length <<= 1)
    {
        const std::complex<double> step =
            std::polar (1.0, -2.0 * kPi / static_cast<double> (length));
        for (size_t start = 0; start < n; start += length)
        {
            std::complex<double> w = 1.0;
            for (size_t k = 0; k < length / 2; ++k)
            {
                const auto even = x[start + k];
                const auto odd = w * x[start + k + length / 2];
                x[start + k] = even + odd;
                x[start + k + length / 2] = even - odd;
                w *= step;
            }
        }
    }
}
}   // namespace

bool loadRecording (const std::string& path, Recording& recording, std::string& error)
{
    SF_INFO info {};
    SNDFILE* file = sf_open (path.c_str (), SFM_READ, &info);
    if (!file)
    {
        error = "cannot read '" + path + "': " + sf_strerror (nullptr);
        return false;
    }
    std::vector<float> interleaved (static_cast<size_t> (info.frames * info.channels));
    const sf_count_t got = sf_readf_float (file, interleaved.data (), info.frames);
    sf_close (file);
    recording.sampleRateHz = info.samplerate;
    recording.mono.assign (static_cast<size_t> (std::max<sf_count_t> (got, 0)), 0.0f);
    for (size_t i = 0; i < recording.mono.size (); ++i)
    {
        float sum = 0.0f;
        for (int c = 0; c < info.channels; ++c)
            sum += interleaved[i * static_cast<size_t> (info.channels) + static_cast<size_t> (c)];
        recording.mono[i] = sum / static_cast<float> (info.channels);
    }
    return true;
}

double peakDbfs (const Recording& recording)
{
    float peak = 0.0f;
    for (float v : recording.mono)
        peak = std::max (peak, std::fabs (v));
    return toDb (peak);
}

double rmsDbfs (const Recording& recording)
{
    double sum = 0.0;
    for (float v : recording.mono)
        sum += static_cast<double> (v) * v;
    return recording.mono.empty ()
               ? kFloorDb
               : toDb (std::sqrt (sum / static_cast<double> (recording.mono.size ())));
}

Envelope envelope (const Recording& recording, size_t columns)
{
    Envelope e;
    e.minimum.assign (columns, 0.0f);
    e.maximum.assign (columns, 0.0f);
    const size_t frames = recording.mono.size ();
    for (size_t c = 0; c < columns && frames > 0; ++c)
    {
        const size_t begin = c * frames / columns;
        const size_t end = std::max (begin + 1, (c + 1) * frames / columns);
        const auto [lo, hi] = std::minmax_element (
            recording.mono.begin () + static_cast<long> (begin),
            recording.mono.begin () + static_cast<long> (std::min (end, frames)));
        e.minimum[c] = *lo;
        e.maximum[c] = *hi;
    }
    return e;
}

Spectrum averageSpectrum (const Recording& recording)
{
    std::vector<double> power (kFftSize / 2 + 1, 0.0);
    std::vector<double> window (kFftSize);
    double windowSum = 0.0;
    for (size_t i = 0; i < kFftSize; ++i)
    {
        window[i] = 0.5 - 0.5 * std::cos (2.0 * kPi * static_cast<double> (i) / kFftSize);
        windowSum += window[i];
    }
    std::vector<std::complex<double>> frame (kFftSize);
    size_t frames = 0;
    for (size_t start = 0; start + kFftSize <= recording.mono.size ();
         start += kFftSize / 2, ++frames)
    {
        for (size_t i = 0; i < kFftSize; ++i)
            frame[i] = window[i] * recording.mono[start + i];
        fft (frame);
        for (size_t k = 0; k < power.size (); ++k)
            power[k] += std::norm (frame[k]);
    }
    Spectrum s;
    if (frames == 0)
        return s;
    // A sine of amplitude A peaks at A * windowSum / 2 in its bin.
    const double scale = 4.0 / (windowSum * windowSum * static_cast<double> (frames));
    const double binHz = recording.sampleRateHz / kFftSize;
    const double sixthOctave = std::pow (2.0, 1.0 / 12.0);   // half-width of a sixth of an octave
    for (double f = 20.0; f <= std::min (20000.0, recording.sampleRateHz / 2.0);
         f *= std::pow (2.0, 1.0 / 24.0))
    {
        const auto lo = static_cast<size_t> (std::max (1.0, std::floor (f / sixthOctave / binHz)));
        const auto hi =
            std::min (power.size () - 1, static_cast<size_t> (std::ceil (f * sixthOctave / binHz)));
        double sum = 0.0;
        for (size_t k = lo; k <= hi; ++k)
            sum += power[k];
        const double mean = sum * scale / static_cast<double> (hi - lo + 1);
        s.frequencyHz.push_back (f);
        s.levelDb.push_back (mean > 0.0 ? 10.0 * std::log10 (mean) : kFloorDb);
    }
    return s;
}
