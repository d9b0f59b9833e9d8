// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The linear sections of the pedal chains, listed once. The engine keeps one set of
// StageSections; a block's two-lane passes are a set of StageSectionPasses over it. A model runs
// the sections its traits list (PedalModels.h); the others keep their coefficients and stay
// silent.
#include "dsp/PedalModels.h"
#include "dsp/StageSection.h"

template <template <int, typename> class Section>
struct PedalSectionSet
{
    Section<3, float> input;
    Section<3, float> drive;
    Section<3, float> tone;
    Section<3, double> level;
    Section<3, double> metalPre;
    Section<2, double> metalPost;
    Section<5, double> metalFilter;
    Section<3, double> bassTreble;
    Section<4, double> mid;

    PedalSectionSet () = default;

    // One section of this kind over each section of another set (a pass over each stage).
    template <template <int, typename> class Other>
    explicit PedalSectionSet (PedalSectionSet<Other>& other)
    : input (other.input), drive (other.drive), tone (other.tone), level (other.level),
      metalPre (other.metalPre), metalPost (other.metalPost), metalFilter (other.metalFilter),
      bassTreble (other.bassTreble), mid (other.mid)
    {}

    template <typename Visit>
    void forEach (Visit&& visit)
    {
        visit (input);
        visit (drive);
        visit (tone);
        visit (level);
        visit (metalPre);
        visit (metalPost);
        visit (metalFilter);
        visit (bassTreble);
        visit (mid);
    }

    template <typename Visit>
    void forEach (Visit&& visit) const
    {
        const_cast<PedalSectionSet&> (*this).forEach (
            [&] (const auto& section) { visit (section); });
    }

    template <PedalSection S>
    auto& get ()
    {
        if constexpr (S == PedalSection::input)
            return input;
        else if constexpr (S == PedalSection::drive)
            return drive;
        else if constexpr (S == PedalSection::tone)
            return tone;
        else if constexpr (S == PedalSection::level)
            return level;
        else if constexpr (S == PedalSection::metalPre)
            return metalPre;
        else if constexpr (S == PedalSection::metalPost)
            return metalPost;
        else if constexpr (S == PedalSection::metalFilter)
            return metalFilter;
        else if constexpr (S == PedalSection::bassTreble)
            return bassTreble;
        else
        {
            static_assert (S == PedalSection::mid, "the diodes are not a linear section");
            return mid;
        }
    }
};

using PedalSections = PedalSectionSet<StageSection>;
