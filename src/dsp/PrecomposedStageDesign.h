// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A control-dependent stage design with the bilinear transform folded into the circuit's
// coefficient polynomials. Once per rate and model, each z-domain coefficient (before the
// normalisation by the z^0 denominator coefficient D0) becomes a polynomial in the stage's
// control terms; a redesign while a control glides then evaluates those polynomials, takes the
// reciprocals of D0 and of the leading numerator coefficient, and fills the section. Agrees with
// forming the prototype and transforming it to double-precision rounding.
#include "dsp/StageSection.h"
#include "dsp/TwoLanes.h"
#include "dsp/circuits/StageTable.h"
#include <cstddef>

using FourDoubles = double __attribute__ ((vector_size (32)));

template <std::size_t Terms, int MaxOrder>
class PrecomposedStageDesign
{
public:
    // Runs where a model or rate changes (audio thread; allocates nothing). A null table, or
    // one without denominator or of an order beyond MaxOrder, leaves the design unusable.
    void prepare (const pedal::circuits::StageTable<Terms>* table, double rateHz) noexcept;

    // Audio thread. False when this design cannot stand in for the prototype path: no usable
    // table, or the highest denominator power vanishes at these terms (the transform then has
    // a lower order). The section is left unchanged then.
    template <int SectionOrder, typename P>
    bool design (const double (&terms)[Terms],
                 StageSection<SectionOrder, P>& section) const noexcept
    {
        if (source == nullptr || leadingDenominators (terms, terms)[0] == 0.0)
            return false;
        TwoDoubles sums[MaxOrder + 1];   // {numerator, denominator} coefficient of z^-k
        for (int k = 0; k <= MaxOrder; ++k)
        {
            TwoDoubles sum = firstHalf (rows[k][0]) * terms[0];
            for (std::size_t i = 1; i < Terms; ++i)
                sum += firstHalf (rows[k][i]) * terms[i];
            sums[k] = sum;
        }
        const TwoDoubles inverses = TwoDoubles {1.0, 1.0} / sums[0];   // {1/b0, 1/D0}
        fill (sums, inverses, section);
        return true;
    }

    // Audio thread; only where the processor has AVX2 (the caller checks). Two designs at once:
    // the sums of both run in the halves of four-lane vectors, each element exactly as in
    // design, so a and b get the coefficients two calls of design would give. False (sections
    // unchanged) where either call of design would return false.
    template <int SectionOrder, typename P>
    __attribute__ ((target ("avx2"))) bool
    designPair (const double (&termsA)[Terms], const double (&termsB)[Terms],
                StageSection<SectionOrder, P>& a, StageSection<SectionOrder, P>& b) const noexcept
    {
        if (source == nullptr)
            return false;
        const TwoDoubles lead = leadingDenominators (termsA, termsB);
        if (lead[0] == 0.0 || lead[1] == 0.0)
            return false;
        FourDoubles terms[Terms];
        for (std::size_t i = 0; i < Terms; ++i)
            terms[i] = FourDoubles {termsA[i], termsA[i], termsB[i], termsB[i]};
        FourDoubles sums[MaxOrder + 1];   // {numerator, denominator} of a, then of b
        for (int k = 0; k <= MaxOrder; ++k)
        {
            FourDoubles sum = rows[k][0] * terms[0];
            for (std::size_t i = 1; i < Terms; ++i)
                sum += rows[k][i] * terms[i];
            sums[k] = sum;
        }
        TwoDoubles sumsA[MaxOrder + 1];
        TwoDoubles sumsB[MaxOrder + 1];
        for (int k = 0; k <= MaxOrder; ++k)
        {
            sumsA[k] = firstHalf (sums[k]);
            sumsB[k] = secondHalf (sums[k]);
        }
        // The four reciprocals of both fills in one division.
        const FourDoubles inverses = FourDoubles {1.0, 1.0, 1.0, 1.0} / sums[0];
        fill (sumsA, firstHalf (inverses), a);
        fill (sumsB, secondHalf (inverses), b);
        return true;
    }

    int order () const noexcept { return source == nullptr ? 0 : tableOrder; }

private:
    static TwoDoubles firstHalf (const FourDoubles& v) noexcept { return TwoDoubles {v[0], v[1]}; }
    static TwoDoubles secondHalf (const FourDoubles& v) noexcept { return TwoDoubles {v[2], v[3]}; }

    // inverses: {1/b0, 1/D0} of these sums.
    template <int SectionOrder, typename P>
    static void fill (const TwoDoubles (&sums)[MaxOrder + 1], TwoDoubles inverses,
                      StageSection<SectionOrder, P>& section) noexcept
    {
        static_assert (SectionOrder >= MaxOrder, "the section must hold the design's order");
        const double b0 = sums[0][0];
        const double inverseD0 = inverses[1];
        section.gain = static_cast<P> (b0 * inverseD0);
        const double inverseB0 = b0 == 0.0 ? 0.0 : inverses[0];   // a silent stage stays silent
        for (int k = 1; k <= SectionOrder; ++k)
        {
            const TwoDoubles z =
                k <= MaxOrder ? sums[k] * TwoDoubles {inverseB0, inverseD0} : TwoDoubles {0.0, 0.0};
            section.num[k - 1] = static_cast<P> (z[0]);
            section.den[k - 1] = static_cast<P> (z[1]);
        }
    }

    // The highest denominator coefficient of two designs, each lane exactly as the prototype
    // path forms it.
    TwoDoubles leadingDenominators (const double (&termsA)[Terms],
                                    const double (&termsB)[Terms]) const noexcept
    {
        TwoDoubles d = {0.0, 0.0};
        for (std::size_t i = 0; i < Terms; ++i)
            d += source->rows[leadingRow].den[i] * TwoDoubles {termsA[i], termsB[i]};
        return d;
    }

    const pedal::circuits::StageTable<Terms>* source = nullptr;
    int leadingRow = 0;
    int tableOrder = 0;
    // {numerator, denominator} per term, per z^-k, twice: designPair's two designs read all
    // four lanes, design the first half.
    FourDoubles rows[MaxOrder + 1][Terms] = {};
};

extern template class PrecomposedStageDesign<3, 3>;
extern template class PrecomposedStageDesign<9, 3>;
extern template class PrecomposedStageDesign<5, 4>;
