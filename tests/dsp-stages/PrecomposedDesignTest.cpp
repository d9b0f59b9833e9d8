// SPDX-License-Identifier: GPL-3.0-or-later
// The precomposed control-dependent designs against forming the prototype and transforming it:
// every normalised section coefficient agrees to a relative 1e-12 (double rounding amplified by
// cancellation inside the coefficient polynomials) across controls, models and oversampled rates.
#include "dsp/PedalStageDesigns.h"
#include "dsp/PrecomposedStageDesign.h"
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

template <std::size_t Terms, int MaxOrder>
void expectSameSection (const PrecomposedStageDesign<Terms, MaxOrder>& design,
                        const double (&terms)[Terms], const DigitalCoefficients& reference,
                        const std::string& where)
{
    StageSection<5, double> fast, slow;
    if (!design.design (terms, fast))
    {
        // Only where the highest denominator power vanishes: the reference has a lower order.
        EXPECT_EQ (0.0, reference.zDen[design.order ()]) << where;
        return;
    }
    slow.setCoefficients (reference);
    const double want[11] = {slow.gain,   slow.num[0], slow.num[1], slow.num[2],
                             slow.num[3], slow.num[4], slow.den[0], slow.den[1],
                             slow.den[2], slow.den[3], slow.den[4]};
    const double got[11] = {fast.gain,   fast.num[0], fast.num[1], fast.num[2],
                            fast.num[3], fast.num[4], fast.den[0], fast.den[1],
                            fast.den[2], fast.den[3], fast.den[4]};
    for (int k = 0; k < 11; ++k)
        EXPECT_LE (std::fabs (got[k] - want[k]), 1e-12 * std::max (std::fabs (want[k]), 1e-300))
            << where << " coefficient " << k << ": expected " << want[k] << " got " << got[k];
}

TEST (PrecomposedDesign, EveryControlStageMatchesThePrototypePath)
{
    using Table = const pedal::circuits::OneControlStageTable* PedalTraits::*;
    using Design = bool (*) (PedalModel, double, double, DigitalCoefficients&);
    const struct
    {
        const char* name;
        Table table;
        Design reference;
    } stages[] = {{"drive", &PedalTraits::driveTable, pedal::designDriveStage},
                  {"tone", &PedalTraits::toneTable, pedal::designToneStage},
                  {"level", &PedalTraits::levelTable, pedal::designLevelStage}};
    for (double rate : {176400.0, 192000.0, 132300.0})
    {
        for (const auto& stage : stages)
            for (PedalModel model : kAllPedalModels)
            {
                const pedal::circuits::OneControlStageTable* table =
                    pedalTraits (model).*stage.table;
                PrecomposedStageDesign<3, 3> design;
                design.prepare (table, rate);
                double terms[3];
                StageSection<3, double> untouched;
                pedal::oneControlTerms (0.5, terms);
                if (table == nullptr)   // a model without this stage
                {
                    EXPECT_FALSE (design.design (terms, untouched))
                        << stage.name << " model " << int (model);
                    continue;
                }
                for (int i = 0; i <= 200; ++i)
                {
                    DigitalCoefficients reference;
                    pedal::oneControlTerms (i / 200.0, terms);
                    ASSERT_TRUE (stage.reference (model, i / 200.0, rate, reference));
                    expectSameSection (design, terms, reference,
                                       std::string (stage.name) + " model "
                                           + std::to_string (int (model)) + " i "
                                           + std::to_string (i));
                }
            }

        PrecomposedStageDesign<9, 3> bassTreble;
        bassTreble.prepare (&pedal::bassTrebleStageTable (), rate);
        PrecomposedStageDesign<5, 4> mid;
        mid.prepare (&pedal::midStageTable (), rate);
        for (int i = 0; i <= 40; ++i)
            for (int j = 0; j <= 40; ++j)
            {
                const double x = i / 40.0;
                const float y = static_cast<float> (j / 40.0);
                const std::string where = " x " + std::to_string (x) + " y " + std::to_string (y);
                double terms9[9], terms5[5];
                DigitalCoefficients reference;
                pedal::bassTrebleTerms (x, y, terms9);
                pedal::designMetalBassTrebleStage (x, y, rate, reference);
                expectSameSection (bassTreble, terms9, reference, "bass/treble" + where);
                pedal::midTerms (x, y, terms5);
                pedal::designMetalMidStage (x, y, rate, reference);
                expectSameSection (mid, terms5, reference, "mid" + where);
            }
    }
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
