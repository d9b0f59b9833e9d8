// SPDX-License-Identifier: GPL-3.0-or-later
// Block processing of the drive-pedal engine: settings updates, oversampling around the
// chains, bypass, and recovery from non-finite input. Everything here runs on the audio thread.
#include "dsp/CMVXDrivePedalsSimulationDSP.h"
#include "dsp/CMVXSVDiodeLimiterSimulation.h"
#include <algorithm>
#include <cmath>

namespace {

// A decaying tail below about -600 dBFS is silence. The double-precision late stages would
// otherwise hand it on through denormal floats into the decimator and the host's mixing.
constexpr float kSilenceFloor = 1e-30f;

void flushTinyOutput_rt (float* samples, int n)
{
    for (int i = 0; i < n; ++i)
    {
        const float x = samples[i];
        samples[i] =
            std::fabs (x) < kSilenceFloor ? 0.0f : x;   // NaN is kept for the recovery below
    }
}

}   // namespace

void CMVXDrivePedalsSimulationDSP::processAudio (float** inputs, float** outputs, float* inPeaks,
                                                 float* outPeaks, int32_t numSamples)
{
    inPeaks[0] = inPeaks[1] = 0.0f;
    outPeaks[0] = outPeaks[1] = 0.0f;
    const int n = std::max (numSamples, 0);
    if (bypassed.load (std::memory_order_relaxed)
        || (traits->has (PedalSection::diodes) && !limiter))
    {
        bypassCopy (inputs, outputs, inPeaks, outPeaks, n);
        return;
    }
    if (reinitPending.load (std::memory_order_acquire))
        updateSettings (true);
    if (updatePending.load (std::memory_order_relaxed))
        updateSettings (false);
    if (traits->has (PedalSection::diodes) && !limiter)   // a model with diodes was just selected
    {
        bypassCopy (inputs, outputs, inPeaks, outPeaks, n);
        return;
    }

    if (oversampling == 1)
        runChains (inputs, outputs, n);
    else
        runOversampled (inputs, outputs, n);
    flushTinyOutput_rt (outputs[0], n);
    flushTinyOutput_rt (outputs[1], n);
    recoverNonFiniteChannels ();
}

void CMVXDrivePedalsSimulationDSP::runOversampled (float** inputs, float** outputs, int n)
{
    const int R = static_cast<int> (oversampling);
    // Normally one piece; a block beyond the prepared size is split rather than overrun.
    const int piece = static_cast<int> (std::min<size_t> (bufferCapacity / R, 1u << 30));
    if (piece == 0)
        return;
    float* up[2] = {upBuffer[0].data (), upBuffer[1].data ()};
    float* stage[2] = {stageBuffer[0].data (), stageBuffer[1].data ()};
    for (int offset = 0; offset < n; offset += piece)
    {
        const int count = std::min (piece, n - offset);
        for (int c = 0; c < 2; ++c)
            resampler[c].interpolate (inputs[c] + offset, count, up[c]);
        runChains (up, stage, count * R);
        for (int c = 0; c < 2; ++c)
            resampler[c].decimate (stage[c], count * R, outputs[c] + offset);
    }
}

// A NaN or infinity that reached a recursion stays there for good. The states are checked
// once per block; a channel whose states are no longer finite is cleared, so output is
// finite again from the first block of finite input. The diode stage has no per-channel
// reset, so both of its channels restart.
void CMVXDrivePedalsSimulationDSP::recoverNonFiniteChannels ()
{
    for (int c = 0; c < 2; ++c)
    {
        bool finite = resampler[c].historyIsFinite ();
        sections.forEach (
            [&] (const auto& section) { finite = finite && section.stateIsFinite (c); });
        if (finite)
            continue;
        sections.forEach ([c] (auto& section) { section.clearState (c); });
        resampler[c].clear ();
        if (limiter)
            limiter->reset ();
    }
}

void CMVXDrivePedalsSimulationDSP::bypassCopy (float** inputs, float** outputs, float* inPeaks,
                                               float* outPeaks, int n)
{
    for (int c = 0; c < 2; ++c)
    {
        const float* in = inputs[c];
        float* out = outputs[c];
        float peak = 0.0f;
        for (int i = 0; i < n; ++i)
        {
            const float x = in[i];
            out[i] = x;
            peak = std::max (peak, std::fabs (x));
        }
        inPeaks[c] = peak;
        outPeaks[c] = peak;
    }
}
