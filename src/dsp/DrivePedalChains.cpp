// SPDX-License-Identifier: GPL-3.0-or-later
// The eight per-model signal chains of the drive-pedal engine, one template per model so each
// chain compiles to a straight sequence of sections without per-sample dispatch.
#include "dsp/CMVXDSPAlgInterface.h"
#include "dsp/CMVXDrivePedalsSimulationDSP.h"
#include "dsp/CMVXSVDiodeLimiterSimulation.h"
#include "dsp/DiodeLimiterStereoPass.h"
#include "dsp/StereoChainPasses.h"

// One sample of one channel through the model's chain. The early sections run in single
// precision, the limiter and the later sections in double.
template <PedalModel Model>
inline float CMVXDrivePedalsSimulationDSP::chainSample (float x, int c)
{
    const auto ch = static_cast<uint32_t> (c);
    if constexpr (Model == PedalModel::trebleBooster)   // "Treble Booster"
    {
        const float y = inputStage.processFlushed<3> (x, c);
        return static_cast<float> (y * 0.3);
    }
    else if constexpr (Model == PedalModel::xxlDistortionPlus)   // "XXL Distortion+"
    {
        float y = inputStage.processFlushed<2> (x, c);
        y = driveStage.process<1> (y, c);
        const double d = limiter->processSample (y, ch);
        return static_cast<float> (levelStage.process<1> (d, c));
    }
    else if constexpr (Model == PedalModel::batDistortion)   // "BAT Distortion"
    {
        float y = inputStage.processFlushed<3> (x, c);
        y = driveStage.process<3> (y, c);
        const double d = limiter->processSample (y, ch);
        const float t = toneStage.process<3> (static_cast<float> (d), c);
        return static_cast<float> (levelStage.process<1> (t, c));
    }
    else if constexpr (Model == PedalModel::overDrive)   // "Over Drive"
    {
        const float y = inputStage.processFlushed<2> (x, c);
        const double d = limiter->processSample (y, ch);
        const float t = toneStage.process<3> (static_cast<float> (d), c);
        return static_cast<float> (levelStage.process<1> (t, c));
    }
    else if constexpr (Model == PedalModel::superDrive || Model == PedalModel::nineScreamer
                       || Model == PedalModel::eightOhEightScreamer)   // "Super Drive", "9 Screamer", "808 Screamer"
    {
        const float y = inputStage.processFlushed<2> (x, c);
        const double d = limiter->processSample (y, ch);
        const float t = toneStage.process<3> (static_cast<float> (d), c);
        return static_cast<float> (levelStage.process<3> (t, c));
    }
    else   // "Metal Tone"
    {
        const float y = inputStage.processFlushed<3> (x, c);
        const double pre = metalPreStage.process<3> (y, c);
        const float drive = driveStageMetal.process<3> (static_cast<float> (pre), c);
        double v = limiter->processSample (drive, ch);
        v = metalPostStage.process<2> (v, c);
        v = metalFilterStage.process<5> (v, c);
        v = metalBassTrebleStage.process<3> (v, c);
        v = metalMidStage.process<4> (v, c);
        return static_cast<float> (v * controls[kP2].current);
    }
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

// Audio thread. Only while no control moves and no redesign is forced: every control step
// of the block would then be a no-op, so both channels share one loop, each in one lane of
// packed arithmetic (the same operations as chainSample, lane by lane).
template <PedalModel Model>
inline __attribute__ ((always_inline)) void
CMVXDrivePedalsSimulationDSP::steadyLanes (const float* const* in, float* const* out, int n)
{
    const float* in0 = in[0];
    const float* in1 = in[1];
    float* out0 = out[0];
    float* out1 = out[1];
    if constexpr (Model == PedalModel::trebleBooster)   // "Treble Booster" needs no diode stage, which may not exist
    {
        StageSectionPass<3, float> input (inputStage);
        for (int i = 0; i < n; ++i)
        {
            const TwoFloats o = toFloat (toDouble (input.processFlushed<3> (TwoFloats {in0[i], in1[i]})) * 0.3);
            out0[i] = o[0];
            out1[i] = o[1];
        }
    }
    else
    {
        CMVXSVDiodeLimiterSimulation::StereoPass diodes (*limiter);
        StereoChainPasses chain {inputStage, Model == PedalModel::metalTone ? driveStageMetal : driveStage, toneStage,
                                 levelStage, metalPreStage, metalPostStage, metalFilterStage,
                                 metalBassTrebleStage, metalMidStage};
        const TwoDoubles levelGain = TwoDoubles {} + static_cast<double> (controls[kP2].current);
        for (int i = 0; i < n; ++i)
        {
            const TwoFloats o = chain.sample<Model> (TwoFloats {in0[i], in1[i]}, diodes, levelGain);
            out0[i] = o[0];
            out1[i] = o[1];
        }
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
