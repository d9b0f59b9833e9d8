// SPDX-License-Identifier: GPL-3.0-or-later
// The precomposed control-dependent designs where they refuse, and their paired form. Their
// agreement with forming the prototype and transforming it is the engine's design-path test.
#include "dsp/PedalStageDesigns.h"
#include "dsp/PrecomposedStageDesign.h"
#include <cstring>
#include <gtest/gtest.h>

namespace {

// Where a design cannot stand in for the prototype path it says so, and the engine takes that
// path: without a table (a model without the stage), and where the highest denominator power
// vanishes at the terms given (BAT Distortion's drive at 0 has a lower order).
TEST (PrecomposedDesign, RefusesWithoutATableOrWhereTheOrderDrops)
{
    PrecomposedStageDesign<3, 3> design;
    StageSection<3, float> section;
    double terms[3];
    design.prepare (pedalTraits (PedalModel::batDistortion).driveTable, 176400.0);
    pedal::oneControlTerms (0.5, terms);
    EXPECT_TRUE (design.design (terms, section));
    design.prepare (nullptr, 176400.0);
    EXPECT_FALSE (design.design (terms, section));
    design.prepare (pedalTraits (PedalModel::batDistortion).driveTable, 176400.0);
    pedal::oneControlTerms (0.0, terms);
    EXPECT_FALSE (design.design (terms, section));
}

// Two designs at once (AVX2) give exactly the sections of two single designs.
TEST (PrecomposedDesign, PairedDesignsEqualSingleDesignsBitForBit)
{
    if (!__builtin_cpu_supports ("avx2"))
        GTEST_SKIP () << "no AVX2";
    PrecomposedStageDesign<9, 3> bassTreble;
    bassTreble.prepare (&pedal::bassTrebleStageTable (), 192000.0);
    PrecomposedStageDesign<5, 4> mid;
    mid.prepare (&pedal::midStageTable (), 176400.0);
    PrecomposedStageDesign<3, 3> drive;
    drive.prepare (pedalTraits (PedalModel::metalTone).driveTable, 192000.0);
    auto pairEqualsSingles = [] (const auto& design, const auto& a, const auto& b, auto section) {
        decltype (section) pa, pb, sa, sb;
        if (!design.designPair (a, b, pa, pb))
            return false;
        design.design (a, sa);
        design.design (b, sb);
        auto same = [] (const auto& p, const auto& q) {
            return std::memcmp (&p.gain, &q.gain, sizeof p.gain) == 0
                   && std::memcmp (p.num, q.num, sizeof p.num) == 0
                   && std::memcmp (p.den, q.den, sizeof p.den) == 0;
        };
        return same (pa, sa) && same (pb, sb);
    };
    for (int i = 0; i < 300; ++i)
    {
        const double x = (i % 17) / 16.0, y = (i % 13) / 12.0, u = (i % 7) / 6.5;
        double a9[9], b9[9], a5[5], b5[5], a3[3], b3[3];
        pedal::bassTrebleTerms (x, y, a9);
        pedal::bassTrebleTerms (y, u, b9);
        pedal::midTerms (x, static_cast<float> (y), a5);
        pedal::midTerms (u, static_cast<float> (x), b5);
        pedal::oneControlTerms (x, a3);
        pedal::oneControlTerms (u, b3);
        EXPECT_TRUE (pairEqualsSingles (bassTreble, a9, b9, StageSection<3, double> {}))
            << "bass/treble " << i;
        EXPECT_TRUE (pairEqualsSingles (mid, a5, b5, StageSection<4, double> {})) << "mid " << i;
        EXPECT_TRUE (pairEqualsSingles (drive, a3, b3, StageSection<3, float> {})) << "drive " << i;
    }
}

}   // namespace
