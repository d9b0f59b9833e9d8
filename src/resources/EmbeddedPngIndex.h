// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The build's table of embedded PNGs (generated next to the assembled data).

namespace Morvane::Resources {

struct EmbeddedPngEntry
{
    int id;
    int scale;
    const unsigned char* begin;
    const unsigned char* end;
};

const EmbeddedPngEntry* embeddedPngBegin ();
const EmbeddedPngEntry* embeddedPngEnd ();

}   // namespace Morvane::Resources
