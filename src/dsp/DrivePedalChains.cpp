// SPDX-License-Identifier: GPL-3.0-or-later
// The eight per-model signal chains of the drive-pedal engine, one template per model so each
// chain compiles to a straight sequence of sections without per-sample dispatch.
#include "dsp/CMVXDSPAlgInterface.h"
#include "dsp/CMVXDrivePedalsSimulationDSP.h"
#include "dsp/CMVXSVDiodeLimiterSimulation.h"
#include "dsp/DiodeLimiterStereoPass.h"
#include "dsp/PedalChain.h"
#include "dsp/StereoChainPasses.h"
#include <algorithm>

// One sample of one channel through the model's chain.
template <PedalModel Model>
inline float CMVXDrivePedalsSimulationDSP::chainSample (float x, int c)
{
    ChannelStages stages {sections, limiter.get (), c};
    return runChain<Model> (stages, x, controls[kP2].current);
}

// Audio thread. The straightforward path: one control step per sample, channel by channel.
template <PedalModel Model>
void CMVXDrivePedalsSimulationDSP::runChannel (const float* in, float* out, int n, int c)
{
    for (int i = 0; i < n; ++i)
    {
        CMVXDrivePedalsSimulationDSP::advanceControls ();
        out[i] = chainSample<Model> (in[i], c);
    }
}

namespace {

// Frames per chunk where the diodes run apart from the sections around them: their values in
// between fit in the first-level cache.
constexpr int kChunk = 64;

template <PedalModel Model>
inline __attribute__ ((always_inline)) void
steadyLoop (StereoChainPasses& chain, const float* const* in, float* const* out, int n, float level)
{
    const float* in0 = in[0];
    const float* in1 = in[1];
    float* out0 = out[0];
    float* out1 = out[1];
    const TwoDoubles levelKnob = TwoDoubles {} + static_cast<double> (level);
    for (int i = 0; i < n; ++i)
    {
        const TwoFloats o = chain.sample<Model> (TwoFloats {in0[i], in1[i]}, levelKnob);
        out0[i] = o[0];
        out1[i] = o[1];
    }
}

// Diodes to ground on a pre-blended curve leave a short recursion that the linear sections
// around it would crowd out of the processor's reordering window. So per chunk of frames the
// sections before the diodes, the diodes and the sections after them run as three phases, those
// of neighbouring chunks side by side in one loop: chunk k's sections before the diodes, chunk
// k - 1's diodes and chunk k - 2's sections after them, and the processor fills the diodes' waits
// with the sections' work. Each section and
// the diodes still take their frames in order, so the samples are those of the plain loop.
template <PedalModel Model>
inline __attribute__ ((always_inline)) void
pipelinedSteadyLoop (StereoChainPasses& chain,
                     CMVXSVDiodeLimiterSimulation::StereoPass::CurveLanes& diodes,
                     const float* const* in, float* const* out, int n, float level)
{
    constexpr int kDiodes = diodeStepOf (Model);
    constexpr int kLength = pedalTraits (Model).chain.length;
    const float* in0 = in[0];
    const float* in1 = in[1];
    float* out0 = out[0];
    float* out1 = out[1];
    const TwoDoubles levelKnob = TwoDoubles {} + static_cast<double> (level);
    TwoDoubles toDiodes[kChunk], fromDiodes[kChunk];
    const int chunks = (n + kChunk - 1) / kChunk;
    auto size = [n, chunks] (int k) {
        return k < 0 || k >= chunks ? 0 : std::min (kChunk, n - k * kChunk);
    };
    for (int k = 0; k < chunks + 2; ++k)
    {
        const int before = size (k), diodesCount = size (k - 1), after = size (k - 2);
        const int m = std::max ({before, diodesCount, after});
        const int inStart = k * kChunk, outStart = (k - 2) * kChunk;
        for (int i = 0; i < m; ++i)
        {
            if (i < after)
            {
                const TwoFloats o = chainOutput<Model, StereoChainPasses> (
                    runChainSections<Model, kDiodes + 1, kLength> (chain, fromDiodes[i]),
                    levelKnob);
                out0[outStart + i] = o[0];
                out1[outStart + i] = o[1];
            }
            if (i < diodesCount)
                fromDiodes[i] = diodes.step (toDiodes[i]);
            if (i < before)
                toDiodes[i] = toDouble (runChainSections<Model, 0, kDiodes> (
                    chain, TwoFloats {in0[inStart + i], in1[inStart + i]}));
        }
    }
}

}   // namespace

// Audio thread. Only while no control moves and no redesign is forced: every control step
// of the block would then be a no-op, so both channels share one loop, each in one lane of
// packed arithmetic (the same operations as chainSample, lane by lane).
template <PedalModel Model>
inline __attribute__ ((always_inline)) void
CMVXDrivePedalsSimulationDSP::steadyLanes (const float* const* in, float* const* out, int n)
{
    if constexpr (!pedalTraits (Model).has (PedalSection::diodes))   // the limiter may not exist
    {
        StereoChainPasses chain (sections, nullptr);
        steadyLoop<Model> (chain, in, out, n, controls[kP2].current);
    }
    else
    {
        CMVXSVDiodeLimiterSimulation::StereoPass diodes (*limiter);
        StereoChainPasses chain (sections, &diodes);
        if constexpr (pedalTraits (Model).diodes.mode
                      == CMVXSVDiodeLimiterSimulation::kDiodesToGround)
        {
            auto lanes = diodes.curveLanes ();
            if (lanes.curve != nullptr)
            {
                pipelinedSteadyLoop<Model> (chain, lanes, in, out, n, controls[kP2].current);
                diodes.keep (lanes);
            }
            else   // a rate without a prepared curve
                steadyLoop<Model> (chain, in, out, n, controls[kP2].current);
        }
        else
            steadyLoop<Model> (chain, in, out, n, controls[kP2].current);
    }
}

template <PedalModel Model>
void CMVXDrivePedalsSimulationDSP::runStereoSteady (const float* const* in, float* const* out,
                                                    int n)
{
    steadyLanes<Model> (in, out, n);
}

// The same operations with VEX encodings: three-operand instructions need no register copies.
// No fused multiply-add exists at this target level, so every result is the same bit for bit.
template <PedalModel Model>
__attribute__ ((target ("avx2"))) void
CMVXDrivePedalsSimulationDSP::runStereoSteadyAvx2 (const float* const* in, float* const* out, int n)
{
    steadyLanes<Model> (in, out, n);
}

template <PedalModel Model>
void CMVXDrivePedalsSimulationDSP::selectChainOf ()
{
    using E = CMVXDrivePedalsSimulationDSP;
    processFn = &E::runChannel<Model>;
    processStereoFn = useAvx2 ? &E::runStereoSteadyAvx2<Model> : &E::runStereoSteady<Model>;
    processGlideFn = useAvx2 ? &E::runStereoGlideAvx2<Model> : &E::runStereoGlide<Model>;
}

void CMVXDrivePedalsSimulationDSP::selectChain ()
{
    switch (model)
    {
        case PedalModel::trebleBooster: return selectChainOf<PedalModel::trebleBooster> ();
        case PedalModel::xxlDistortionPlus: return selectChainOf<PedalModel::xxlDistortionPlus> ();
        case PedalModel::batDistortion: return selectChainOf<PedalModel::batDistortion> ();
        case PedalModel::overDrive: return selectChainOf<PedalModel::overDrive> ();
        case PedalModel::superDrive: return selectChainOf<PedalModel::superDrive> ();
        case PedalModel::nineScreamer: return selectChainOf<PedalModel::nineScreamer> ();
        case PedalModel::eightOhEightScreamer:
            return selectChainOf<PedalModel::eightOhEightScreamer> ();
        case PedalModel::metalTone: return selectChainOf<PedalModel::metalTone> ();
    }
}

// Audio thread.
void CMVXDrivePedalsSimulationDSP::runChains (const float* const* in, float* const* out, int n)
{
    if (stereoFastPath && !controlsWouldAct ())
    {
        (this->*processStereoFn) (in, out, n);
        return;
    }
    if (stereoFastPath && limiter)   // a diode stage exists whenever a model needs one
    {
        (this->*processGlideFn) (in, out, n);
        return;
    }
    (this->*processFn) (in[0], out[0], n, 0);
    (this->*processFn) (in[1], out[1], n, 1);
}
