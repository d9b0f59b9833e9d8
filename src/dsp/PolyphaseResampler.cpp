// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/PolyphaseResampler.h"
#include "dsp/LeastSquaresLowpass.h"
#include <algorithm>
#include <iterator>
#include <cmath>

PolyphaseResampler::PolyphaseResampler (int upFactor, int upTaps, int downFactor, int downTaps)
{
    configure (upFactor, upTaps, downFactor, downTaps);
}

bool PolyphaseResampler::configure (int L, int NU, int M, int ND)
{
    upFactor = upTaps = downFactor = downTaps = upTapsPerPhase = downTapsPerPhase = 0;
    clear ();
    if (L < 1 || M < 1 || NU < 1 || ND < 1 || NU > kMaxTaps || ND > kMaxTaps)
        return false;
    upFactor = L;
    upTaps = NU;
    downFactor = M;
    downTaps = ND;
    upTapsPerPhase = NU / L;
    downTapsPerPhase = ND / M;

    // Both kernels cut at the lower of the two outer Nyquist frequencies.
    const double edge = 1.0 / std::max (L, M);
    double taps[kMaxTaps];
    designLeastSquaresLowpass (taps, NU, edge);
    for (int i = 0; i < NU; ++i)
        upCoef[i] = static_cast<float> (taps[i]);
    designLeastSquaresLowpass (taps, ND, edge);
    for (int i = 0; i < ND; ++i)
        downCoef[i] = static_cast<float> (taps[i]);
    // Zero-stuffing divides the level by L; the interpolation kernel wins it back.
    for (int i = 0; i < NU; ++i)
        upCoef[i] *= static_cast<float> (L);
    return true;
}

int PolyphaseResampler::interpolate (const float* input, int n, float* output)
{
    const int L = upFactor;
    const int K = upTapsPerPhase;
    float* out = output;
    for (int i = 0; i < n; ++i)
    {
        for (int k = K - 1; k > 0; --k)
            upHistory[k] = upHistory[k - 1];
        upHistory[0] = input[i];
        // Phases are independent sums; each keeps its own sequential order over k.
        for (int p = 0; p < L; ++p)
        {
            float sum = 0.0f;
            for (int k = 0; k < K; ++k)
                sum += upCoef[p + k * L] * upHistory[k];
            out[p] = sum;
        }
        out += L;
    }
    return n * L;
}

int PolyphaseResampler::decimate (const float* input, int n, float* output)
{
    const int M = downFactor;
    const int N = downTaps;
    int produced = 0;
    for (int start = 0; M > 0 && n - start >= M; start += M)
    {
        for (int j = N - 1; j >= M; --j)
            downHistory[j] = downHistory[j - M];
        for (int i = 0; i < M; ++i)   // newest at entry 0
            if (M - 1 - i < N)
                downHistory[M - 1 - i] = input[start + i];
        float sum = 0.0f;
        for (int k = 0; k < N; ++k)
            sum += downCoef[k] * downHistory[k];
        output[produced++] = sum;
    }
    return produced;
}

void PolyphaseResampler::clear ()
{
    std::fill (std::begin (upHistory), std::end (upHistory), 0.0f);
    std::fill (std::begin (downHistory), std::end (downHistory), 0.0f);
}

bool PolyphaseResampler::historyIsFinite () const
{
    float sum = 0.0f;
    for (int k = 0; k < kMaxTaps; ++k)
        sum += upHistory[k] * 0.0f + downHistory[k] * 0.0f;
    return sum == 0.0f;
}
