// SPDX-License-Identifier: GPL-3.0-or-later
#include "processor/CMVXStravelClassIds.h"

const Steinberg::FUID kCMVXStravelProcessorUID (0x84C4DE6E, 0x91554F54, 0x9F6AFA2F, 0x3C956234);
const Steinberg::FUID kCMVXStravelControllerUID (0xD39C4B76, 0x17AF42FB, 0x834A52E4, 0x41E0DD0C);
