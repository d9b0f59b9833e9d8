// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Coefficient tables of every linear stage of the eight pedal circuits (component values already
// multiplied out). Defined per model family in the neighbouring .cpp files.
#include "dsp/circuits/StageTable.h"

namespace pedal::circuits {

// Treble Booster, XXL Distortion+, BAT Distortion
extern const FixedStageTable kTrebleBoosterInputStage;
extern const FixedStageTable kXxlDistortionInputStage;
extern const FixedStageTable kBatDistortionInputStage;
extern const OneControlStageTable kXxlDistortionDriveStage;
extern const OneControlStageTable kBatDistortionDriveStage;
extern const OneControlStageTable kBatDistortionToneStage;
extern const OneControlStageTable kXxlDistortionLevelStage;
extern const OneControlStageTable kBatDistortionLevelStage;

// Over Drive, Super Drive, 9 Screamer, 808 Screamer
extern const FixedStageTable kOverDriveInputStage;
extern const FixedStageTable kSuperDriveInputStage;
extern const FixedStageTable kScreamerInputStage;   // 9 Screamer and 808 Screamer
extern const OneControlStageTable kOverDriveToneStage;   // also both Screamers
extern const OneControlStageTable kSuperDriveToneStage;
extern const OneControlStageTable kOverDriveLevelStage;
extern const OneControlStageTable kSuperDriveLevelStage;
extern const OneControlStageTable kNineScreamerLevelStage;
extern const OneControlStageTable k808ScreamerLevelStage;

// Metal Tone
extern const FixedStageTable kMetalToneInputStage;
extern const FixedStageTable kMetalTonePreStage;
extern const OneControlStageTable kMetalToneDriveStage;
extern const FixedStageTable kMetalTonePostStage;
extern const FixedStageTable kMetalToneFilterStage;
extern const BassTrebleStageTable kMetalToneBassTrebleStage;
extern const MidStageTable kMetalToneMidStage;

}   // namespace pedal::circuits
