// SPDX-License-Identifier: GPL-3.0-or-later
// Golden analog magnitudes of every stage at a few settings, so that any edit of the coefficient
// tables shows up as a failing number. Run with OVERMOOR_PRINT_GOLDEN=1 to print a fresh table
// (review the change before pasting it in).
#include "StageCatalogue.h"
#include "TransferFunctions.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace stagetest;

constexpr double kGoldenToleranceDb = 1e-6;
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

std::vector<std::pair<double, double>> goldenPoints (const StageCase& stage)
{
    const double values[3] = {0.0, 0.5, 1.0};
    std::vector<std::pair<double, double>> points;
    if (stage.controlCount == 0)
        points.push_back ({0.0, 0.0});
    for (double x : values)
    {
        if (stage.controlCount == 1)
            points.push_back ({x, 0.0});
        if (stage.controlCount == 2)
            for (double y : values)
                points.push_back ({x, y});
    }
    return points;
}

TEST (StageGolden, MagnitudesMatchStoredTable)
{
    if (std::getenv ("OVERMOOR_PRINT_GOLDEN") != nullptr)
        for (const StageCase& stage : allStages())
            for (auto [x, y] : goldenPoints (stage))
                std::printf ("    {\"%s\", %.2f, %.2f, {%.9f, %.9f, %.9f}},\n", stage.name.c_str(), x, y,
                             magnitudeDb (stage, x, y, kGoldenFrequenciesHz[0]),
                             magnitudeDb (stage, x, y, kGoldenFrequenciesHz[1]),
                             magnitudeDb (stage, x, y, kGoldenFrequenciesHz[2]));

    std::size_t checked = 0;
    for (const StageCase& stage : allStages())
        for (auto [x, y] : goldenPoints (stage))
        {
            const GoldenRow* row = nullptr;
            for (const GoldenRow& candidate : kGoldenRows)
                if (stage.name == candidate.stage && candidate.x == x && candidate.y == y)
                    row = &candidate;
            ASSERT_NE (row, nullptr) << "no golden row for " << stage.name << " x " << x << " y " << y;
            for (int i = 0; i < 3; ++i)
                EXPECT_NEAR (magnitudeDb (stage, x, y, kGoldenFrequenciesHz[i]), row->db[i], kGoldenToleranceDb)
                    << stage.name << " x " << x << " y " << y << " at " << kGoldenFrequenciesHz[i] << " Hz";
            ++checked;
        }
    EXPECT_EQ (checked, std::size (kGoldenRows));
}

} // namespace
