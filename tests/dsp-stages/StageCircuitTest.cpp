// SPDX-License-Identifier: GPL-3.0-or-later
// Stage prototypes against transfer functions written by hand from the circuits' component values,
// for the networks simple enough to write down. The tables round to ten significant digits.
#include "StageSupport.h"
#include "dsp/PedalStageDesigns.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

using namespace stagetest;

TEST (StageCircuit, PrototypesMatchTheirCircuits)
{
    using Circuit = std::function<Complex (Complex s, double x)>;
    using Fill = std::function<bool (double x, AnalogPrototype&)>;
    const struct { const char* name; Fill fill; Circuit circuit; } cases[] = {
        // Non-inverting gain 1 + Rf / (Rpot x + R + 1 / sC) with the fixed output factor 1.3.
        {"XXL drive", [] (double x, AnalogPrototype& p) { return pedal::driveStagePrototype (1, x, p); },
         [] (Complex s, double x) { return 1.3 * (1.0 + 1.0e6 / (1.0e6 * x + 4700.0 + 1.0 / (s * 4.7e-8))); }},
        // 1 + Zf / Zg: Zf = Rpot x || Cf, Zg = (R1 + 1/sC1) || (R2 + 1/sC2).
        {"BAT drive", [] (double x, AnalogPrototype& p) { return pedal::driveStagePrototype (2, x, p); },
         [] (Complex s, double x) {
             const Complex feedback = (150000.0 * x) / (1.0 + s * 150000.0 * x * 1e-10);
             const Complex leg1 = 47.0 + 1.0 / (s * 2.2e-6), leg2 = 560.0 + 1.0 / (s * 4.7e-6);
             return 1.0 + feedback * (leg1 + leg2) / (leg1 * leg2);
         }},
        // Coupling capacitor into a fixed resistor and the level pot, output at the wiper.
        {"Over Drive level", [] (double x, AnalogPrototype& p) { return pedal::levelStagePrototype (3, x, p); },
         [] (Complex s, double x) { return 100000.0 * x / (100000.0 + 10000.0 + 1.0 / (s * 1e-6)); }}};
    for (const auto& c : cases)
        for (double x = 0.0; x <= 1.0; x += 0.25)
        {
            AnalogPrototype proto;
            ASSERT_TRUE (c.fill (x, proto));
            for (double hz : {10.0, 100.0, 1000.0, 10000.0, 40000.0})
            {
                const Complex s (0.0, 2 * kPi * hz);
                const Complex want = c.circuit (s, x);
                EXPECT_LE (std::abs (analogResponse (proto, s.imag()) - want), 1e-9 * std::abs (want))
                    << c.name << " x " << x << " at " << hz << " Hz";
            }
        }
}

} // namespace
