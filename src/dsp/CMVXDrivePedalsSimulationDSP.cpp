// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/CMVXDrivePedalsSimulationDSP.h"
#include "dsp/AudioTaper.h"
#include "dsp/CMVXSVDiodeLimiterSimulation.h"
#include "dsp/OversamplingFactor.h"
#include "dsp/PedalStageDesigns.h"
#include "params/CMVXParamTable.h"
#include <algorithm>
#include <cmath>
#include <new>

// Plain values: Effect State, Model, Parameter 1 … Parameter 6.
const CMVXPresetRecord CMVXDrivePedalsSimulationDSP::kFactoryPresets[kPedalModelCount] = {
    {"Torvin's Booster", {1, 0, 42.5f, 100, 81.6f, 18, 61.8f, 32.5f}},
    {"Ossik's Riff", {1, 1, 61.8f, 100, 100, 16, 67, 35}},
    {"Rock Distorion", {1, 2, 35.8f, 100, 21.4f, 16, 67, 35}},
    {"Crunch", {1, 3, 38.1f, 100, 64.5f, 16, 67, 35}},
    {"Rock Drive", {1, 4, 69.9f, 100, 35.25f, 16, 67, 35}},
    {"Full Drive", {1, 5, 100, 33.7f, 100, 16, 67, 35}},
    {"Kick the Amp", {1, 6, 0, 100, 35, 16, 67, 35}},
    {"Metal", {1, 7, 42.5f, 100, 81.6f, 18, 61.8f, 32.5f}},
};

namespace {

constexpr float kSmoothingSeconds = 0.09f;
constexpr float kStartBelowRange = -0.1f;   // forces every control to glide in from 0
constexpr float kMoveThreshold = 1e-4f;
constexpr size_t kMaxBufferFrames = 65536;   // larger blocks are processed in pieces

}   // namespace

CMVXDrivePedalsSimulationDSP::CMVXDrivePedalsSimulationDSP (double sampleRateHz,
                                                            uint32_t maxBlockSamples)
: CMVXDSPAlgInterface (sampleRateHz, maxBlockSamples)
{
    name = "Overmoor";
    category = "Overmoor";
    typeTag = 'ovrm';
    for (const auto& preset : kFactoryPresets)
        addFactoryPreset (preset);
    const CMVXParamTable table (0);
    for (const auto& entry : table.all ())
        parameters.emplace (entry.first, CMVXParameter (entry.second, this));
    applyPreset (0);
    for (int32_t id = 0; id < kParamCount; ++id)
        records[id] = findParameter (id);

    try
    {
        limiter = std::make_unique<CMVXSVDiodeLimiterSimulation> (sampleRateHz, 2);
        laneTuning = std::make_unique<CMVXSVDiodeLimiterSimulation> (sampleRateHz, 2);
    }
    catch (...)
    {
        limiter.reset ();   // models with a diode stage then pass audio through
    }
    designedModel.reset ();
    for (auto& control : controls)
        control = {kStartBelowRange, 0.0f, 0.0f};
    forceRedesign = true;
    oversampling = 1;
    designRateHz = sampleRateHz;
    useAvx2 = __builtin_cpu_supports ("avx2");
    selectChain ();
    prepareControlDesigns ();
    prepareProcessing ();
}

CMVXDrivePedalsSimulationDSP::~CMVXDrivePedalsSimulationDSP ()
{
    resetState ();
}

int CMVXDrivePedalsSimulationDSP::controlIndex (int knob)
{
    static const int slots[6] = {kP1, kP2, kP3, kP4, kP5, kP6};
    return slots[std::clamp (knob, 1, 6) - 1];
}

void CMVXDrivePedalsSimulationDSP::prepareProcessing ()
{
    const size_t frames =
        std::clamp<size_t> (maxBlockSize.load (std::memory_order_relaxed), 1, kMaxBufferFrames);
    const size_t needed = frames * kMaxOversampling;
    if (needed <= bufferCapacity)
        return;
    try
    {
        for (int c = 0; c < 2; ++c)
        {
            upBuffer[c].assign (needed, 0.0f);
            stageBuffer[c].assign (needed, 0.0f);
        }
        bufferCapacity = needed;
        channel0Steps.resize (needed);
    }
    catch (const std::bad_alloc&)
    {
        // Keep what fits in all four buffers; blocks are then processed in smaller pieces.
        bufferCapacity = std::min ({upBuffer[0].size (), upBuffer[1].size (),
                                    stageBuffer[0].size (), stageBuffer[1].size ()});
    }
}

bool CMVXDrivePedalsSimulationDSP::moves (const Control& control) const
{
    return std::fabs (control.target - control.current) > kMoveThreshold;
}

// y = b0·target + s;  s = b0·target·b1 − y·a1
void CMVXDrivePedalsSimulationDSP::step (Control& control) const
{
    const float u = control.target * smoothB0;
    const float y = u + control.smootherState;
    control.smootherState = u * smoothB1 - y * smoothA1;
    control.current = y;
}

// Mirrors the conditions of advanceControls: true when a call would change anything.
bool CMVXDrivePedalsSimulationDSP::controlsWouldAct () const
{
    if (forceRedesign || moves (controls[kP1]) || moves (controls[kP3]))
        return true;
    if (traits->has (PedalSection::bassTreble) && moves (controls[kP4]))
        return true;
    return moves (controls[kP2]) || moves (controls[kP5]) || moves (controls[kP6]);
}

// The control-dependent designs run here once per oversampled sample while a control glides.
void CMVXDrivePedalsSimulationDSP::advanceControls ()
{
    runDesigns (stepControls (controls, forceRedesign));
}

// One control step on the given control records: steps every moving control (all of them
// while a redesign is forced) and returns which designs that calls for.
uint32_t CMVXDrivePedalsSimulationDSP::stepControls (Control (&c)[kControlCount], bool& force) const
{
    uint32_t designs = 0;
    if (moves (c[kP1]) || force)
    {
        step (c[kP1]);
        designs |= kDesignDrive;
    }
    if (!traits->has (PedalSection::bassTreble))
    {
        if (moves (c[kP3]) || force)
        {
            step (c[kP3]);
            designs |= kDesignTone;
        }
    }
    else if (moves (c[kP3]) || moves (c[kP4]) || force)
    {
        step (c[kP3]);
        step (c[kP4]);
        designs |= kDesignBassTreble;
    }
    if (moves (c[kP2]) || force)
    {
        step (c[kP2]);
        designs |= kDesignLevel;
    }
    if (moves (c[kP5]) || moves (c[kP6]) || force)
    {
        step (c[kP5]);
        step (c[kP6]);
        designs |= kDesignMid;
    }
    force = false;
    return designs;
}

void CMVXDrivePedalsSimulationDSP::runDesigns (uint32_t designs)
{
    if (designs & kDesignDrive)
    {
        designDrive (controls[kP1].current, sections.drive);
        if (traits->diodes.gainPotIsR3)
            configureLimiter ();   // the gain pot sits in the diodes' feedback path
    }
    if (designs & kDesignTone)
        designTone (controls[kP3].current, sections.tone);
    if (designs & kDesignBassTreble)
        designBassTreble (controls[kP3].current, controls[kP4].current, sections.bassTreble);
    if (designs & kDesignLevel)
        designLevel (controls[kP2].current, sections.level);
    if (designs & kDesignMid)
        designMid (controls[kP5].current, controls[kP6].current, sections.mid);
}

void CMVXDrivePedalsSimulationDSP::configureLimiter ()
{
    if (limiter)
        configureLimiter (*limiter, controls[kP1].current);
}

// The model's diode network, with the gain pot (p1) where it is part of it.
void CMVXDrivePedalsSimulationDSP::configureLimiter (CMVXSVDiodeLimiterSimulation& target,
                                                     float p1) const
{
    if (!traits->has (PedalSection::diodes))
        return;
    const DiodeNetwork& n = traits->diodes;
    const double r3 = n.gainPotIsR3 ? audioTaper (p1) * n.r3Ohms : n.r3Ohms;
    target.configure (n.mode, n.r1Ohms, n.r2Ohms, r3, n.c1Farads, n.c2Farads);
}

void CMVXDrivePedalsSimulationDSP::designFixedStages ()
{
    DigitalCoefficients coefficients;
    pedal::designInputStage (model, designRateHz, coefficients);
    sections.input.setCoefficients (coefficients);
    if (traits->has (PedalSection::metalPre))
    {
        pedal::designMetalPreStage (designRateHz, coefficients);
        sections.metalPre.setCoefficients (coefficients);
        pedal::designMetalPostStage (designRateHz, coefficients);
        sections.metalPost.setCoefficients (coefficients);
        pedal::designMetalFilterStage (designRateHz, coefficients);
        sections.metalFilter.setCoefficients (coefficients);
    }
}

void CMVXDrivePedalsSimulationDSP::updateSettings (bool reinitialize)
{
    // Take the flags before reading what they announce: a write landing after this point
    // raises them again and is picked up at the next block.
    updatePending.exchange (false, std::memory_order_acquire);
    if (reinitialize)
        reinitPending.exchange (false, std::memory_order_acquire);

    const CMVXParameter* modelRecord = records[kParamModel];
    const double modelValue = (modelRecord ? modelRecord->getPlain () : 0.0) + 0.5;
    model = modelValue >= 1.0 ? static_cast<PedalModel> (
                static_cast<uint32_t> (std::min (modelValue, double (kPedalModelCount - 1))))
                              : PedalModel::trebleBooster;
    traits = &pedalTraits (model);
    const int knobSlots[6] = {kP1, kP2, kP3, kP4, kP5, kP6};
    for (int knob = 0; knob < 6; ++knob)
        if (const CMVXParameter* record = records[kParamKnob1 + knob])
            controls[knobSlots[knob]].target = static_cast<float> (record->getNormalized ());

    const double fs = sampleRate.load (std::memory_order_relaxed);
    setSmoothingTime (kSmoothingSeconds, fs);

    if (reinitialize)
    {
        resampler[0] = PolyphaseResampler ();
        resampler[1] = PolyphaseResampler ();
        oversampling = oversamplingFactorFor (fs);
        const int R = static_cast<int> (oversampling);
        if (R != 1)
        {
            for (int c = 0; c < 2; ++c)
            {
                resampler[c].configure (R, 5 * R, R, 5 * R);
                std::fill (upBuffer[c].begin (), upBuffer[c].end (), 0.0f);
                std::fill (stageBuffer[c].begin (), stageBuffer[c].end (), 0.0f);
            }
        }
        designRateHz = oversampling * fs;
        resetState ();
        if (limiter)
        {
            limiter->setSampleRate (designRateHz);
            laneTuning->setSampleRate (designRateHz);
        }
    }

    if (model != designedModel || reinitialize)
    {
        designFixedStages ();
        prepareControlDesigns ();
        selectChain ();
        configureLimiter ();
        clearSectionStates ();
    }
    designedModel = model;
    forceRedesign = true;
}

void CMVXDrivePedalsSimulationDSP::clearSectionStates ()
{
    sections.forEach ([] (auto& section) { section.clearState (); });
}

void CMVXDrivePedalsSimulationDSP::resetState ()
{
    clearSectionStates ();
    for (auto& control : controls)
    {
        control.current = kStartBelowRange;
        control.smootherState = 0.0f;
    }
    if (limiter)
        limiter->reset ();
    resampler[0].clear ();
    resampler[1].clear ();
}

bool CMVXDrivePedalsSimulationDSP::allSectionStatesZero () const
{
    bool zero = true;
    sections.forEach ([&zero] (const auto& section) {
        for (const auto& entry : section.state)
            zero = zero && entry[0] == 0 && entry[1] == 0;
    });
    return zero;
}
