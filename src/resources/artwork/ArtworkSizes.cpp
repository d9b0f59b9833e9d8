// SPDX-License-Identifier: GPL-3.0-or-later
// The bitmaps' sizes and frames, without the drawing: also what Windows needs to scale its
// embedded pictures frame by frame.
#include "resources/artwork/Artwork.h"
#include "resources/BitmapList.h"

#include <cmath>
#include <map>

namespace Morvane::Artwork {
namespace {

const std::map<int, BitmapSize>& sizeTable ()
{
#define OVERMOOR_BITMAP_SIZE(name, id, width, height, frames) {id, {width, height, frames}},
    static const std::map<int, BitmapSize> table = {OVERMOOR_BITMAPS (OVERMOOR_BITMAP_SIZE)};
#undef OVERMOOR_BITMAP_SIZE
    return table;
}

}   // namespace

const std::vector<int>& bitmapIds ()
{
    static const std::vector<int> ids = [] {
        std::vector<int> all;
        for (const auto& entry : sizeTable ())
            all.push_back (entry.first);
        return all;
    }();
    return ids;
}

BitmapSize bitmapSize (int id)
{
    auto found = sizeTable ().find (id);
    return found == sizeTable ().end () ? BitmapSize {} : found->second;
}

int pixelWidth (int id, double scale)
{
    return static_cast<int> (std::lround (bitmapSize (id).width * scale));
}

int framePixelHeight (int id, double scale)
{
    return static_cast<int> (std::lround (bitmapSize (id).frameHeight () * scale));
}

}   // namespace Morvane::Artwork
