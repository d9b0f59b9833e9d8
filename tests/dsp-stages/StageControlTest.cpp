// SPDX-License-Identifier: GPL-3.0-or-later
// What each control does to its stage: level and drive raise the gain, tone controls tilt the
// spectrum, bass and treble and the middle stage cut and boost symmetrically around their centre.
#include "TransferFunctions.h"
#include "dsp/PedalStageDesigns.h"
#include <gtest/gtest.h>
#include <cmath>

namespace {

using namespace stagetest;

double analogDb (const AnalogPrototype& proto, double hz)
{
    return toDb (std::abs (analogResponse (proto, 2 * kPi * hz)));
}

template <typename Fill>
double gainDb (Fill fill, double x, double hz)
{
    AnalogPrototype proto;
    fill (x, proto);
    return analogDb (proto, hz);
}

TEST (StageControl, LevelRaisesGainMonotonically)
{
    for (unsigned model = 1; model <= 6; ++model)
    {
        auto fill = [model] (double x, AnalogPrototype& p) { pedal::levelStagePrototype (model, x, p); };
        for (double x = 0.05; x < 1.0; x += 0.05)
            EXPECT_GT (gainDb (fill, x + 0.05, 1000.0), gainDb (fill, x, 1000.0)) << model << " x " << x;
    }
}

TEST (StageControl, DriveGainFollowsItsControlVariable)
{
    // BAT Distortion and Metal Tone: more resistance in the feedback, more gain. XXL Distortion+:
    // the variable is the taper of (1 - Gain), the pot sits in the ground leg, so gain falls with it.
    for (double x = 0.0; x < 1.0; x += 0.05)
    {
        auto bat = [] (double v, AnalogPrototype& p) { pedal::driveStagePrototype (2, v, p); };
        auto metal = [] (double v, AnalogPrototype& p) { pedal::driveStagePrototype (7, v, p); };
        auto xxl = [] (double v, AnalogPrototype& p) { pedal::driveStagePrototype (1, v, p); };
        EXPECT_GT (gainDb (bat, x + 0.05, 1000.0), gainDb (bat, x, 1000.0)) << x;
        EXPECT_GT (gainDb (metal, x + 0.05, 1000.0), gainDb (metal, x, 1000.0)) << x;
        EXPECT_LT (gainDb (xxl, x + 0.05, 1000.0), gainDb (xxl, x, 1000.0)) << x;
    }
}

// Treble relative to bass: rises with Tone on the overdrives, falls with Filter on BAT Distortion.
TEST (StageControl, ToneTiltsTheSpectrum)
{
    for (unsigned model = 2; model <= 6; ++model)
    {
        auto fill = [model] (double x, AnalogPrototype& p) { pedal::toneStagePrototype (model, x, p); };
        auto tilt = [&] (double x) { return gainDb (fill, x, 3000.0) - gainDb (fill, x, 100.0); };
        for (double x = 0.0; x < 1.0; x += 0.05)
        {
            if (model == 2)
                EXPECT_LT (tilt (x + 0.05), tilt (x)) << model << " x " << x;
            else
                EXPECT_GT (tilt (x + 0.05), tilt (x)) << model << " x " << x;
        }
    }
}

// Turning both knobs to their mirror positions inverts the response: num(x, y) = den(1 - x, 1 - y).
TEST (StageControl, MetalBassTrebleIsMirrorSymmetricAndFlatAtCentre)
{
    for (double x = 0.0; x <= 1.0; x += 0.1)
        for (double y = 0.0; y <= 1.0; y += 0.1)
        {
            AnalogPrototype proto, mirrored;
            pedal::metalBassTrebleStagePrototype (x, y, proto);
            pedal::metalBassTrebleStagePrototype (1.0 - x, 1.0 - y, mirrored);
            for (int k = 2; k < 6; ++k)
                EXPECT_NEAR (proto.sNum[k], mirrored.sDen[k], 1e-12 * std::fabs (mirrored.sDen[k]))
                    << "x " << x << " y " << y << " k " << k;
        }
    AnalogPrototype centre;
    pedal::metalBassTrebleStagePrototype (0.5, 0.5, centre);
    for (double hz : {20.0, 200.0, 2000.0, 20000.0})
        EXPECT_NEAR (analogDb (centre, hz), 0.0, 1e-9) << hz;
}

TEST (StageControl, MetalBassAndTrebleActOnTheirBands)
{
    for (double v = 0.0; v < 1.0; v += 0.05)
    {
        AnalogPrototype lower, higher;
        pedal::metalBassTrebleStagePrototype (v, 0.5, lower);
        pedal::metalBassTrebleStagePrototype (v + 0.05, 0.5, higher);
        EXPECT_GT (analogDb (higher, 50.0), analogDb (lower, 50.0)) << "bass " << v;
        pedal::metalBassTrebleStagePrototype (0.5, v, lower);
        pedal::metalBassTrebleStagePrototype (0.5, v + 0.05, higher);
        EXPECT_GT (analogDb (higher, 10000.0), analogDb (lower, 10000.0)) << "treble " << v;
    }
}

// Mid Level 1 boosts and 0 cuts by about 15 dB at a centre that Mid Frequency sweeps upwards;
// at 0.5 the stage is nearly flat.
TEST (StageControl, MetalMidBoostsAndCutsAroundSweptCentre)
{
    double previousCentreHz = 0.0;
    for (float y = 0.0f; y <= 1.0f; y += 0.125f)
    {
        double centreHz = 0.0, boostDb = -1e9;
        for (double hz = 20.0; hz <= 20000.0; hz *= 1.01)
        {
            AnalogPrototype boost, flat, cut;
            pedal::metalMidStagePrototype (1.0, y, boost);
            pedal::metalMidStagePrototype (0.5, y, flat);
            pedal::metalMidStagePrototype (0.0, y, cut);
            EXPECT_NEAR (analogDb (flat, hz), 0.0, 0.25) << "y " << y << " at " << hz << " Hz";
            if (analogDb (boost, hz) > boostDb)
            {
                boostDb = analogDb (boost, hz);
                centreHz = hz;
            }
            EXPECT_NEAR (analogDb (cut, hz), -analogDb (boost, hz), 0.5) << "y " << y << " at " << hz << " Hz";
        }
        EXPECT_GT (boostDb, 12.0) << y;
        EXPECT_LT (boostDb, 18.0) << y;
        EXPECT_GT (centreHz, previousCentreHz) << y;
        previousCentreHz = centreHz;
    }
    EXPECT_GT (previousCentreHz, 4000.0);
}

} // namespace
