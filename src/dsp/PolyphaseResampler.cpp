// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/PolyphaseResampler.h"
#include "dsp/LeastSquaresLowpass.h"
#include <algorithm>
#include <iterator>
#include <cmath>
#include <cstring>

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

// Straightforward form: shift the history by one, then one sequential sum per phase.
int PolyphaseResampler::interpolateReference (const float* input, int n, float* output)
{
    const int L = upFactor;
    const int K = upTapsPerPhase;
    float* out = output;
    for (int i = 0; i < n; ++i)
    {
        for (int k = K - 1; k > 0; --k)
            upHistory[k] = upHistory[k - 1];
        upHistory[0] = input[i];
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

// Same sums in the same order as interpolateReference; the history is read from a
// time-ordered window, and the phases run side by side (each still sums over k in order).
int PolyphaseResampler::interpolate (const float* input, int n, float* output)
{
    const int L = upFactor;
    const int K = upTapsPerPhase;
    if (L > kMaxTaps || K < 1)
        return interpolateReference (input, n, output);
    constexpr int kChunk = 256;
    float window[kMaxTaps + kChunk];   // oldest first
    float* out = output;
    for (int start = 0; start < n; start += kChunk)
    {
        const int count = std::min (kChunk, n - start);
        // window[K - 1 - k] holds history entry k before this chunk's first sample.
        for (int k = 0; k < K - 1; ++k)
            window[K - 2 - k] = upHistory[k];
        std::copy (input + start, input + start + count, window + K - 1);
        if (L % 4 == 0)
        {
            interpolateFourPhasesAtATime (window + K - 1, count, out);
            out += count * L;
        }
        else
        {
            for (int i = 0; i < count; ++i)
            {
                const float* newest = window + K - 1 + i;   // history entry k at newest[-k]
                float sums[kMaxTaps];
                for (int p = 0; p < L; ++p)
                    sums[p] = upCoef[p] * newest[0] + 0.0f;
                for (int k = 1; k < K; ++k)
                {
                    const float x = newest[-k];
                    const float* coef = upCoef + k * L;
                    for (int p = 0; p < L; ++p)
                        sums[p] += coef[p] * x;
                }
                for (int p = 0; p < L; ++p)
                    out[p] = sums[p];
                out += L;
            }
        }
        const float* newest = window + K - 1 + count - 1;
        for (int k = 0; k < K; ++k)
            upHistory[k] = newest[-k];
    }
    return n * L;
}

namespace {

using FourFloats = float __attribute__ ((vector_size (16)));

inline FourFloats loadFour (const float* p)
{
    FourFloats v;
    std::memcpy (&v, p, sizeof v);
    return v;
}

inline void storeFour (float* p, FourFloats v)
{
    std::memcpy (p, &v, sizeof v);
}

}   // namespace

// The phases of interpolate four at a time in the lanes of one vector; each lane sums over k
// in order, exactly as the scalar form. newest[i] is input i, newest[i - k] its k-th predecessor.
void PolyphaseResampler::interpolateFourPhasesAtATime (const float* newest, int count,
                                                       float* out) const
{
    const int L = upFactor;
    const int K = upTapsPerPhase;
    for (int i = 0; i < count; ++i)
    {
        const float* x = newest + i;
        for (int p = 0; p < L; p += 4)
        {
            FourFloats sum = loadFour (upCoef + p) * x[0] + 0.0f;
            for (int k = 1; k < K; ++k)
                sum += loadFour (upCoef + k * L + p) * x[-k];
            storeFour (out + p, sum);
        }
        out += L;
    }
}

// Four outputs at a time from the phase-split window (see decimate), with the factor and the
// tap count fixed so every offset is a constant. Returns the number of outputs written.
template <int M, int N>
int PolyphaseResampler::decimateFourGroupsAtATime (const float* phases, int stride, int groups,
                                                   float* output) const
{
    FourFloats coef[N];
    for (int k = 0; k < N; ++k)
        coef[k] = FourFloats {} + downCoef[k];
    int g = 0;
    for (; g + 4 <= groups; g += 4)
    {
        FourFloats sum = {0.0f, 0.0f, 0.0f, 0.0f};
#pragma GCC unroll 80
        for (int k = 0; k < N; ++k)
        {
            constexpr int first = N - 1 + M;   // output 0's entry k is window[first - k]
            const int i = first - k;
            sum += coef[k] * loadFour (phases + (i % M) * stride + i / M + g);
        }
        storeFour (output + g, sum);
    }
    return g;
}

// Straightforward form: shift the history by M, insert M samples, one sequential sum.
int PolyphaseResampler::decimateReference (const float* input, int n, float* output)
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

// Same sums in the same order as decimateReference, read from a time-ordered window instead
// of a shifted history, four outputs at a time in the lanes of one vector.
int PolyphaseResampler::decimate (const float* input, int n, float* output)
{
    const int M = downFactor;
    const int N = downTaps;
    if (M <= 0 || M > kMaxTaps)
        return decimateReference (input, n, output);
    constexpr int kChunkSamples = 1024;
    float window[kMaxTaps + kChunkSamples];   // oldest first; 4.4 kB of stack
    float phases[kMaxTaps + kChunkSamples + 4 * kMaxTaps];   // window split by phase, padded
    const int chunkGroups = std::max (1, kChunkSamples / M);
    int produced = 0;
    int groupsLeft = n / M;
    const float* in = input;
    while (groupsLeft > 0)
    {
        const int groups = std::min (groupsLeft, chunkGroups);
        // window[N - 1 - k] holds history entry k; the chunk's inputs follow in time order.
        for (int k = 0; k < N; ++k)
            window[N - 1 - k] = downHistory[k];
        std::copy (in, in + groups * M, window + N);
        // Output g sees entry k at window[N - 1 + (g + 1) M - k]. Split into M phases
        // (phase r holds window[r], window[r + M], ...), the entries that four consecutive
        // outputs see for one k lie side by side, so four outputs share each packed step.
        const int total = N + groups * M;
        const int stride = total / M + 4;
        for (int r = 0; r < M; ++r)
            for (int q = 0, i = r; i < total; ++q, i += M)
                phases[r * stride + q] = window[i];
        int g = 0;
        if (M == 4 && N == 20)   // the usual factor: offsets known at compile time
            g = decimateFourGroupsAtATime<4, 20> (phases, stride, groups, output + produced);
        else if (M == 2 && N == 10)
            g = decimateFourGroupsAtATime<2, 10> (phases, stride, groups, output + produced);
        else
        {
            int offsets[kMaxTaps];   // where output 0's entry k sits in the phases
            for (int k = 0; k < N; ++k)
            {
                const int i = N - 1 + M - k;
                offsets[k] = (i % M) * stride + i / M;
            }
            for (; g + 4 <= groups; g += 4)
            {
                FourFloats sum = {0.0f, 0.0f, 0.0f, 0.0f};
                for (int k = 0; k < N; ++k)
                    sum += downCoef[k] * loadFour (phases + offsets[k] + g);
                storeFour (output + produced + g, sum);
            }
        }
        for (; g < groups; ++g)
        {
            const float* w = window + N - 1 + (g + 1) * M;
            float sum = 0.0f;
            for (int k = 0; k < N; ++k)
                sum += downCoef[k] * w[-k];
            output[produced + g] = sum;
        }
        // The newest N samples become the history, newest at entry 0.
        const float* newest = window + N - 1 + groups * M;
        for (int k = 0; k < N; ++k)
            downHistory[k] = newest[-k];
        produced += groups;
        in += groups * M;
        groupsLeft -= groups;
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
