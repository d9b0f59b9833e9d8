// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CMVXStravelGUIContainer.h"

namespace {

#define OVERMOOR_BITMAP_NAME(name, id, width, height, frames) name,
constexpr CMVXStravelBitmapId kBitmapIds[] = {OVERMOOR_BITMAPS (OVERMOOR_BITMAP_NAME)};
#undef OVERMOOR_BITMAP_NAME

}   // namespace

CMVXStravelGUIContainer::CMVXStravelGUIContainer (int32_t variant) : variant (variant)
{
    layoutTable = new std::map<int32_t, CMVXLayoutRect> {
        {kLayoutFootswitch, kFootswitchCorner}, {kLayoutLamp, {73, 10, 0, 0}},
        {kLayoutInfoMenu, {139, 258, 0, 0}},    {kLayoutSaveMenu, {139, 279, 0, 0}},
        {kLayoutPresetMenu, {3, 277, 0, 0}},    {kLayoutNamePanel, {0, 276, 0, 0}},
        {kLayoutNameField, {4, 2, 135, 19}},    {kLayoutAcceptButton, {138, 1, 0, 0}},
        {kLayoutSpareButton, {196, 1, 0, 0}},   {kLayoutModelMenu, {3, 256, 0, 0}},
        {kLayoutRowOf4Knob1, {14, 34, 0, 0}},   {kLayoutRowOf4Knob2, {51, 34, 0, 0}},
        {kLayoutRowOf4Knob3, {88, 34, 0, 0}},   {kLayoutRowOf4Knob4, {125, 34, 0, 0}},
        {kLayoutRowOf3Knob1, {24, 34, 0, 0}},   {kLayoutRowOf3Knob2, {70, 34, 0, 0}},
        {kLayoutRowOf3Knob3, {116, 34, 0, 0}},
    };
}

void CMVXStravelGUIContainer::loadBitmaps ()
{
    for (int32_t id : kBitmapIds)
        addBitmap (id);
}
