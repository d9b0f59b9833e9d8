// SPDX-License-Identifier: GPL-3.0-or-later
// The bitmaps' sizes and frames, without the drawing: also what Windows needs to scale its
// embedded pictures frame by frame.
#include "resources/artwork/Artwork.h"

#include <cmath>
#include <map>

namespace Morvane::Artwork {
namespace {

const std::map<int, BitmapSize>& sizeTable ()
{
    static const std::map<int, BitmapSize> table = {
        {100, {44, 86, 2}},     {101, {171, 156, 2}},   {102, {85, 82, 2}},
        {103, {135, 20, 1}},    {104, {37, 17, 1}},     {105, {37, 17, 1}},
        {106, {37, 17, 1}},     {107, {37, 17, 1}},     {108, {18, 34, 2}},
        {109, {18, 34, 2}},     {110, {37, 17, 1}},     {111, {135, 20, 1}},
        {200, {22, 44, 2}},     {201, {36, 80, 4}},     {300, {40, 5600, 140}},
        {301, {40, 5600, 140}}, {302, {40, 5600, 140}}, {303, {40, 5600, 140}},
        {500, {180, 300, 1}},   {502, {180, 24, 1}},    {600, {180, 1760, 8}},
        {900, {180, 300, 1}},   {901, {180, 300, 1}},
    };
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
