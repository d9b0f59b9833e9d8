// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/EmbeddedPng.h"

#include "resources/EmbeddedPngIndex.h"

namespace Morvane::Resources {

PngData findPng (int id, int scale)
{
    for (const EmbeddedPngEntry* entry = embeddedPngBegin (); entry != embeddedPngEnd (); ++entry)
    {
        if (entry->id == id && entry->scale == scale)
            return {entry->begin, static_cast<std::size_t> (entry->end - entry->begin)};
    }
    return {};
}

}   // namespace Morvane::Resources
