// SPDX-License-Identifier: GPL-3.0-or-later
// Stage tables of the Over Drive, Super Drive, 9 Screamer and 808 Screamer circuits.
// Each row: {power of s, numerator terms, denominator terms}; see StageTable.h for the term order.
// Above each table: the stage and its transfer function, b and a the rows' numerator and
// denominator coefficients (polynomials in the stage's controls where it has any).
#include "dsp/circuits/CircuitTables.h"

namespace pedal::circuits {

// clang-format off
// "Over Drive" input stage: H(s) = (b1 s) / (a2 s^2 + a1 s + a0).
// Order 2. R 1000, 510000 Ohm; C 4.7e-11, 1e-07 F
constexpr FixedStageTable kOverDriveInputStage {{
    {2, {0.0}, {2.397e-09}},
    {1, {0.051}, {0.051100047}},
    {0, {0.0}, {1.0}},
}};

// "Super Drive" input stage: H(s) = (b2 s^2) / (a2 s^2 + a1 s + a0).
// Order 2. R 470000, 10000, 100000, 22, 10000 Ohm; C 4.7e-08, 2.2e-08 F; consts 0.03, 0.0003
constexpr FixedStageTable kSuperDriveInputStage {{
    {2, {0.014725194}, {0.01525681606}},
    {1, {0.0}, {7.93496538}},
    {0, {0.0}, {445.0}},
}};

// "9 Screamer" and "808 Screamer" input stage: H(s) = (b2 s^2) / (a2 s^2 + a1 s + a0).
// Order 2. R 51000, 10000, 10000, 220, 1000 Ohm; C 2e-08, 1e-06 F; consts 0.03, 0.0003
constexpr FixedStageTable kScreamerInputStage {{
    {2, {0.0030906}, {0.00324774252}},
    {1, {0.0}, {3.742712}},
    {0, {0.0}, {319.3}},
}};

// "Over Drive" and both Screamers' tone stage: H(s) = (b2 s^2 + b1 s + b0) / (a3 s^3 + ... + a0).
// Order 3, x = Tone, linear 20000 Ohm pot. R 10000, 220, 20000, 1000, 1000 Ohm; C 2e-12, 2.2e-07, 2.2e-07 F
constexpr OneControlStageTable kOverDriveToneStage {{
    {3, {0.0}, {4.2592e-09, 3.872e-07, -3.872e-07}},
    {2, {1.936e-05, 0.00176, -0.00176}, {2.129797296, 193.601848, -193.601936}},
    {1, {9680.4, 924000.0, -880000.0}, {98648.44, 924000.0, -968000.0}},
    {0, {200000000.0}, {220000000.0}},
}};

// "Super Drive" tone stage: H(s) = (b2 s^2 + b1 s + b0) / (a3 s^3 + ... + a0).
// Order 3, x = Tone, linear 22000 Ohm pot. R 22000000, 470, 22000, 10000, 10000 Ohm; C 1e-08, 1.8e-08, 2.7e-08 F
constexpr OneControlStageTable kSuperDriveToneStage {{
    {3, {0.0}, {0.11055528, 5.174928, -5.174928}},
    {2, {614.196, 28749.6, -28749.6}, {23500.02798, 67443.948, -80511.948}},
    {1, {54541960.0, 418176000.0, -287496000.0}, {272366751.8, 156946680.0, -287626680.0}},
    {0, {4.84e11}, {4.8422e11}},
}};

// "Over Drive" level stage: H(s) = (b1 s) / (a1 s + a0).
// Order 1, x = Level, linear 100000 Ohm pot. R 100000, 10000 Ohm; C 1e-06 F
constexpr OneControlStageTable kOverDriveLevelStage {{
    {1, {0.0, 0.1}, {0.11}},
    {0, {0.0}, {1.0}},
}};

// "Super Drive" level stage: H(s) = (b3 s^3) / (a3 s^3 + ... + a0).
// Order 3, x = Level, linear 10000 Ohm pot. R 22000, 1000000, 1000, 100000, 10000, 10000, 4700 Ohm; C 1e-06, 1e-06, 4.7e-07 F; consts 0.03, 0.0003
constexpr OneControlStageTable kSuperDriveLevelStage {{
    {3, {0.0, 0.14241}, {0.221933026, 0.00442272726, -0.003008658}},
    {2, {0.0}, {18.23063335, 0.34259616, -0.028388}},
    {1, {0.0}, {222.01816, 2.8388}},
    {0, {0.0}, {604.0}},
}};

// "9 Screamer" level stage: H(s) = (b3 s^3) / (a3 s^3 + ... + a0).
// Order 3, x = Level, linear 100000 Ohm pot. R 22, 510000, 470, 100000, 10000, 100000, 1000 Ohm; C 1e-05, 1e-07, 1e-07 F; consts 0.03, 0.0003
constexpr OneControlStageTable kNineScreamerLevelStage {{
    {3, {0.0, 0.15453}, {0.1573884293, 0.0479293379, -0.04745479}},
    {2, {0.0}, {20.53254715, 4.791636, -0.0457}},
    {1, {0.0}, {494.6686054, 4.57}},
    {0, {0.0}, {457.0}},
}};

// "808 Screamer" level stage: H(s) = (b3 s^3) / (a3 s^3 + ... + a0).
// Order 3, x = Level, linear 100000 Ohm pot. R 22, 510000, 1000, 10000, 10000, 100000, 1000 Ohm; C 1e-05, 1e-07, 1e-07 F; consts 0.03, 0.0003
constexpr OneControlStageTable k808ScreamerLevelStage {{
    {3, {0.0, 0.015453}, {0.01727791319, 0.00663267, -0.006567}},
    {2, {0.0}, {2.530552029, 0.702857, -0.0457}},
    {1, {0.0}, {85.7907054, 4.57}},
    {0, {0.0}, {457.0}},
}};
// clang-format on

}   // namespace pedal::circuits
