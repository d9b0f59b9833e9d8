// SPDX-License-Identifier: GPL-3.0-or-later
// The precomposed control-dependent designs against forming the prototype and transforming it:
// every normalised section coefficient agrees to a relative 1e-12 (double-precision rounding,
// amplified by the cancellation inside the coefficient polynomials), across the control range,
// every model and the oversampled rates.
#include "dsp/PedalStageDesigns.h"
#include "dsp/PrecomposedStageDesign.h"
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr double kRatesHz[] = {176400.0, 192000.0, 88200.0 * 2, 132300.0};
constexpr double kRelativeTolerance = 1e-12;

// The reference fill, in double so that no single-precision rounding hides a difference.
StageSection<5, double> referenceSection (const DigitalCoefficients& c)
{
    StageSection<5, double> section;
    section.setCoefficients (c);
    return section;
}

void expectClose (double expected, double actual, const std::string& where)
{
    const double scale = std::max (std::fabs (expected), 1e-300);
    EXPECT_LE (std::fabs (actual - expected) / scale, kRelativeTolerance)
        << where << ": expected " << expected << " got " << actual;
}

template <std::size_t Terms, int MaxOrder>
void expectSameSection (const PrecomposedStageDesign<Terms, MaxOrder>& design,
                        const double (&terms)[Terms], const DigitalCoefficients& reference,
                        const std::string& where)
{
    StageSection<5, double> fast;
    if (!design.design (terms, fast))
    {
        // Only where the highest denominator power vanishes: the reference has a lower order.
        EXPECT_EQ (0.0, reference.zDen[design.order ()]) << where;
        return;
    }
    const StageSection<5, double> slow = referenceSection (reference);
    expectClose (slow.gain, fast.gain, where + " gain");
    for (int k = 0; k < 5; ++k)
    {
        expectClose (slow.num[k], fast.num[k], where + " num " + std::to_string (k + 1));
        expectClose (slow.den[k], fast.den[k], where + " den " + std::to_string (k + 1));
    }
}

} // namespace

TEST (PrecomposedDesign, OneControlStagesMatchThePrototypePath)
{
    using Design = bool (*) (unsigned, double, double, DigitalCoefficients&);
    using Table = const pedal::circuits::OneControlStageTable* (*) (unsigned) noexcept;
    const struct
    {
        const char* name;
        Table table;
        Design reference;
    } stages[] = {{"drive", pedal::driveStageTable, pedal::designDriveStage},
                  {"tone", pedal::toneStageTable, pedal::designToneStage},
                  {"level", pedal::levelStageTable, pedal::designLevelStage}};
    for (const auto& stage : stages)
        for (unsigned model = 0; model < 8; ++model)
            for (double rate : kRatesHz)
            {
                PrecomposedStageDesign<3, 3> design;
                design.prepare (stage.table (model), rate);
                if (stage.table (model) == nullptr)
                {
                    double terms[3];
                    pedal::oneControlTerms (0.5, terms);
                    StageSection<3, double> untouched;
                    EXPECT_FALSE (design.design (terms, untouched));
                    continue;
                }
                for (int i = 0; i <= 200; ++i)
                {
                    const double x = i / 200.0;
                    double terms[3];
                    pedal::oneControlTerms (x, terms);
                    DigitalCoefficients reference;
                    ASSERT_TRUE (stage.reference (model, x, rate, reference));
                    expectSameSection (design, terms, reference,
                                       std::string (stage.name) + " model " + std::to_string (model)
                                           + " x " + std::to_string (x));
                }
            }
}

TEST (PrecomposedDesign, MetalToneTwoControlStagesMatchThePrototypePath)
{
    for (double rate : kRatesHz)
    {
        PrecomposedStageDesign<9, 3> bassTreble;
        bassTreble.prepare (&pedal::bassTrebleStageTable (), rate);
        PrecomposedStageDesign<5, 4> mid;
        mid.prepare (&pedal::midStageTable (), rate);
        EXPECT_EQ (3, bassTreble.order ());
        EXPECT_EQ (4, mid.order ());
        for (int i = 0; i <= 40; ++i)
            for (int j = 0; j <= 40; ++j)
            {
                const double x = i / 40.0;
                const float y = static_cast<float> (j / 40.0);
                const std::string where = " x " + std::to_string (x) + " y " + std::to_string (y);
                double terms9[9];
                pedal::bassTrebleTerms (x, y, terms9);
                DigitalCoefficients reference;
                pedal::designMetalBassTrebleStage (x, y, rate, reference);
                expectSameSection (bassTreble, terms9, reference, "bass/treble" + where);
                double terms5[5];
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
    drive.prepare (pedal::driveStageTable (7), 192000.0);
    auto same = [] (const auto& a, const auto& b) {
        return std::memcmp (&a.gain, &b.gain, sizeof a.gain) == 0
               && std::memcmp (a.num, b.num, sizeof a.num) == 0
               && std::memcmp (a.den, b.den, sizeof a.den) == 0;
    };
    for (int i = 0; i < 300; ++i)
    {
        const double x = (i % 17) / 16.0;
        const double y = (i % 13) / 12.0;
        const double u = (i % 7) / 6.5;
        double a9[9], b9[9], a5[5], b5[5], a3[3], b3[3];
        pedal::bassTrebleTerms (x, y, a9);
        pedal::bassTrebleTerms (y, u, b9);
        pedal::midTerms (x, static_cast<float> (y), a5);
        pedal::midTerms (u, static_cast<float> (x), b5);
        pedal::oneControlTerms (x, a3);
        pedal::oneControlTerms (u, b3);
        StageSection<3, double> pa, pb, sa, sb;
        ASSERT_TRUE (bassTreble.designPair (a9, b9, pa, pb));
        bassTreble.design (a9, sa);
        bassTreble.design (b9, sb);
        EXPECT_TRUE (same (pa, sa) && same (pb, sb)) << i;
        StageSection<4, double> ma, mb, na, nb;
        ASSERT_TRUE (mid.designPair (a5, b5, ma, mb));
        mid.design (a5, na);
        mid.design (b5, nb);
        EXPECT_TRUE (same (ma, na) && same (mb, nb)) << i;
        StageSection<3, float> da, db, ea, eb;
        ASSERT_TRUE (drive.designPair (a3, b3, da, db));
        drive.design (a3, ea);
        drive.design (b3, eb);
        EXPECT_TRUE (same (da, ea) && same (db, eb)) << i;
    }
}
