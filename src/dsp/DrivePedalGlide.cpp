// SPDX-License-Identifier: GPL-3.0-or-later
// The glide path of the drive-pedal engine: while controls move, both channels still run in the
// lanes of packed vectors. Channel 1's samples see the control steps that follow all of channel
// 0's, as in the per-channel order, so the controls are first stepped through channel 0's
// samples to find where channel 1 starts; then two copies of the control records step side by
// side, lane 0 from the block's start and lane 1 from there, and each lane's sections take that
// lane's designs. Designs are pure functions of the control values, so every lane sees exactly
// the coefficients, and gives exactly the samples, of the per-channel path.
// Stages the chain does not run are designed once at the end of the block, from the control
// values of their last design in it: nothing reads them in between, so they end the block with
// the coefficients the per-channel path leaves.
#include "dsp/CMVXDrivePedalsSimulationDSP.h"
#include "dsp/CMVXSVDiodeLimiterSimulation.h"
#include "dsp/DiodeLimiterStereoPass.h"
#include "dsp/StereoChainPasses.h"

// Control values of the latest design of each kind; designs flags which ones ran at all.
struct CMVXDrivePedalsSimulationDSP::LastDesigns
{
    uint32_t designs = 0;
    float p1 = 0, p2 = 0, p3 = 0, p4 = 0, p5 = 0, p6 = 0;
};

void CMVXDrivePedalsSimulationDSP::recordDesigns (LastDesigns& last, uint32_t designs,
                                                  const Control (&c)[kControlCount]) const
{
    last.designs |= designs;
    if (designs & kDesignDrive)
        last.p1 = c[kP1].current;
    if (designs & (kDesignTone | kDesignBassTreble))
        last.p3 = c[kP3].current;
    if (designs & kDesignBassTreble)
        last.p4 = c[kP4].current;
    if (designs & kDesignLevel)
        last.p2 = c[kP2].current;
    if (designs & kDesignMid)
    {
        last.p5 = c[kP5].current;
        last.p6 = c[kP6].current;
    }
}

// The member sections end with the latest design of the block.
void CMVXDrivePedalsSimulationDSP::applyLastDesigns (const LastDesigns& last)
{
    if (last.designs & kDesignDrive)
        designDrive (last.p1, sections.drive);
    if ((last.designs & kDesignDrive) && traits->diodes.gainPotIsR3 && limiter)
        configureLimiter (*limiter, last.p1);
    if (last.designs & kDesignTone)
        designTone (last.p3, sections.tone);
    if (last.designs & kDesignBassTreble)
        designBassTreble (last.p3, last.p4, sections.bassTreble);
    if (last.designs & kDesignLevel)
        designLevel (last.p2, sections.level);
    if (last.designs & kDesignMid)
        designMid (last.p5, last.p6, sections.mid);
}

// Audio thread. Where the gain pot is part of the diode network, each lane also retunes its own
// copy of the network's coefficients from a scratch limiter.
template <PedalModel Model>
inline __attribute__ ((always_inline)) void
CMVXDrivePedalsSimulationDSP::glideLanes (const float* const* in, float* const* out, int n)
{
    constexpr const PedalTraits& modelTraits = pedalTraits (Model);
    constexpr bool usesDrive = modelTraits.has (PedalSection::drive);
    constexpr bool usesTone = modelTraits.has (PedalSection::tone);
    constexpr bool usesLevel = modelTraits.has (PedalSection::level);
    constexpr bool isMetal = modelTraits.has (PedalSection::bassTreble);
    constexpr bool retunesDiodes = modelTraits.diodes.gainPotIsR3;
    constexpr uint32_t pairable = (usesDrive ? uint32_t (kDesignDrive) : 0u)
                                  | (isMetal ? kDesignBassTreble | kDesignMid : 0u);

    // Lane 1 starts where channel 0's steps leave the controls, with the designs made so far.
    Control lane0[kControlCount];
    Control lane1[kControlCount];
    for (int k = 0; k < kControlCount; ++k)
        lane0[k] = lane1[k] = controls[k];
    bool force0 = forceRedesign;
    bool force1 = forceRedesign;
    LastDesigns last;
    // Channel 0's steps are kept where there is room, so lane 0 replays them.
    ControlStep* steps =
        static_cast<size_t> (n) <= channel0Steps.size () ? channel0Steps.data () : nullptr;
    for (int i = 0; i < n; ++i)
    {
        const uint32_t designs = stepControls (lane1, force1);
        recordDesigns (last, designs, lane1);
        if (steps != nullptr)
        {
            steps[i].designs = designs;
            for (int k = 0; k < kControlCount; ++k)
                steps[i].current[k] = lane1[k].current;
        }
    }

    // Each lane's current coefficients; lane 1's start with the designs made so far.
    PedalSections lane0Sections = sections;
    PedalSections lane1Sections = sections;
    // One lane's designs for the step it has just taken; returns which sections changed.
    auto designLane = [&] (uint32_t designs, const Control (&c)[kControlCount],
                           PedalSections& lane) {
        uint32_t changed = 0;
        if (usesDrive && (designs & kDesignDrive) && designDrive (c[kP1].current, lane.drive))
            changed |= kDesignDrive;
        if (usesTone && (designs & kDesignTone) && designTone (c[kP3].current, lane.tone))
            changed |= kDesignTone;
        if (usesLevel && (designs & kDesignLevel) && designLevel (c[kP2].current, lane.level))
            changed |= kDesignLevel;
        if (isMetal && (designs & kDesignBassTreble)
            && designBassTreble (c[kP3].current, c[kP4].current, lane.bassTreble))
            changed |= kDesignBassTreble;
        if (isMetal && (designs & kDesignMid)
            && designMid (c[kP5].current, c[kP6].current, lane.mid))
            changed |= kDesignMid;
        return changed;
    };
    if (usesDrive && (last.designs & kDesignDrive))
        designDrive (last.p1, lane1Sections.drive);
    if (usesTone && (last.designs & kDesignTone))
        designTone (last.p3, lane1Sections.tone);
    if (usesLevel && (last.designs & kDesignLevel))
        designLevel (last.p2, lane1Sections.level);
    if (isMetal && (last.designs & kDesignBassTreble))
        designBassTreble (last.p3, last.p4, lane1Sections.bassTreble);
    if (isMetal && (last.designs & kDesignMid))
        designMid (last.p5, last.p6, lane1Sections.mid);

    const float* in0 = in[0];
    const float* in1 = in[1];
    float* out0 = out[0];
    float* out1 = out[1];
    {
        CMVXSVDiodeLimiterSimulation::StereoPass diodes (*limiter);
        StereoChainPasses chain (sections, &diodes);
        // Lanes take their own coefficients where the section's designs follow the controls.
        auto setLanes = [&](uint32_t changed) __attribute__ ((always_inline))
        {
            if (changed & kDesignDrive)
                chain.passes.drive.setLanes (lane0Sections.drive, lane1Sections.drive);
            if (changed & kDesignTone)
                chain.passes.tone.setLanes (lane0Sections.tone, lane1Sections.tone);
            if (changed & kDesignLevel)
                chain.passes.level.setLanes (lane0Sections.level, lane1Sections.level);
            if (changed & kDesignBassTreble)
                chain.passes.bassTreble.setLanes (lane0Sections.bassTreble,
                                                  lane1Sections.bassTreble);
            if (changed & kDesignMid)
                chain.passes.mid.setLanes (lane0Sections.mid, lane1Sections.mid);
        };
        setLanes (kDesignDrive | kDesignTone | kDesignLevel | kDesignBassTreble | kDesignMid);
        auto tuneDiodes = [&] (int lane, float p1) {
            configureLimiter (*laneTuning, p1);
            diodes.tuneLane (lane, *laneTuning);
        };
        if (retunesDiodes && (last.designs & kDesignDrive))
            tuneDiodes (1, last.p1);
        for (int i = 0; i < n; ++i)
        {
            uint32_t designs0;
            if (steps != nullptr)
            {
                designs0 = steps[i].designs;
                for (int k = 0; k < kControlCount; ++k)
                    lane0[k].current = steps[i].current[k];   // all its designs read
            }
            else
                designs0 = stepControls (lane0, force0);
            const uint32_t designs1 = stepControls (lane1, force1);
            recordDesigns (last, designs1, lane1);
            // Designs both lanes need run two at a time where the processor allows.
            const uint32_t paired = useAvx2 ? designs0 & designs1 & pairable : 0u;
            if (paired & kDesignDrive)
                designDrivePair (lane0[kP1].current, lane1[kP1].current, lane0Sections.drive,
                                 lane1Sections.drive);
            if (paired & kDesignBassTreble)
                designBassTreblePair (lane0[kP3].current, lane0[kP4].current, lane1[kP3].current,
                                      lane1[kP4].current, lane0Sections.bassTreble,
                                      lane1Sections.bassTreble);
            if (paired & kDesignMid)
                designMidPair (lane0[kP5].current, lane0[kP6].current, lane1[kP5].current,
                               lane1[kP6].current, lane0Sections.mid, lane1Sections.mid);
            setLanes (paired | designLane (designs0 & ~paired, lane0, lane0Sections)
                      | designLane (designs1 & ~paired, lane1, lane1Sections));

            if (retunesDiodes && (designs0 & kDesignDrive))
                tuneDiodes (0, lane0[kP1].current);
            if (retunesDiodes && (designs1 & kDesignDrive))
                tuneDiodes (1, lane1[kP1].current);

            const TwoDoubles levelKnob = {lane0[kP2].current, lane1[kP2].current};
            const TwoFloats o = chain.sample<Model> (TwoFloats {in0[i], in1[i]}, levelKnob);
            out0[i] = o[0];
            out1[i] = o[1];
        }
    }   // the limiter's states go back here, the sections' when the function returns

    for (int k = 0; k < kControlCount; ++k)
        controls[k] = lane1[k];
    forceRedesign = force1;
    applyLastDesigns (last);
}

template <PedalModel Model>
void CMVXDrivePedalsSimulationDSP::runStereoGlide (const float* const* in, float* const* out, int n)
{
    glideLanes<Model> (in, out, n);
}

// VEX encodings without fused multiply-add: the same results bit for bit (see the steady loop).
template <PedalModel Model>
__attribute__ ((target ("avx2"))) void
CMVXDrivePedalsSimulationDSP::runStereoGlideAvx2 (const float* const* in, float* const* out, int n)
{
    glideLanes<Model> (in, out, n);
}

// The chains' model selection (DrivePedalChains.cpp) takes these for every model.
#define OVERMOOR_GLIDE_FORMS(model)                                                                \
    template void CMVXDrivePedalsSimulationDSP::runStereoGlide<model> (const float* const*,        \
                                                                       float* const*, int);        \
    template void CMVXDrivePedalsSimulationDSP::runStereoGlideAvx2<model> (const float* const*,    \
                                                                           float* const*, int);
OVERMOOR_GLIDE_FORMS (PedalModel::trebleBooster)
OVERMOOR_GLIDE_FORMS (PedalModel::xxlDistortionPlus)
OVERMOOR_GLIDE_FORMS (PedalModel::batDistortion)
OVERMOOR_GLIDE_FORMS (PedalModel::overDrive)
OVERMOOR_GLIDE_FORMS (PedalModel::superDrive)
OVERMOOR_GLIDE_FORMS (PedalModel::nineScreamer)
OVERMOOR_GLIDE_FORMS (PedalModel::eightOhEightScreamer)
OVERMOOR_GLIDE_FORMS (PedalModel::metalTone)
