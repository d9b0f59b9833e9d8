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
template <unsigned Model>
inline float CMVXDrivePedalsSimulationDSP::chainSample (float x, int c)
{
    const auto ch = static_cast<uint32_t> (c);
    if constexpr (Model == 0)   // "Treble Booster"
    {
        const float y = inputStage.processFlushed<3> (x, c);
        return static_cast<float> (y * 0.3);
    }
    else if constexpr (Model == 1)   // "XXL Distortion+"
    {
        float y = inputStage.processFlushed<2> (x, c);
        y = driveStage.process<1> (y, c);
        const double d = limiter->processSample (y, ch);
        return static_cast<float> (levelStage.process<1> (d, c));
    }
    else if constexpr (Model == 2)   // "BAT Distortion"
    {
        float y = inputStage.processFlushed<3> (x, c);
        y = driveStage.process<3> (y, c);
        const double d = limiter->processSample (y, ch);
        const float t = toneStage.process<3> (static_cast<float> (d), c);
        return static_cast<float> (levelStage.process<1> (t, c));
    }
    else if constexpr (Model == 3)   // "Over Drive"
    {
        const float y = inputStage.processFlushed<2> (x, c);
        const double d = limiter->processSample (y, ch);
        const float t = toneStage.process<3> (static_cast<float> (d), c);
        return static_cast<float> (levelStage.process<1> (t, c));
    }
    else if constexpr (Model >= 4 && Model <= 6)   // "Super Drive", "9 Screamer", "808 Screamer"
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
template <unsigned Model>
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
template <unsigned Model>
inline __attribute__ ((always_inline)) void
CMVXDrivePedalsSimulationDSP::steadyLanes (const float* const* in, float* const* out, int n)
{
    const float* in0 = in[0];
    const float* in1 = in[1];
    float* out0 = out[0];
    float* out1 = out[1];
    if constexpr (Model == 0)   // "Treble Booster" needs no diode stage, which may not exist
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
        StereoChainPasses chain {inputStage, Model == 7 ? driveStageMetal : driveStage, toneStage,
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

template <unsigned Model>
void CMVXDrivePedalsSimulationDSP::runStereoSteady (const float* const* in, float* const* out,
                                                    int n)
{
    steadyLanes<Model> (in, out, n);
}

// The same operations with VEX encodings: three-operand instructions need no register copies.
// No fused multiply-add exists at this target level, so every result is the same bit for bit.
template <unsigned Model>
__attribute__ ((target ("avx2"))) void
CMVXDrivePedalsSimulationDSP::runStereoSteadyAvx2 (const float* const* in, float* const* out, int n)
{
    steadyLanes<Model> (in, out, n);
}

void CMVXDrivePedalsSimulationDSP::selectChain ()
{
    using E = CMVXDrivePedalsSimulationDSP;
    struct ModelFns
    {
        ChannelFn channel;
        StereoFn steady, steadyAvx2, glide, glideAvx2;
    };
    static constexpr ModelFns kFns[8] = {
        {&E::runChannel<0>, &E::runStereoSteady<0>, &E::runStereoSteadyAvx2<0>,
         &E::runStereoGlide<0>, &E::runStereoGlideAvx2<0>},
        {&E::runChannel<1>, &E::runStereoSteady<1>, &E::runStereoSteadyAvx2<1>,
         &E::runStereoGlide<1>, &E::runStereoGlideAvx2<1>},
        {&E::runChannel<2>, &E::runStereoSteady<2>, &E::runStereoSteadyAvx2<2>,
         &E::runStereoGlide<2>, &E::runStereoGlideAvx2<2>},
        {&E::runChannel<3>, &E::runStereoSteady<3>, &E::runStereoSteadyAvx2<3>,
         &E::runStereoGlide<3>, &E::runStereoGlideAvx2<3>},
        {&E::runChannel<4>, &E::runStereoSteady<4>, &E::runStereoSteadyAvx2<4>,
         &E::runStereoGlide<4>, &E::runStereoGlideAvx2<4>},
        {&E::runChannel<5>, &E::runStereoSteady<5>, &E::runStereoSteadyAvx2<5>,
         &E::runStereoGlide<5>, &E::runStereoGlideAvx2<5>},
        {&E::runChannel<6>, &E::runStereoSteady<6>, &E::runStereoSteadyAvx2<6>,
         &E::runStereoGlide<6>, &E::runStereoGlideAvx2<6>},
        {&E::runChannel<7>, &E::runStereoSteady<7>, &E::runStereoSteadyAvx2<7>,
         &E::runStereoGlide<7>, &E::runStereoGlideAvx2<7>},
    };
    const ModelFns& fns = kFns[model < 8 ? model : 0];
    processFn = fns.channel;
    processStereoFn = useAvx2 ? fns.steadyAvx2 : fns.steady;
    processGlideFn = useAvx2 ? fns.glideAvx2 : fns.glide;
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
