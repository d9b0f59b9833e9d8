// SPDX-License-Identifier: GPL-3.0-or-later
// Stage prototypes against transfer functions derived by hand from the circuits' component values,
// for the stages whose networks are simple enough to write down.
#include "TransferFunctions.h"
#include "dsp/PedalStageDesigns.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

using namespace stagetest;

// The tables round to ten significant digits.
constexpr double kRelativeTolerance = 1e-9;

void expectSameResponse (const AnalogPrototype& proto, const std::function<Complex (Complex)>& circuit,
                         const char* what, double x)
{
    for (double hz : {10.0, 100.0, 1000.0, 10000.0, 40000.0})
    {
        const Complex s (0.0, 2 * kPi * hz);
        const Complex want = circuit (s);
        const Complex got = analogResponse (proto, s.imag());
        EXPECT_LT (std::abs (got - want), kRelativeTolerance * std::abs (want)) << what << " x " << x << " at " << hz << " Hz";
    }
}

// Non-inverting gain 1 + Rf / (Rpot x + R + 1 / sC), with the fixed output factor 1.3.
TEST (StageCircuit, XxlDistortionDriveIsNonInvertingGainWithSeriesCapacitor)
{
    const double rOhms = 4700.0, rFeedbackOhms = 1.0e6, rPotOhms = 1.0e6, cFarads = 4.7e-8;
    for (double x = 0.0; x <= 1.0; x += 0.25)
    {
        AnalogPrototype proto;
        ASSERT_TRUE (pedal::driveStagePrototype (1, x, proto));
        expectSameResponse (proto, [&] (Complex s) {
            const Complex ground = rPotOhms * x + rOhms + 1.0 / (s * cFarads);
            return 1.3 * (1.0 + rFeedbackOhms / ground);
        }, "XXL drive", x);
    }
}

// Non-inverting gain 1 + Zf / Zg: Zf = Rpot x parallel to Cf, Zg = (R1 + 1/sC1) parallel to (R2 + 1/sC2).
TEST (StageCircuit, BatDistortionDriveIsNonInvertingGainWithTwoGroundLegs)
{
    const double r1Ohms = 47.0, c1Farads = 2.2e-6, r2Ohms = 560.0, c2Farads = 4.7e-6;
    const double rPotOhms = 150000.0, cFeedbackFarads = 1e-10;
    for (double x = 0.0; x <= 1.0; x += 0.25)
    {
        AnalogPrototype proto;
        ASSERT_TRUE (pedal::driveStagePrototype (2, x, proto));
        expectSameResponse (proto, [&] (Complex s) {
            const Complex feedback = (rPotOhms * x) / (1.0 + s * rPotOhms * x * cFeedbackFarads);
            const Complex leg1 = r1Ohms + 1.0 / (s * c1Farads);
            const Complex leg2 = r2Ohms + 1.0 / (s * c2Farads);
            return 1.0 + feedback * (leg1 + leg2) / (leg1 * leg2);
        }, "BAT drive", x);
    }
}

// Coupling capacitor into a fixed resistor and the level pot, output at the wiper.
TEST (StageCircuit, OverDriveLevelIsCoupledVoltageDivider)
{
    const double rPotOhms = 100000.0, rOhms = 10000.0, cFarads = 1e-6;
    for (double x = 0.0; x <= 1.0; x += 0.25)
    {
        AnalogPrototype proto;
        ASSERT_TRUE (pedal::levelStagePrototype (3, x, proto));
        if (x == 0.0)
        {
            EXPECT_EQ (proto.sNum[4], 0.0);
            continue;
        }
        expectSameResponse (proto, [&] (Complex s) {
            return rPotOhms * x / (rPotOhms + rOhms + 1.0 / (s * cFarads));
        }, "Over Drive level", x);
    }
}

} // namespace
