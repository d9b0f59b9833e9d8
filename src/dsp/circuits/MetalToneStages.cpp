// SPDX-License-Identifier: GPL-3.0-or-later
// Stage tables of the Metal Tone circuit.
// Each row: {power of s, numerator terms, denominator terms}; see StageTable.h for the term order.
// Above each table: the stage and its transfer function, b and a the rows' numerator and
// denominator coefficients (polynomials in the stage's controls where it has any).
#include "dsp/circuits/CircuitTables.h"

namespace pedal::circuits {

// clang-format off
// "Metal Tone" input stage: H(s) = (b2 s^2) / (a2 s^2 + a1 s + a0).
// Order 2. R 10000, 10000, 100000, 1000000 Ohm; C 1.5e-08, 4.7e-08 F; const 0.001
constexpr FixedStageTable kMetalToneInputStage {{
    {2, {0.000705}, {0.0007903755}},
    {1, {0.0}, {0.53882}},
    {0, {0.0}, {11.0}},
}};

// "Metal Tone" pre-gain stage: H(s) = (b3 s^3 + ... + b0) / (a3 s^3 + ... + a0).
// Order 3, unity at DC. R 2200, 10000, 47000, 220000 Ohm; C 1e-08, 1e-10, 2.7e-08 F; consts 0.03, 0.0003
constexpr FixedStageTable kMetalTonePreStage {{
    {3, {1.89507384e-10}, {1.89507384e-10}},
    {2, {5.424096748e-05}, {9.28585948e-06}},
    {1, {1.92705254}, {0.03753854}},
    {0, {318.1}, {318.1}},
}};

// "Metal Tone" drive stage: H(s) = (b2 s^2 + b1 s) / (a3 s^3 + ... + a0).
// Order 3, x = taper of Gain on a 220000 Ohm pot. R 10000, 10000, 1000, 1000, 10000 Ohm; C 1e-05, 3.3e-08, 4.7e-08 F
constexpr OneControlStageTable kMetalToneDriveStage {{
    {3, {0.0}, {1.551e-05}},
    {2, {0.066, 7.26}, {0.147551}},
    {1, {3.3}, {214.6}},
    {0, {0.0}, {20000.0}},
}};

// "Metal Tone" post-clipper stage: H(s) = (b2 s^2 + b1 s) / (a2 s^2 + a1 s + a0).
// Order 2. R 4700, 100000, 10000 Ohm; C 1.5e-08, 1e-06 F
constexpr FixedStageTable kMetalTonePostStage {{
    {2, {7.05e-06}, {2.2755e-05}},
    {1, {0.1}, {0.1102205}},
    {0, {0.0}, {1.0}},
}};

// "Metal Tone" shaping filter stage: H(s) = (b5 s^5 + ... + b0) / (a5 s^5 + ... + a0).
// Fixed fifth-order shaping filter, unity at DC.
constexpr FixedStageTable kMetalToneFilterStage {{
    {5, {3.826404624e-17}, {3.826404624e-17}},
    {4, {2.761022717e-10}, {2.476014575e-10}},
    {3, {1.780838507e-05}, {5.812819373e-06}},
    {2, {0.255576091}, {0.239474897}},
    {1, {237.4935418}, {127.7180271}},
    {0, {141554.5}, {141554.5}},
}};

// "Metal Tone" bass/treble stage: H(s) = (b3 s^3 + ... + b0) / (a3 s^3 + ... + a0).
// Order 3, x = Bass, y = Treble, linear 100000 Ohm pots. R 100000, 100000, 2200, 2200, 100000, 22000, 22000 Ohm; C 1e-08, 2.2e-07, 4.7e-08 F
//                           1            x            y            x^2           xy          y^2          x^2 y        x y^2        x^2 y^2
constexpr BassTrebleStageTable kMetalToneBassTrebleStage {{
    {3, {0.500456,    0.61055632,  27.75256,    -0.500456,    32.75712,   -22.748,     -27.75256,   -27.75256,   22.748},
        {5.61511632,  5.39491568,  22.748,      -5.505016,    12.73888,   -27.75256,   -17.74344,   -17.74344,   22.748}},
    {2, {22877.228,   33657.36,    7166.28,     -27588.0,     316800.0,   -5874.0,     -268400.0,   -268400.0,   220000.0},
        {30238.868,   69918.64,    52981.72,    -75988.0,     123200.0,   -54274.0,    -171600.0,   -171600.0,   220000.0}},
    {1, {6094000.0,   268400000.0, 12200000.0,  -220000000.0, 0.0,        -10000000.0},
        {56694000.0,  171600000.0, 7800000.0,   -220000000.0, 0.0,        -10000000.0}},
    {0, {1e10}, {1e10}},
}};

// "Metal Tone" mid stage: H(s) = (b4 s^4 + ... + b0) / (a4 s^4 + ... + a0).
// Order 4, inverting, x = Mid Level, linear 100000 Ohm pot; both gangs of the 47000 Ohm Mid Frequency pot
// present 47000 * A. R 47000, 330, 100000, 1000000, 2200, 330, 2200, 47000 Ohm; C 2.2e-08, 8.2e-09, 1e-06, 1e-07 F
//                   1                 A                 x          A^2                A x
constexpr MidStageTable kMetalToneMidStage {{
    {4, {4.130823879e-07,  1.764988385e-05,  0.0,       0.0001885328502,   0.0},
        {-4.130823879e-07, -1.764988385e-05, 0.0,       -0.0001885328502,  0.0}},
    {3, {0.008743507344,   0.1880452441,     0.045496,  0.02675010642,     0.97196},
        {-0.05423950734,   -1.160005244,     0.045496,  -0.02675010642,    0.97196}},
    {2, {474.7714642,      35.677395,        0.0,       0.2471402692,      0.0},
        {-475.2264242,     -45.396995,       0.0,       -0.2471402692,     0.0}},
    {1, {9446.75748,       336.2098},
        {-9446.75748,      -336.2098}},
    {0, {47000.0}, {-47000.0}},
}};
// clang-format on

}   // namespace pedal::circuits
