// SPDX-License-Identifier: GPL-3.0-or-later
// Stored analog magnitudes of every stage at a few settings, so that any edit of the coefficient
// tables shows up as a failing number. OVERMOOR_PRINT_GOLDEN=1 prints a fresh table to review.
#include "StageSupport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace stagetest;

constexpr double kSilentDb = -999.0;   // stands for a zero response
const double kGoldenFrequenciesHz[3] = {100.0, 1000.0, 10000.0};

struct GoldenRow
{
    const char* stage;
    double x, y;
    double db[3];
};

#include "StageGoldenTable.inc"

double magnitudeDb (const StageCase& stage, double x, double y, double hz)
{
    AnalogPrototype proto;
    stage.prototype (x, y, proto);
    const double magnitude = std::abs (analogResponse (proto, 2 * kPi * hz));
    return magnitude == 0.0 ? kSilentDb : std::max (toDb (magnitude), kSilentDb);
}

TEST (StageGolden, MagnitudesMatchStoredTable)
{
    const bool print = std::getenv ("OVERMOOR_PRINT_GOLDEN") != nullptr;
    std::size_t checked = 0;
    for (const StageCase& stage : allStages())
        for (auto [x, y] : controlPoints (stage, 2))
        {
            double db[3];
            for (int i = 0; i < 3; ++i)
                db[i] = magnitudeDb (stage, x, y, kGoldenFrequenciesHz[i]);
            if (print)
                std::printf ("    {\"%s\", %.2f, %.2f, {%.9f, %.9f, %.9f}},\n", stage.name.c_str(), x, y, db[0], db[1], db[2]);
            const GoldenRow* row = std::find_if (std::begin (kGoldenRows), std::end (kGoldenRows), [&] (const GoldenRow& r) {
                return stage.name == r.stage && r.x == x && r.y == y;
            });
            ASSERT_NE (row, std::end (kGoldenRows)) << "no golden row for " << stage.name << " x " << x << " y " << y;
            for (int i = 0; i < 3; ++i)
                EXPECT_NEAR (db[i], row->db[i], 1e-6) << stage.name << " x " << x << " y " << y << " at " << kGoldenFrequenciesHz[i] << " Hz";
            ++checked;
        }
    EXPECT_EQ (checked, std::size (kGoldenRows));
}

} // namespace
