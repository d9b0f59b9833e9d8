// SPDX-License-Identifier: GPL-3.0-or-later
// Circuit facts of the stage designs: DC gains, hand-written transfer functions of the simplest
// networks, and what each control does to its stage.
#include "StageSupport.h"
#include <gtest/gtest.h>

namespace {

using namespace stagetest;
constexpr double kRate = 176400.0;
using Fill = std::function<void (double x, AnalogPrototype&)>;

double gainDb (const Fill& fill, double x, double hz)
{
    AnalogPrototype proto;
    fill (x, proto);
    return toDb (std::abs (analogResponse (proto, 2 * kPi * hz)));
}

bool endsWith (const std::string& text, const std::string& end)
{
    return text.size () >= end.size ()
           && text.compare (text.size () - end.size (), end.size (), end) == 0;
}

// BAT Distortion's drive is unity at DC for every setting; XXL Distortion+ carries its fixed 1.3;
// the Over Drive and Screamer tone stages divide by 10/11; the Metal Tone pre-stage and fifth-order
// filter pass DC unchanged. At 0 every level numerator vanishes, so the section is silent rather
// than dividing by zero.
TEST (PedalStageData, DcGainsFollowFromTheCircuitsAndLevelZeroIsSilent)
{
    const std::pair<const char*, double> cases[] = {
        {"BatDistortionDrive", 1.0},      {"XxlDistortionDrive", 1.3},
        {"OverDriveTone", 10.0 / 11.0},   {"NineScreamerTone", 10.0 / 11.0},
        {"808ScreamerTone", 10.0 / 11.0}, {"MetalTonePre", 1.0},
        {"MetalToneFilter", 1.0}};
    for (const auto& [name, gain] : cases)
        for (double x = 0.0; x <= 1.0; x += 0.125)
        {
            DigitalCoefficients c;
            stageNamed (name).design (x, 0.0, kRate, c);
            double num = 0, den = 0;
            for (int k = 0; k < 6; ++k)
                num += c.zNum[k], den += c.zDen[k];
            EXPECT_NEAR (toDb (num / den), toDb (gain), 1e-6) << name << " x " << x;
        }
    AnalogPrototype bat;
    pedal::driveStagePrototype (PedalModel::batDistortion, 0.3, bat);
    EXPECT_EQ (bat.sNum[5] / bat.sDen[5], 1.0);

    for (const StageCase& stage : allStages ())
        if (endsWith (stage.name, "Level"))
        {
            DigitalCoefficients c;
            stage.design (0.0, 0.0, kRate, c);
            EXPECT_TRUE (std::all_of (c.zNum, c.zNum + 6, [] (double k) { return k == 0.0; }))
                << stage.name;
            EXPECT_EQ (c.zDen[0], 1.0) << stage.name;
        }
}

// Prototypes against transfer functions written by hand from the component values, for the networks
// simple enough to write down. The tables round to ten significant digits.
TEST (StageCircuit, PrototypesMatchTheirCircuits)
{
    const std::pair<const char*, std::function<Complex (Complex s, double x)>> cases[] = {
        // Non-inverting gain 1 + Rf / (Rpot x + R + 1 / sC) with the fixed output factor 1.3.
        {"XxlDistortionDrive",
         [] (Complex s, double x) {
             return 1.3 * (1.0 + 1.0e6 / (1.0e6 * x + 4700.0 + 1.0 / (s * 4.7e-8)));
         }},
        // 1 + Zf / Zg: Zf = Rpot x || Cf, Zg = (R1 + 1/sC1) || (R2 + 1/sC2).
        {"BatDistortionDrive",
         [] (Complex s, double x) {
             const Complex feedback = (150000.0 * x) / (1.0 + s * 150000.0 * x * 1e-10);
             const Complex leg1 = 47.0 + 1.0 / (s * 2.2e-6), leg2 = 560.0 + 1.0 / (s * 4.7e-6);
             return 1.0 + feedback * (leg1 + leg2) / (leg1 * leg2);
         }},
        // Coupling capacitor into a fixed resistor and the level pot, output at the wiper.
        {"OverDriveLevel", [] (Complex s, double x) {
             return 100000.0 * x / (100000.0 + 10000.0 + 1.0 / (s * 1e-6));
         }}};
    for (const auto& [name, circuit] : cases)
        for (double x = 0.0; x <= 1.0; x += 0.25)
        {
            AnalogPrototype proto;
            stageNamed (name).prototype (x, 0.0, proto);
            for (double hz : {10.0, 100.0, 1000.0, 10000.0, 40000.0})
            {
                const Complex want = circuit (Complex (0.0, 2 * kPi * hz), x);
                EXPECT_LE (std::abs (analogResponse (proto, 2 * kPi * hz) - want),
                           1e-9 * std::abs (want))
                    << name << " x " << x << " at " << hz << " Hz";
            }
        }
}

// Every control moves its measure strictly one way over 0 ... 1: the gain at 1 kHz for level and
// drive (bass at 50 Hz, treble at 10 kHz), treble over bass (3 kHz against 100 Hz) for tone. XXL
// Distortion+'s variable is the taper of (1 - Gain) in the ground leg, and BAT Distortion's Filter
// darkens, so those two fall.
TEST (StageControl, EachControlMovesItsStageOneWay)
{
    struct Case
    {
        std::string name;
        Fill fill;
        int direction;
        double hz;   // 0: the tilt
    };
    std::vector<Case> cases;
    for (const StageCase& s : allStages ())
        if (s.controlCount == 1)
            cases.push_back (
                {s.name, [&s] (double x, AnalogPrototype& p) { s.prototype (x, 0, p); },
                 s.name == "XxlDistortionDrive" || s.name == "BatDistortionTone" ? -1 : 1,
                 endsWith (s.name, "Tone") ? 0.0 : 1000.0});
    const StageCase& bassTreble = stageNamed ("MetalToneBassTreble");
    cases.push_back ({"bass",
                      [&] (double x, AnalogPrototype& p) { bassTreble.prototype (x, 0.5, p); }, 1,
                      50.0});
    cases.push_back ({"treble",
                      [&] (double x, AnalogPrototype& p) { bassTreble.prototype (0.5, x, p); }, 1,
                      10000.0});
    for (const Case& c : cases)
    {
        auto measure = [&] (double x) {
            return c.hz == 0.0 ? gainDb (c.fill, x, 3000.0) - gainDb (c.fill, x, 100.0)
                               : gainDb (c.fill, x, c.hz);
        };
        for (double x = endsWith (c.name, "Level") ? 0.05 : 0.0; x < 1.0; x += 0.05)
            EXPECT_GT (c.direction * (measure (x + 0.05) - measure (x)), 0.0)
                << c.name << " x " << x;
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
                EXPECT_NEAR (proto.sNum[k], mirrored.sDen[k], 1e-12 * std::fabs (mirrored.sDen[k]))
                    << "x " << x << " y " << y << " k " << k;
        }
    const Fill centre = [] (double, AnalogPrototype& p) {
        pedal::metalBassTrebleStagePrototype (0.5, 0.5, p);
    };
    for (double hz : {20.0, 200.0, 2000.0, 20000.0})
        EXPECT_NEAR (gainDb (centre, 0.0, hz), 0.0, 1e-9) << hz;
}

// Mid Level 1 boosts and 0 cuts by about 15 dB at a centre that Mid Frequency sweeps upwards; at 0.5
// the stage is within 0.25 dB of flat.
TEST (StageControl, MetalMidBoostsAndCutsAroundSweptCentre)
{
    double previousCentreHz = 0.0;
    for (float y = 0.0f; y <= 1.0f; y += 0.125f)
    {
        const Fill mid = [y] (double x, AnalogPrototype& p) {
            pedal::metalMidStagePrototype (x, y, p);
        };
        double centreHz = 0.0, boostDb = -1e9;
        for (double hz = 20.0; hz <= 20000.0; hz *= 1.01)
        {
            const double boost = gainDb (mid, 1.0, hz);
            EXPECT_NEAR (gainDb (mid, 0.5, hz), 0.0, 0.25) << "y " << y << " at " << hz << " Hz";
            EXPECT_NEAR (gainDb (mid, 0.0, hz), -boost, 0.5) << "y " << y << " at " << hz << " Hz";
            if (boost > boostDb)
                boostDb = boost, centreHz = hz;
        }
        EXPECT_GT (boostDb, 12.0) << y;
        EXPECT_LT (boostDb, 18.0) << y;
        EXPECT_GT (centreHz, previousCentreHz) << y;
        previousCentreHz = centreHz;
    }
    EXPECT_GT (previousCentreHz, 4000.0);
}

}   // namespace
