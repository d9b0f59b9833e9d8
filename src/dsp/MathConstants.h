// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Mathematical constants, defined once for the engine, its tools and its tests.

constexpr double kPi = 3.14159265358979323846;
constexpr float kPiFloat = static_cast<float> (kPi);
