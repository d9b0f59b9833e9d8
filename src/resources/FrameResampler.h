// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scales a stack of frames of premultiplied 32-bit pixels down, frame by frame, each target pixel
// the average of the source area it covers: what a prepared larger picture gives at a scale it was
// not prepared at, with no frame bleeding into the next.
#include <cstdint>
#include <vector>

namespace Morvane::Resources {

std::vector<uint32_t> resampleFrames (const uint32_t* pixels, int width, int frameHeight,
                                      int frames, int toWidth, int toFrameHeight);

}   // namespace Morvane::Resources
