// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the manual says, in order: the pedal, the models and their knobs, the factory presets,
// the preset bar, where user presets live, help and the info menu.
#include "ManualPdf.h"

namespace Manual {

void writeManual (ManualPdf& pdf, const std::string& version, const std::string& webSite);

}   // namespace Manual
