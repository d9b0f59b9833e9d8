// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One guitar string as a digital waveguide: a tuned delay loop with frequency-dependent losses,
// excited by a pick at a position along the string and read by a pickup at another position.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

struct PluckStyle
{
    double velocity = 0.8;   // 0..1, scales the excitation and opens its brightness
    double pickPosition = 0.16;   // distance of the pick from the bridge, fraction of the string
    bool palmMuted = false;   // the heel of the hand rests on the strings at the bridge
};

class PluckedString
{
public:
    PluckedString (double sampleRateHz, double pickupPosition, uint32_t seed);

    void pluck (double frequencyHz, const PluckStyle& style);
    // The fretting hand lifts: the note dies within a few tens of milliseconds.
    void mute ();
    float next ();

private:
    void setLoop (double frequencyHz, double t60Seconds, double lowpassPole);
    double random ();   // uniform in -1..1, deterministic per seed

    static constexpr size_t kDelaySize = 4096;   // > one period of the lowest note at 192 kHz
    double sampleRateHz;
    double pickupPosition;
    uint32_t rngState;

    std::array<double, kDelaySize> line {};
    size_t writeIndex = 0;
    size_t loopDelay = 100;   // whole samples of the loop delay
    size_t pickupDelay = 10;   // whole samples between the two pickup taps
    double allpassCoeff = 0.0;   // tunes the fractional rest of the period
    double allpassIn1 = 0.0, allpassOut1 = 0.0;
    double lowpassPole = 0.1, lowpassState = 0.0;
    double loopGain = 0.99;

    std::vector<double> excitation;   // the pick's push, fed into the loop sample by sample
    size_t excitationIndex = 0;
    int quenchSamples = 0;   // the old vibration is stopped while the pick rests on the string
    double frequencyHz = 100.0;
    bool palmMuted = false;
};
