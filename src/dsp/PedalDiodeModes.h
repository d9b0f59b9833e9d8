// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Each model's diode arrangement, as a CMVXSVDiodeLimiterSimulation mode: the engine configures
// the limiter with it and the stereo chains compile the matching routine. The "Treble Booster"
// has no diodes (its entry is never used).
#include <cstdint>

constexpr uint32_t kPedalDiodeModes[8] = {0, 2, 2, 1, 1, 0, 0, 2};

constexpr uint32_t pedalDiodeMode (unsigned model) { return kPedalDiodeModes[model < 8 ? model : 0]; }
