// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sections of the pedal chains for one block, both channels in the lanes of packed
// arithmetic, and one frame through a model's chain (PedalChain.h): the operations of the
// per-channel chain, lane by lane, so each lane gives that chain's sample bit for bit. The steady
// loop and the glide loop share it; section states go back when it is destroyed.
#include "dsp/CMVXSVDiodeLimiterSimulation.h"
#include "dsp/DiodeLimiterStereoPass.h"
#include "dsp/PedalChain.h"
#include "dsp/PedalModels.h"
#include "dsp/PedalSections.h"
#include "dsp/StageSection.h"
#include "dsp/TwoLanes.h"
#include <type_traits>

struct StereoChainPasses
{
    // diodes: null only for chains without diodes.
    StereoChainPasses (PedalSections& sections, CMVXSVDiodeLimiterSimulation::StereoPass* diodesIn)
    : passes (sections), diodes (diodesIn)
    {}

    PedalSectionSet<StageSectionPass> passes;
    CMVXSVDiodeLimiterSimulation::StereoPass* diodes;

    // Audio thread. levelKnob: each lane's smoothed level control.
    template <PedalModel Model>
    inline __attribute__ ((always_inline)) TwoFloats sample (TwoFloats x, TwoDoubles levelKnob)
    {
        return runChain<Model> (*this, x, levelKnob);
    }

    static TwoDoubles toDouble (TwoDoubles v) { return v; }
    static TwoDoubles toDouble (TwoFloats v) { return ::toDouble (v); }
    static TwoFloats toFloat (TwoDoubles v) { return ::toFloat (v); }

    template <PedalModel Model, PedalSection S, int Order, typename Lanes>
    inline __attribute__ ((always_inline)) auto run (Lanes v)
    {
        if constexpr (S == PedalSection::diodes)
            return diodes->process<pedalTraits (Model).diodes.mode> (::toDouble (v));
        else
        {
            auto& pass = passes.get<S> ();
            using P = typename std::remove_reference_t<decltype (pass)>::Precision;
            if constexpr (S == PedalSection::input)
                return pass.template processFlushed<Order> (::toFloat (v));
            else if constexpr (std::is_same_v<P, float>)
                return pass.template process<Order> (::toFloat (v));
            else
                return pass.template process<Order> (::toDouble (v));
        }
    }
};
