// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Integer-factor FIR interpolator and decimator around the oversampled chains, with
// least-squares low-pass kernels. Storage is fixed-size, so configuring allocates nothing.
#include <cstdint>

class PolyphaseResampler
{
public:
    static constexpr int kMaxTaps = 80;   // 5 taps per phase at the largest factor, 16

    PolyphaseResampler () = default;
    // Up factor L with upTaps taps, down factor M with downTaps taps.
    PolyphaseResampler (int upFactor, int upTaps, int downFactor, int downTaps);

    // Redesigns both kernels and clears the histories. Returns false (and leaves the resampler
    // unconfigured) for factors below 1 or tap counts outside 1 … kMaxTaps.
    bool configure (int upFactor, int upTaps, int downFactor, int downTaps);
    bool isConfigured () const { return upFactor > 0; }

    // Audio thread. Writes n × L samples; returns their count.
    int interpolate (const float* input, int n, float* output);
    int interpolateReference (const float* input, int n, float* output);   // step-by-step form
    // Audio thread. Consumes whole groups of M inputs, writes one output per group; returns the
    // number of outputs.
    int decimate (const float* input, int n, float* output);
    // The same outputs and history as decimate, computed step by step as first written; kept to
    // check the faster form against.
    int decimateReference (const float* input, int n, float* output);
    void clear ();

    int getUpFactor () const { return upFactor; }
    int getDownFactor () const { return downFactor; }
    int getUpTaps () const { return upTaps; }
    int getDownTaps () const { return downTaps; }
    const float* getUpCoefficients () const { return upCoef; }
    const float* getDownCoefficients () const { return downCoef; }
    // Finite histories; NaN input would otherwise echo for a few samples after it stopped.
    bool historyIsFinite () const;

private:
    void interpolateFourPhasesAtATime (const float* newest, int count, float* out) const;
    template <int M, int N>
    int decimateFourGroupsAtATime (const float* phases, int stride, int groups,
                                   float* output) const;

    int upFactor = 0;
    int upTaps = 0;
    int downFactor = 0;
    int downTaps = 0;
    int upTapsPerPhase = 0;   // upTaps / upFactor
    int downTapsPerPhase = 0;   // downTaps / downFactor
    float upHistory[kMaxTaps] = {};
    float downHistory[kMaxTaps] = {};
    float upCoef[kMaxTaps] = {};
    float downCoef[kMaxTaps] = {};
};
