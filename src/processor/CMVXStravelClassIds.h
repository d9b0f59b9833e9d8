// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Class IDs of the product's two factory classes, constructed when the library loads.
#include "pluginterfaces/base/funknown.h"

extern const Steinberg::FUID kCMVXStravelProcessorUID;
extern const Steinberg::FUID kCMVXStravelControllerUID;
