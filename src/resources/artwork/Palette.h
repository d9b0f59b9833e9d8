// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's own colours, shared by the background, the display's controls and the faces.

#include "resources/artwork/Painting.h"

namespace Morvane::Artwork::Palette {

// clang-format off
inline Paint::Rgb accent () { return Paint::hex (0xe8a13c); }      // warm amber
inline Paint::Rgb chassis () { return Paint::hex (0x1e2023); }     // graphite
inline Paint::Rgb glass () { return Paint::hex (0x0b1014); }       // display glass
inline Paint::Rgb field () { return Paint::hex (0x14191e); }
inline Paint::Rgb fieldOpen () { return Paint::hex (0x1c232a); }
inline Paint::Rgb lettering () { return Paint::hex (0xebe6da); }   // warm white
// clang-format on

}   // namespace Morvane::Artwork::Palette
