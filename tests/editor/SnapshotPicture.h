// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A PNG decoded to premultiplied 0xAARRGGBB pixels; one implementation per drawing backend.
#include <cstdint>
#include <string>
#include <vector>

namespace EditorTest {

struct Picture
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;   // row by row
};

// False when the file cannot be read or decoded.
bool loadPicture (const std::string& path, Picture& picture);

}   // namespace EditorTest
