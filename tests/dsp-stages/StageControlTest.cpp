// SPDX-License-Identifier: GPL-3.0-or-later
// What each control does to its stage: level and drive change the gain, tone tilts the spectrum,
// bass, treble and middle cut and boost symmetrically around their centre.
#include "StageSupport.h"
#include "dsp/PedalStageDesigns.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

using namespace stagetest;
using Fill = std::function<void (double x, AnalogPrototype&)>;

double gainDb (const Fill& fill, double x, double hz)
{
    AnalogPrototype proto;
    fill (x, proto);
    return toDb (std::abs (analogResponse (proto, 2 * kPi * hz)));
}

// Every control moves its measure strictly one way over 0 ... 1: the gain at 1 kHz for level and
// drive, treble over bass (3 kHz against 100 Hz) for tone. XXL Distortion+'s variable is the taper
// of (1 - Gain) in the ground leg, and BAT Distortion's Filter darkens, so those two fall.
TEST (StageControl, EachControlMovesItsStageOneWay)
{
    struct Case { std::string name; Fill fill; bool tilt; int direction; };
    std::vector<Case> cases;
    for (unsigned m = 1; m <= 6; ++m)
        cases.push_back ({"level " + std::to_string (m), [m] (double x, AnalogPrototype& p) { pedal::levelStagePrototype (m, x, p); }, false, 1});
    for (unsigned m : {1u, 2u, 7u})
        cases.push_back ({"drive " + std::to_string (m), [m] (double x, AnalogPrototype& p) { pedal::driveStagePrototype (m, x, p); }, false, m == 1 ? -1 : 1});
    for (unsigned m = 2; m <= 6; ++m)
        cases.push_back ({"tone " + std::to_string (m), [m] (double x, AnalogPrototype& p) { pedal::toneStagePrototype (m, x, p); }, true, m == 2 ? -1 : 1});
    cases.push_back ({"bass", [] (double x, AnalogPrototype& p) { pedal::metalBassTrebleStagePrototype (x, 0.5, p); }, false, 1});
    cases.push_back ({"treble", [] (double x, AnalogPrototype& p) { pedal::metalBassTrebleStagePrototype (0.5, x, p); }, false, 1});
    for (const Case& c : cases)
    {
        // Bass is measured at 50 Hz, treble at 10 kHz.
        const double hz = c.name == "bass" ? 50.0 : c.name == "treble" ? 10000.0 : 1000.0;
        auto measure = [&] (double x) { return c.tilt ? gainDb (c.fill, x, 3000.0) - gainDb (c.fill, x, 100.0) : gainDb (c.fill, x, hz); };
        for (double x = c.name.rfind ("level", 0) == 0 ? 0.05 : 0.0; x < 1.0; x += 0.05)
            EXPECT_GT (c.direction * (measure (x + 0.05) - measure (x)), 0.0) << c.name << " x " << x;
    }
}

// Mirror positions invert the bass/treble response, num(x, y) = den(1 - x, 1 - y), flat at centre.
TEST (StageControl, MetalBassTrebleIsMirrorSymmetricAndFlatAtCentre)
{
    for (double x = 0.0; x <= 1.0; x += 0.1)
        for (double y = 0.0; y <= 1.0; y += 0.1)
        {
            AnalogPrototype proto, mirrored;
            pedal::metalBassTrebleStagePrototype (x, y, proto);
            pedal::metalBassTrebleStagePrototype (1.0 - x, 1.0 - y, mirrored);
            for (int k = 2; k < 6; ++k)
                EXPECT_NEAR (proto.sNum[k], mirrored.sDen[k], 1e-12 * std::fabs (mirrored.sDen[k])) << "x " << x << " y " << y << " k " << k;
        }
    const Fill centre = [] (double, AnalogPrototype& p) { pedal::metalBassTrebleStagePrototype (0.5, 0.5, p); };
    for (double hz : {20.0, 200.0, 2000.0, 20000.0})
        EXPECT_NEAR (gainDb (centre, 0.0, hz), 0.0, 1e-9) << hz;
}

// Mid Level 1 boosts and 0 cuts by about 15 dB at a centre that Mid Frequency sweeps upwards;
// at 0.5 the stage is within 0.25 dB of flat.
TEST (StageControl, MetalMidBoostsAndCutsAroundSweptCentre)
{
    double previousCentreHz = 0.0;
    for (float y = 0.0f; y <= 1.0f; y += 0.125f)
    {
        const Fill mid = [y] (double x, AnalogPrototype& p) { pedal::metalMidStagePrototype (x, y, p); };
        double centreHz = 0.0, boostDb = -1e9;
        for (double hz = 20.0; hz <= 20000.0; hz *= 1.01)
        {
            const double boost = gainDb (mid, 1.0, hz);
            EXPECT_NEAR (gainDb (mid, 0.5, hz), 0.0, 0.25) << "y " << y << " at " << hz << " Hz";
            EXPECT_NEAR (gainDb (mid, 0.0, hz), -boost, 0.5) << "y " << y << " at " << hz << " Hz";
            if (boost > boostDb)
                boostDb = boost, centreHz = hz;
        }
        EXPECT_TRUE (boostDb > 12.0 && boostDb < 18.0) << y << ": " << boostDb << " dB";
        EXPECT_GT (centreHz, previousCentreHz) << y;
        previousCentreHz = centreHz;
    }
    EXPECT_GT (previousCentreHz, 4000.0);
}

} // namespace
