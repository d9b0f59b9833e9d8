// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The eight pedal models and what each circuit is made of: its sections in signal order, the
// circuit tables of its linear stages, its diode network and its output gain. The engine, its
// stereo and glide paths, the stage designs and the tests all read this one table.
#include "dsp/CMVXSVDiodeLimiterSimulation.h"
#include "dsp/circuits/CircuitTables.h"
#include "params/CMVXParamTable.h"
#include <cstdint>

// In the order of the "Model" parameter's values.
enum class PedalModel : uint32_t
{
    trebleBooster,
    xxlDistortionPlus,
    batDistortion,
    overDrive,
    superDrive,
    nineScreamer,
    eightOhEightScreamer,
    metalTone,
};

constexpr PedalModel kAllPedalModels[kPedalModelCount] = {
    PedalModel::trebleBooster,        PedalModel::xxlDistortionPlus,
    PedalModel::batDistortion,        PedalModel::overDrive,
    PedalModel::superDrive,           PedalModel::nineScreamer,
    PedalModel::eightOhEightScreamer, PedalModel::metalTone};

// The sections a chain is built from. The input section runs in single precision and flushes
// denormals; drive and tone run in single precision, the limiter and every other section in
// double (StageSection and CMVXSVDiodeLimiterSimulation).
enum class PedalSection : uint8_t
{
    input,
    metalPre,
    drive,
    diodes,
    tone,
    level,
    metalPost,
    metalFilter,
    bassTreble,
    mid,
};

// One section of a chain and the order it runs at (0 for the diodes).
struct ChainStep
{
    PedalSection section;
    int order;
};

// What the chain's last value is multiplied by before it leaves as a float.
enum class OutputGain : uint8_t
{
    none,
    fixed,   // PedalTraits::fixedOutputGain
    levelKnob,   // the smoothed level control (Parameter 2)
};

// The limiter's network (CMVXSVDiodeLimiterSimulation::configure). Where the gain pot sits in it,
// R3 is that pot's audio-taper fraction of r3Ohms.
struct DiodeNetwork
{
    uint32_t mode;
    double r1Ohms, r2Ohms, r3Ohms, c1Farads, c2Farads;
    bool gainPotIsR3;
};

// A chain's sections in signal order, and the set of them for quick membership tests.
struct PedalChainSteps
{
    ChainStep steps[8] = {};
    int length = 0;
    uint32_t members = 0;   // bit n: section n is in the chain

    template <int N>
    constexpr PedalChainSteps (const ChainStep (&list)[N])
    {
        static_assert (N <= 8, "at most eight sections");
        for (int i = 0; i < N; ++i)
        {
            steps[i] = list[i];
            members |= 1u << static_cast<int> (list[i].section);
        }
        length = N;
    }
};

struct PedalTraits
{
    PedalChainSteps chain;
    // Circuit tables of the linear stages; null where the chain has no such stage.
    const pedal::circuits::FixedStageTable* inputTable;
    const pedal::circuits::OneControlStageTable* driveTable;
    const pedal::circuits::OneControlStageTable* toneTable;
    const pedal::circuits::OneControlStageTable* levelTable;
    bool drivePotReversed;   // wired the other way round: the design sees the taper of 1 - p1
    DiodeNetwork diodes;
    OutputGain output;
    double fixedOutputGain;

    constexpr bool has (PedalSection section) const
    {
        return (chain.members & (1u << static_cast<int> (section))) != 0;
    }
};

namespace pedaltraits {

// One pedal per paragraph, in field order.
// clang-format off
using S = PedalSection;
using L = CMVXSVDiodeLimiterSimulation;
namespace c = pedal::circuits;

inline constexpr PedalTraits kTrebleBooster {
    {{{S::input, 3}}}, &c::kTrebleBoosterInputStage, nullptr, nullptr, nullptr, false,
    {}, OutputGain::fixed, 0.3};

inline constexpr PedalTraits kXxlDistortionPlus {
    {{{S::input, 2}, {S::drive, 1}, {S::diodes, 0}, {S::level, 1}}},
    &c::kXxlDistortionInputStage, &c::kXxlDistortionDriveStage, nullptr,
    &c::kXxlDistortionLevelStage, true,
    {L::kDiodesToGround, 10000.0, 1000.0, 1000.0, 1e-6, 1e-9, false}, OutputGain::none, 1.0};

inline constexpr PedalTraits kBatDistortion {
    {{{S::input, 3}, {S::drive, 3}, {S::diodes, 0}, {S::tone, 3}, {S::level, 1}}},
    &c::kBatDistortionInputStage, &c::kBatDistortionDriveStage, &c::kBatDistortionToneStage,
    &c::kBatDistortionLevelStage, false,
    {L::kDiodesToGround, 1000.0, 1000.0, 1000.0, 4.7e-6, 1e-11, false}, OutputGain::none, 1.0};

inline constexpr PedalTraits kOverDrive {
    {{{S::input, 2}, {S::diodes, 0}, {S::tone, 3}, {S::level, 1}}},
    &c::kOverDriveInputStage, nullptr, &c::kOverDriveToneStage, &c::kOverDriveLevelStage, false,
    {L::kDiodesInFeedbackTwoNegative, 4700.0, 51000.0, 500000.0, 4.7e-8, 5.1e-11, true},
    OutputGain::none, 1.0};

inline constexpr PedalTraits kSuperDrive {
    {{{S::input, 2}, {S::diodes, 0}, {S::tone, 3}, {S::level, 3}}},
    &c::kSuperDriveInputStage, nullptr, &c::kSuperDriveToneStage, &c::kSuperDriveLevelStage,
    false,
    {L::kDiodesInFeedbackTwoNegative, 4700.0, 51000.0, 1000000.0, 4.7e-8, 5.1e-11, true},
    OutputGain::none, 1.0};

inline constexpr PedalTraits kNineScreamer {
    {{{S::input, 2}, {S::diodes, 0}, {S::tone, 3}, {S::level, 3}}},
    &c::kScreamerInputStage, nullptr, &c::kOverDriveToneStage, &c::kNineScreamerLevelStage, false,
    {L::kDiodesInFeedback, 4700.0, 51000.0, 500000.0, 4.7e-8, 5.1e-11, true}, OutputGain::none,
    1.0};

inline constexpr PedalTraits kEightOhEightScreamer {
    {{{S::input, 2}, {S::diodes, 0}, {S::tone, 3}, {S::level, 3}}},
    &c::kScreamerInputStage, nullptr, &c::kOverDriveToneStage, &c::k808ScreamerLevelStage, false,
    {L::kDiodesInFeedback, 4700.0, 51000.0, 500000.0, 4.7e-8, 5.1e-11, true}, OutputGain::none,
    1.0};

// The level knob scales the output; its drive section is the pedal's gain stage.
inline constexpr PedalTraits kMetalTone {
    {{{S::input, 3}, {S::metalPre, 3}, {S::drive, 3}, {S::diodes, 0}, {S::metalPost, 2},
      {S::metalFilter, 5}, {S::bassTreble, 3}, {S::mid, 4}}},
    &c::kMetalToneInputStage, &c::kMetalToneDriveStage, nullptr, nullptr, false,
    {L::kDiodesToGround, 2200.0, 1000.0, 1000.0, 1e-5, 1e-11, false}, OutputGain::levelKnob, 1.0};
// clang-format on

}   // namespace pedaltraits

constexpr const PedalTraits& pedalTraits (PedalModel model)
{
    switch (model)
    {
        case PedalModel::trebleBooster: return pedaltraits::kTrebleBooster;
        case PedalModel::xxlDistortionPlus: return pedaltraits::kXxlDistortionPlus;
        case PedalModel::batDistortion: return pedaltraits::kBatDistortion;
        case PedalModel::overDrive: return pedaltraits::kOverDrive;
        case PedalModel::superDrive: return pedaltraits::kSuperDrive;
        case PedalModel::nineScreamer: return pedaltraits::kNineScreamer;
        case PedalModel::eightOhEightScreamer: return pedaltraits::kEightOhEightScreamer;
        case PedalModel::metalTone: return pedaltraits::kMetalTone;
    }
    return pedaltraits::kTrebleBooster;   // not a model: the engine never stores one
}

// A chain lists a control stage exactly where the model has a circuit table for it, and every
// model has an input stage.
constexpr bool chainsMatchTheirStageTables ()
{
    for (PedalModel model : kAllPedalModels)
    {
        const PedalTraits& t = pedalTraits (model);
        if (!t.has (PedalSection::input) || t.inputTable == nullptr
            || t.has (PedalSection::drive) != (t.driveTable != nullptr)
            || t.has (PedalSection::tone) != (t.toneTable != nullptr)
            || t.has (PedalSection::level) != (t.levelTable != nullptr))
            return false;
    }
    return true;
}
// GCC's UndefinedBehaviorSanitizer keeps a table's address from being compared with null at
// compile time; every other build checks it.
#ifndef OVERMOOR_UBSAN
static_assert (chainsMatchTheirStageTables (), "a chain and its stage tables disagree");
#endif
