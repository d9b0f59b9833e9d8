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
    static constexpr ChannelFn channelFns[8] = {
        &CMVXDrivePedalsSimulationDSP::runChannel<0>, &CMVXDrivePedalsSimulationDSP::runChannel<1>,
        &CMVXDrivePedalsSimulationDSP::runChannel<2>, &CMVXDrivePedalsSimulationDSP::runChannel<3>,
        &CMVXDrivePedalsSimulationDSP::runChannel<4>, &CMVXDrivePedalsSimulationDSP::runChannel<5>,
        &CMVXDrivePedalsSimulationDSP::runChannel<6>, &CMVXDrivePedalsSimulationDSP::runChannel<7>,
    };
    static constexpr StereoFn stereoFns[8] = {
        &CMVXDrivePedalsSimulationDSP::runStereoSteady<0>,
        &CMVXDrivePedalsSimulationDSP::runStereoSteady<1>,
        &CMVXDrivePedalsSimulationDSP::runStereoSteady<2>,
        &CMVXDrivePedalsSimulationDSP::runStereoSteady<3>,
        &CMVXDrivePedalsSimulationDSP::runStereoSteady<4>,
        &CMVXDrivePedalsSimulationDSP::runStereoSteady<5>,
        &CMVXDrivePedalsSimulationDSP::runStereoSteady<6>,
        &CMVXDrivePedalsSimulationDSP::runStereoSteady<7>,
    };
    static constexpr StereoFn glideFns[8] = {
        &CMVXDrivePedalsSimulationDSP::runStereoGlide<0>,
        &CMVXDrivePedalsSimulationDSP::runStereoGlide<1>,
        &CMVXDrivePedalsSimulationDSP::runStereoGlide<2>,
        &CMVXDrivePedalsSimulationDSP::runStereoGlide<3>,
        &CMVXDrivePedalsSimulationDSP::runStereoGlide<4>,
        &CMVXDrivePedalsSimulationDSP::runStereoGlide<5>,
        &CMVXDrivePedalsSimulationDSP::runStereoGlide<6>,
        &CMVXDrivePedalsSimulationDSP::runStereoGlide<7>,
    };
    static constexpr StereoFn stereoAvx2Fns[8] = {
        &CMVXDrivePedalsSimulationDSP::runStereoSteadyAvx2<0>,
        &CMVXDrivePedalsSimulationDSP::runStereoSteadyAvx2<1>,
        &CMVXDrivePedalsSimulationDSP::runStereoSteadyAvx2<2>,
        &CMVXDrivePedalsSimulationDSP::runStereoSteadyAvx2<3>,
        &CMVXDrivePedalsSimulationDSP::runStereoSteadyAvx2<4>,
        &CMVXDrivePedalsSimulationDSP::runStereoSteadyAvx2<5>,
        &CMVXDrivePedalsSimulationDSP::runStereoSteadyAvx2<6>,
        &CMVXDrivePedalsSimulationDSP::runStereoSteadyAvx2<7>,
    };
    const bool avx2 = useAvx2;
    const uint32_t index = model < 8 ? model : 0;
    processFn = channelFns[index];
    processStereoFn = avx2 ? stereoAvx2Fns[index] : stereoFns[index];
    static constexpr StereoFn glideAvx2Fns[8] = {
        &CMVXDrivePedalsSimulationDSP::runStereoGlideAvx2<0>,
        &CMVXDrivePedalsSimulationDSP::runStereoGlideAvx2<1>,
        &CMVXDrivePedalsSimulationDSP::runStereoGlideAvx2<2>,
        &CMVXDrivePedalsSimulationDSP::runStereoGlideAvx2<3>,
        &CMVXDrivePedalsSimulationDSP::runStereoGlideAvx2<4>,
        &CMVXDrivePedalsSimulationDSP::runStereoGlideAvx2<5>,
        &CMVXDrivePedalsSimulationDSP::runStereoGlideAvx2<6>,
        &CMVXDrivePedalsSimulationDSP::runStereoGlideAvx2<7>,
    };
    processGlideFn = avx2 ? glideAvx2Fns[index] : glideFns[index];
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
