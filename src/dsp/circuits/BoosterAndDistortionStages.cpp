// SPDX-License-Identifier: GPL-3.0-or-later
// Stage tables of the Treble Booster, XXL Distortion+ and BAT Distortion circuits.
// Each row: {power of s, numerator terms, denominator terms}; see StageTable.h for the term order.
// Above each table: the stage and its transfer function, b and a the rows' numerator and
// denominator coefficients (polynomials in the stage's controls where it has any).
#include "dsp/circuits/CircuitTables.h"

namespace pedal::circuits {

// clang-format off
// "Treble Booster" input stage: H(s) = (b2 s^2 + b1 s) / (a3 s^3 + ... + a0).
// Inverting, order 3. R 22000, 2000, 100000, 6800, 1000 Ohm; C 4.7e-06, 4.7e-08, 1e-09 F; consts 0.03, 0.0003
constexpr FixedStageTable kTrebleBoosterInputStage {{
    {3, {0.0}, {9.7196e-07}},
    {2, {-198.27984}, {1.3289344}},
    {1, {-21093.6}, {14114.688}},
    {0, {0.0}, {8243400.0}},
}};

// "XXL Distortion+" input stage: H(s) = (b1 s) / (a2 s^2 + a1 s + a0).
// Order 2. R 10000, 1000000, 1000000 Ohm; C 1e-09, 1e-08 F
constexpr FixedStageTable kXxlDistortionInputStage {{
    {2, {0.0}, {1.01e-05}},
    {1, {10000.0}, {10100.0211}},
    {0, {0.0}, {1000001.0}},
}};

// "BAT Distortion" input stage: H(s) = (b1 s) / (a2 s^2 + a1 s + a0).
// Order 2. R 1000, 100000 Ohm; C 1e-09, 2.2e-08, 1e-06 F; const 0.001
constexpr FixedStageTable kBatDistortionInputStage {{
    {2, {0.0}, {2.2e-15}},
    {1, {2.2e-09}, {4.4242e-09}},
    {0, {0.0}, {2.222e-06}},
}};

// "XXL Distortion+" drive stage: H(s) = (b1 s + b0) / (a1 s + a0).
// Order 1, x = taper of (1 - Gain) on a 1000000 Ohm pot. R 4700, 1000000 Ohm; C 4.7e-08 F
constexpr OneControlStageTable kXxlDistortionDriveStage {{
    {1, {0.06138717, 0.0611}, {0.0002209, 0.047}},
    {0, {1.3}, {1.0}},
}};

// "BAT Distortion" drive stage: H(s) = (b3 s^3 + ... + b0) / (a3 s^3 + ... + a0).
// Order 3, x = taper of Distortion on a 150000 Ohm pot. R 47, 560 Ohm; C 2.2e-06, 1e-10, 4.7e-06 F
constexpr OneControlStageTable kBatDistortionDriveStage {{
    {3, {0.0, 4.082232e-12}, {0.0, 4.082232e-12}},
    {2, {2.721488e-07, 0.000941498031}, {2.721488e-07, 4.1031e-08}},
    {1, {0.0027354, 1.035015}, {0.0027354, 1.5e-05}},
    {0, {1.0}, {1.0}},
}};

// "BAT Distortion" tone stage: H(s) = (b1 s) / (a2 s^2 + a1 s + a0).
// Order 2, x = Filter, linear 100000 Ohm pot. R 1500, 1000000, 1000 Ohm; C 3.3e-09, 2.2e-08 F; const 0.001
constexpr OneControlStageTable kBatDistortionToneStage {{
    {2, {0.0}, {2.178e-07, 1.452e-05}},
    {1, {0.022}, {0.0440759, 0.00506}},
    {0, {0.0}, {2.0}},
}};

// "XXL Distortion+" level stage: H(s) = (b0) / (a0).
// Order 0 (gain x), x = Level, linear 10000 Ohm pot. R 10000 Ohm
constexpr OneControlStageTable kXxlDistortionLevelStage {{
    {0, {0.0, 10000.0}, {10000.0}},
}};

// "BAT Distortion" level stage: H(s) = (b1 s) / (a1 s + a0).
// Order 1, x = Volume, linear 100000 Ohm pot. R 100000, 10000 Ohm; C 1e-05 F
constexpr OneControlStageTable kBatDistortionLevelStage {{
    {1, {0.0, 10000.0}, {10000.0}},
    {0, {0.0}, {110000.0}},
}};
// clang-format on

}   // namespace pedal::circuits
