// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's bitmaps as PNG files embedded in the library, looked up by resource id.

#include <cstddef>

namespace Morvane::Resources {

struct PngData
{
    const unsigned char* bytes = nullptr;
    std::size_t size = 0;

    explicit operator bool () const { return bytes != nullptr && size > 0; }
};

// The PNG of a bitmap id at scale 1 or 2 (pixels per logical pixel); empty for an unknown id or
// a scale that was not rendered at build time.
PngData findPng (int id, int scale = 1);

}   // namespace Morvane::Resources
