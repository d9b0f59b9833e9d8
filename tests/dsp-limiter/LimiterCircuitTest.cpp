// SPDX-License-Identifier: GPL-3.0-or-later
// The limiter against direct simulations of its circuits that solve the diode equation exactly
// every sample. Where the network's source resistance equals one of the tabulated resistances
// the limiter must agree closely; in between, the blended tables approximate the solution.
#include "dsp/CMVXSVDiodeLimiterSimulation.h"
#include "dsp/MathConstants.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

// Voltage across two antiparallel diode strings (nPos diodes conduct for v > 0, nNeg for v < 0)
// driven from eV behind rOhms.
double solveDiodes (double eV, double rOhms, double nPos, double nNeg)
{
    auto residual = [&] (double v) {
        const double n = v > 0.0 ? nPos : nNeg;
        return eV - rOhms * 2e-16 * std::sinh (v / (n * 0.022)) - v;
    };
    double lo = -30.0, hi = 30.0;
    for (int i = 0; i < 200 && hi - lo > 1e-14; ++i)
        (residual (0.5 * (lo + hi)) > 0.0 ? lo : hi) = 0.5 * (lo + hi);
    return 0.5 * (lo + hi);
}

// Non-inverting amplifier with the diodes across its feedback impedance Rf || C2 and
// R1 + C1 to ground from the inverting input. The input current is the bilinear transform of
// the R1-C1 admittance; C2 is integrated by a backward difference. Returns x + diode voltage.
struct FeedbackCircuit
{
    double r1, c1, rf, c2, fs, nNeg;
    double capV = 0.0, capI = 0.0,
           diodeV = 0.0;   // C1's voltage and last current, the diode voltage

    double step (double x)
    {
        // Series R1-C1 driven by x (the inverting input follows x): trapezoidal companion of C1.
        const double k1 = 2.0 * c1 * fs;
        const double history = k1 * capV + capI;
        const double i = (x - history / k1) / (r1 + 1.0 / k1);
        capI = i;
        capV = (i + history) / k1;
        // Feedback node: i = v/Rf + C2 (v - v_prev) fs + diode current.
        const double rth = 1.0 / (1.0 / rf + c2 * fs);
        diodeV = solveDiodes (rth * (i + c2 * fs * diodeV), rth, 1.0, nNeg);
        return x + diodeV;
    }
};

// x through R1 and C1 in series to the diode node, C2 from it to ground; trapezoidal rule.
struct ShuntCircuit
{
    double r1, c1, c2, fs;
    double hist1 = 0.0, hist2 = 0.0;   // companion history currents of C1 and C2

    double step (double x)
    {
        const double g = 1.0 / r1, k1 = 2.0 * c1 * fs, k2 = 2.0 * c2 * fs;
        const double series = g * k1 / (g + k1);
        const double rth = 1.0 / (k2 + series);
        const double e = rth * ((g * k1 * x - g * hist1) / (g + k1) + hist2);
        const double v = solveDiodes (e, rth, 1.0, 1.0);
        const double mid = (g * x + k1 * v + hist1) / (g + k1);   // node between R1 and C1
        hist1 = 2.0 * k1 * (mid - v) - hist1;   // next history k v + i, with i = k v - history
        hist2 = 2.0 * k2 * v - hist2;
        return v;
    }
};

template <typename Circuit>
double maxDeviation (CMVXSVDiodeLimiterSimulation& l, Circuit& c, double amplitude, double fs)
{
    double worst = 0.0;
    const int period = static_cast<int> (fs / 1000.0);
    for (int n = 0; n < 30 * period; ++n)
    {
        // Two partials so that the clipping is exercised at several slopes.
        const double x =
            amplitude
            * (std::sin (2.0 * kPi * n / period) + 0.3 * std::sin (2.0 * kPi * 7.0 * n / period));
        worst = std::max (worst, std::fabs (l.processSample (x, 0) - c.step (x)));
    }
    return worst;
}

// Interpolating the tabulated solution between its 10 mV knots, plus the solver's 1e-5 V.
constexpr double kTabulatedToleranceV = 2e-4;

}   // namespace

// Where the network's source resistance is one of the tabulated 100 ohms or 1.0001 megohms (blend
// weight 1 or 0), feedback modes with Rf and C2 chosen so that Rf T / (T + Rf C2) is that value, and
// shunt mode with C2 = 1 pF and R1 chosen so.
TEST (LimiterCircuit, EveryModeMatchesTheCircuitAtTheTabulatedResistances)
{
    for (double fs : {176400.0, 192000.0})
    {
        const double T = 1.0 / fs;
        for (uint32_t mode : {0u, 1u})
            for (const auto& [rOhms, c2, amplitude, weight] :
                 {std::tuple {100.0, 1e-8, 0.35, 1.0}, std::tuple {1.0001e6, 2e-12, 3.5e-5, 0.0}})
            {
                const double rf = rOhms * T / (T - rOhms * c2);
                CMVXSVDiodeLimiterSimulation l (fs, 2);
                l.configure (mode, 10.0, rf, 0.0, 1e-5, c2);
                ASSERT_NEAR (l.blendWeight (), weight, 1e-9);
                FeedbackCircuit circuit {10.0, 1e-5, rf, c2, fs, mode == 1 ? 2.0 : 1.0};
                EXPECT_LT (maxDeviation (l, circuit, amplitude, fs), kTabulatedToleranceV)
                    << mode << " " << fs << " " << rOhms;
            }

        const double c1 = 1e-6, c2 = 1e-12;
        const double r1 = 1.0 / (1.0 / 1.0001e6 - 2.0 * c2 * fs) - 1.0 / (2.0 * c1 * fs);
        CMVXSVDiodeLimiterSimulation l (fs, 2);
        l.configure (2, r1, 0.0, 0.0, c1, c2);
        ASSERT_NEAR (l.coefficients ().sourceOhms, 1.0001e6, 1e-3);
        ASSERT_NEAR (l.blendWeight (), 0.0, 1e-9);
        ShuntCircuit circuit {r1, c1, c2, fs};
        EXPECT_LT (maxDeviation (l, circuit, 3.0, fs), kTabulatedToleranceV) << fs;
    }
}

TEST (LimiterCircuit, BlendedTablesApproximateThePedalCircuits)
{
    // At the pedals' own source resistances (about 1 to 2.2 kilohms) the weighted pair of
    // solutions stays within 0.25 V of the exact clipping voltage.
    struct Pedal
    {
        double r1, c1, c2;
    };
    for (const Pedal& p :
         {Pedal {10000.0, 1e-6, 1e-9}, Pedal {1000.0, 4.7e-6, 1e-11}, Pedal {2200.0, 1e-5, 1e-11}})
        for (double amplitude : {0.05, 1.0, 5.0})
        {
            const double fs = 176400.0;
            CMVXSVDiodeLimiterSimulation l (fs, 2);
            l.configure (2, p.r1, 1000.0, 1000.0, p.c1, p.c2);
            ShuntCircuit circuit {p.r1, p.c1, p.c2, fs};
            EXPECT_LT (maxDeviation (l, circuit, amplitude, fs), amplitude < 0.1 ? 1e-4 : 0.25)
                << p.r1 << " " << amplitude;
        }
}
