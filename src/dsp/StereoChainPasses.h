// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sections of the eight pedal chains for one block, both channels in the lanes of packed
// arithmetic, and one frame through a model's chain: the operations of the per-channel chain,
// lane by lane, so each lane gives that chain's sample bit for bit. The steady loop and the
// glide loop share it; section states go back when it is destroyed.
#include "dsp/CMVXSVDiodeLimiterSimulation.h"
#include "dsp/DiodeLimiterStereoPass.h"
#include "dsp/PedalModels.h"
#include "dsp/StageSection.h"
#include "dsp/TwoLanes.h"

struct StereoChainPasses
{
    StereoChainPasses (StageSection<3, float>& inputStage, StageSection<3, float>& driveStage,
                       StageSection<3, float>& toneStage, StageSection<3, double>& levelStage,
                       StageSection<3, double>& preStage, StageSection<2, double>& postStage,
                       StageSection<5, double>& filterStage,
                       StageSection<3, double>& bassTrebleStage, StageSection<4, double>& midStage)
    : input (inputStage), drive (driveStage), tone (toneStage), level (levelStage), pre (preStage),
      post (postStage), filter (filterStage), bassTreble (bassTrebleStage), mid (midStage)
    {
    }

    StageSectionPass<3, float> input;
    StageSectionPass<3, float> drive;   // "Metal Tone" runs its own drive section here
    StageSectionPass<3, float> tone;
    StageSectionPass<3, double> level;
    StageSectionPass<3, double> pre;
    StageSectionPass<2, double> post;
    StageSectionPass<5, double> filter;
    StageSectionPass<3, double> bassTreble;
    StageSectionPass<4, double> mid;

    // Audio thread. levelGain: the "Metal Tone" output gain of each lane.
    template <PedalModel Model>
    inline __attribute__ ((always_inline)) TwoFloats
    sample (TwoFloats x, CMVXSVDiodeLimiterSimulation::StereoPass& diodes, TwoDoubles levelGain)
    {
        if constexpr (Model == PedalModel::trebleBooster)   // "Treble Booster"
            return toFloat (toDouble (input.processFlushed<3> (x)) * 0.3);
        else if constexpr (Model == PedalModel::xxlDistortionPlus)   // "XXL Distortion+"
        {
            const TwoFloats y = drive.process<1> (input.processFlushed<2> (x));
            return toFloat (level.process<1> (diodes.process<pedalTraits (Model).diodes.mode> (toDouble (y))));
        }
        else if constexpr (Model == PedalModel::batDistortion)   // "BAT Distortion"
        {
            const TwoFloats y = drive.process<3> (input.processFlushed<3> (x));
            const TwoFloats t = tone.process<3> (toFloat (diodes.process<pedalTraits (Model).diodes.mode> (toDouble (y))));
            return toFloat (level.process<1> (toDouble (t)));
        }
        else if constexpr (Model == PedalModel::overDrive)   // "Over Drive"
        {
            const TwoDoubles d = diodes.process<pedalTraits (Model).diodes.mode> (toDouble (input.processFlushed<2> (x)));
            return toFloat (level.process<1> (toDouble (tone.process<3> (toFloat (d)))));
        }
        else if constexpr (Model == PedalModel::superDrive || Model == PedalModel::nineScreamer
                           || Model == PedalModel::eightOhEightScreamer)   // "Super Drive" and the Screamers
        {
            const TwoDoubles d = diodes.process<pedalTraits (Model).diodes.mode> (toDouble (input.processFlushed<2> (x)));
            return toFloat (level.process<3> (toDouble (tone.process<3> (toFloat (d)))));
        }
        else   // "Metal Tone"
        {
            const TwoDoubles p = pre.process<3> (toDouble (input.processFlushed<3> (x)));
            const TwoFloats d = drive.process<3> (toFloat (p));
            TwoDoubles v = diodes.process<pedalTraits (Model).diodes.mode> (toDouble (d));
            v = post.process<2> (v);
            v = filter.process<5> (v);
            v = bassTreble.process<3> (v);
            v = mid.process<4> (v);
            return toFloat (v * levelGain);
        }
    }
};
