// SPDX-License-Identifier: GPL-3.0-or-later
// Stored analog magnitudes of every stage at each control's ends and middle, so that an edit of a
// circuit table shows up as a failing number: the design and engine comparisons read the same
// tables and cannot see one. After a deliberate change of a table, write it afresh over
// StageGoldenTable.inc in the source tree and review its diff:
//   OVERMOOR_WRITE_GOLDEN=1 build/tests/dsp-stages/test_dsp_stages
#include "StageSupport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

using namespace stagetest;

constexpr double kSilentDb = -999.0;   // stands for a zero response
constexpr double kFrequenciesHz[5] = {50.0, 200.0, 1000.0, 4000.0, 16000.0};

struct GoldenRow
{
    const char* stage;
    double x, y;
    double db[5];
};

const GoldenRow kGoldenRows[] = {
#include "StageGoldenTable.inc"
};

double magnitudeDb (const StageCase& stage, double x, double y, double hz)
{
    AnalogPrototype proto;
    stage.prototype (x, y, proto);
    const double magnitude = std::abs (analogResponse (proto, 2 * kPi * hz));
    return magnitude == 0.0 ? kSilentDb : std::max (toDb (magnitude), kSilentDb);
}

std::string formatRow (const std::string& stage, double x, double y, const double (&db)[5])
{
    char line[200];
    std::snprintf (line, sizeof line, "{\"%s\", %.1f, %.1f, {%.4f, %.4f, %.4f, %.4f, %.4f}},\n",
                   stage.c_str (), x, y, db[0], db[1], db[2], db[3], db[4]);
    return line;
}

TEST (StageGolden, MagnitudesMatchTheStoredTable)
{
    std::string fresh = "// SPDX-License-Identifier: GPL-3.0-or-later\n"
                        "// Written by StageGoldenTest (OVERMOOR_WRITE_GOLDEN): stage, x, y, dB at "
                        "50, 200, 1000, 4000, 16000 Hz.\n";
    size_t checked = 0;
    for (const StageCase& stage : allStages ())
        for (auto [x, y] : controlPoints (stage, 2))
        {
            double db[5];
            for (int i = 0; i < 5; ++i)
                db[i] = magnitudeDb (stage, x, y, kFrequenciesHz[i]);
            fresh += formatRow (stage.name, x, y, db);
            const auto row = std::find_if (
                std::begin (kGoldenRows), std::end (kGoldenRows),
                [&] (const GoldenRow& r) { return stage.name == r.stage && r.x == x && r.y == y; });
            if (row == std::end (kGoldenRows))
            {
                ADD_FAILURE () << "no stored row for " << stage.name << " x " << x << " y " << y;
                continue;
            }
            for (int i = 0; i < 5; ++i)
                EXPECT_NEAR (db[i], row->db[i], 0.01) << stage.name << " x " << x << " y " << y
                                                      << " at " << kFrequenciesHz[i] << " Hz";
            ++checked;
        }
    EXPECT_EQ (checked, std::size (kGoldenRows));
    if (std::getenv ("OVERMOOR_WRITE_GOLDEN") != nullptr)
    {
        std::ofstream (OVERMOOR_GOLDEN_TABLE) << fresh;
        std::printf ("wrote %s\n", OVERMOOR_GOLDEN_TABLE);
    }
}

}   // namespace
