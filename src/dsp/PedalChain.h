// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One value through a model's chain: its sections in the order its traits list them, each taking
// the value in its own precision, then the output gain; the result leaves as a float. Stages runs
// one section; it is one channel of the engine's sections (ChannelStages) or the two-lane passes of
// a block (StereoChainPasses), so both paths do the same operations in the same order.
#include "dsp/CMVXSVDiodeLimiterSimulation.h"
#include "dsp/PedalModels.h"
#include "dsp/PedalSections.h"
#include <type_traits>

// Steps [Step, End) of the chain.
template <PedalModel Model, int Step = 0, int End = pedalTraits (Model).chain.length,
          typename Stages, typename Value>
inline __attribute__ ((always_inline)) auto runChainSections (Stages& stages, Value v)
{
    constexpr const PedalTraits& traits = pedalTraits (Model);
    if constexpr (Step == End)
        return v;
    else
    {
        constexpr ChainStep step = traits.chain.steps[Step];
        return runChainSections<Model, Step + 1, End> (
            stages, stages.template run<Model, step.section, step.order> (v));
    }
}

// Where the diodes sit in the chain (its length if it has none).
constexpr int diodeStepOf (PedalModel model)
{
    const PedalChainSteps& chain = pedalTraits (model).chain;
    for (int i = 0; i < chain.length; ++i)
        if (chain.steps[i].section == PedalSection::diodes)
            return i;
    return chain.length;
}

// The chain's last value through the output gain. levelKnob: the smoothed level control, for
// models whose output it scales.
template <PedalModel Model, typename Stages, typename Value, typename Gain>
inline __attribute__ ((always_inline)) auto chainOutput (Value last, Gain levelKnob)
{
    constexpr const PedalTraits& traits = pedalTraits (Model);
    const auto v = Stages::toDouble (last);
    if constexpr (traits.output == OutputGain::fixed)
        return Stages::toFloat (v * traits.fixedOutputGain);
    else if constexpr (traits.output == OutputGain::levelKnob)
        return Stages::toFloat (v * levelKnob);
    else
        return Stages::toFloat (v);
}

template <PedalModel Model, typename Stages, typename Value, typename Gain>
inline __attribute__ ((always_inline)) auto runChain (Stages& stages, Value x, Gain levelKnob)
{
    return chainOutput<Model, Stages> (runChainSections<Model> (stages, x), levelKnob);
}

// One channel of the engine's sections and limiter, one sample at a time.
struct ChannelStages
{
    PedalSections& sections;
    CMVXSVDiodeLimiterSimulation* limiter;   // null only for chains without diodes
    int channel;

    static double toDouble (double v) { return v; }
    static double toDouble (float v) { return v; }
    static float toFloat (double v) { return static_cast<float> (v); }

    template <PedalModel, PedalSection S, int Order, typename Value>
    inline __attribute__ ((always_inline)) auto run (Value v)
    {
        if constexpr (S == PedalSection::diodes)
            return limiter->processSample (v, static_cast<uint32_t> (channel));
        else
        {
            auto& section = sections.get<S> ();
            using P = std::remove_reference_t<decltype (section.gain)>;
            if constexpr (S == PedalSection::input)
                return section.template processFlushed<Order> (static_cast<P> (v), channel);
            else
                return section.template process<Order> (static_cast<P> (v), channel);
        }
    }
};
