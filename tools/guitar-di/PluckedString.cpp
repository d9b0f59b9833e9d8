// SPDX-License-Identifier: GPL-3.0-or-later
#include "PluckedString.h"
#include "dsp/MathConstants.h"

#include <algorithm>
#include <cmath>

namespace {
// Decay times of the fundamental; higher notes ring shorter, a palm-muted note is a thud.
double openT60Seconds (double frequencyHz)
{
    return 3.2 * std::sqrt (82.4 / frequencyHz) + 0.6;
}
constexpr double kPalmMuteT60Seconds = 0.14;
constexpr double kMutedT60Seconds = 0.05;
}   // namespace

PluckedString::PluckedString (double sampleRateHz_, double pickupPosition_, uint32_t seed)
: sampleRateHz (sampleRateHz_), pickupPosition (pickupPosition_), rngState (seed ? seed : 1u)
{}

double PluckedString::random ()
{
    // xorshift32: the same recording on every platform and standard library
    rngState ^= rngState << 13;
    rngState ^= rngState >> 17;
    rngState ^= rngState << 5;
    return static_cast<double> (rngState) / 2147483648.0 - 1.0;
}

void PluckedString::setLoop (double f, double t60Seconds, double pole)
{
    frequencyHz = f;
    lowpassPole = pole;
    const double w = 2.0 * kPi * f / sampleRateHz;
    // One-pole loop filter (1 - a) / (1 - a z^-1): its phase delay and gain at the fundamental.
    const double lowpassDelay = std::atan2 (pole * std::sin (w), 1.0 - pole * std::cos (w)) / w;
    const double lowpassGain =
        (1.0 - pole) / std::sqrt (1.0 - 2.0 * pole * std::cos (w) + pole * pole);

    const double period = sampleRateHz / f;
    const double rest = period - lowpassDelay;
    // Keep the allpass's fractional delay in 0.1..1.1 where its phase delay is flat enough.
    loopDelay = static_cast<size_t> (std::floor (rest - 0.1));
    const double fraction = rest - static_cast<double> (loopDelay);
    allpassCoeff = (1.0 - fraction) / (1.0 + fraction);

    // Per period the fundamental falls by 60 dB / (T60 * f).
    const double perPeriod = std::pow (10.0, -3.0 / (t60Seconds * f));
    loopGain = std::min (perPeriod / lowpassGain, 0.99995);
    pickupDelay = std::max<size_t> (1, static_cast<size_t> (std::lround (pickupPosition * period)));
}

void PluckedString::pluck (double f, const PluckStyle& style)
{
    palmMuted = style.palmMuted;
    const double t60 = palmMuted ? kPalmMuteT60Seconds : openT60Seconds (f);
    // A harder pick and a free string keep more of the high partials.
    const double pole = palmMuted ? 0.5 : 0.06 + 0.10 * (1.0 - style.velocity);
    setLoop (f, t60, pole);

    // Excitation: one period of the travelling velocity wave of a string released from a triangle
    // with its apex at the pick (a rectangle: 1 - b for the fraction b, -b for the rest), rounded
    // by the pick's contact time (longer under the palm, shorter for a hard stroke), plus a
    // little scrape noise.
    const auto period = static_cast<size_t> (std::lround (sampleRateHz / f));
    const auto pickSamples =
        std::max<size_t> (1, static_cast<size_t> (std::lround (style.pickPosition * period)));
    const double b = static_cast<double> (pickSamples) / static_cast<double> (period);
    const double contactSeconds = palmMuted ? 0.0008 : 0.0005 - 0.0003 * style.velocity;
    const double smoothing = std::exp (-1.0 / (contactSeconds * sampleRateHz));
    const double amplitude = (palmMuted ? 0.6 : 1.0) * style.velocity;
    excitation.assign (period, 0.0);
    double rounded = 0.0, scrape = 0.0;
    for (int pass = 0; pass < 2;
         ++pass)   // the second pass starts from the settled, periodic state
        for (size_t i = 0; i < period; ++i)
        {
            scrape += 0.3 * (random () - scrape);
            const double shape = (i < pickSamples ? 1.0 - b : -b) + 0.06 * scrape;
            rounded = shape + smoothing * (rounded - shape);
            excitation[i] = amplitude * rounded;
        }
    excitationIndex = 0;
    quenchSamples = static_cast<int> (0.004 * sampleRateHz);
}

void PluckedString::mute ()
{
    setLoop (frequencyHz, kMutedT60Seconds, 0.6);
}

float PluckedString::next ()
{
    const size_t mask = kDelaySize - 1;
    const double delayed = line[(writeIndex - loopDelay) & mask];
    const double allpassed = allpassCoeff * delayed + allpassIn1 - allpassCoeff * allpassOut1;
    allpassIn1 = delayed;
    allpassOut1 = allpassed;
    lowpassState = (1.0 - lowpassPole) * allpassed + lowpassPole * lowpassState;

    if (quenchSamples > 0)
    {
        // The whole standing wave fades, about -30 dB over the 4 ms the pick rests on the string.
        constexpr double kQuench = 0.985;
        for (size_t i = 1; i <= kDelaySize / 2; ++i)
            line[(writeIndex - i) & mask] *= kQuench;
        allpassIn1 *= kQuench;
        allpassOut1 *= kQuench;
        lowpassState *= kQuench;
        --quenchSamples;
    }
    const double feedback = loopGain * lowpassState;
    const double input = excitationIndex < excitation.size () ? excitation[excitationIndex++] : 0.0;
    const double value = feedback + input;
    line[writeIndex] = value;
    // The pickup sees the difference of the two travelling waves at its distance from the bridge.
    const double picked = value - line[(writeIndex - pickupDelay) & mask];
    writeIndex = (writeIndex + 1) & mask;
    return static_cast<float> (picked);
}
