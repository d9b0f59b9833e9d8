// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CMVXStravelGUIContainer.h"

CMVXStravelGUIContainer::CMVXStravelGUIContainer (int32_t variant) : variant (variant)
{
    layoutTable = new std::map<int32_t, CMVXLayoutRect>{
        {0, {67, 167, 0, 0}},  {1, {73, 10, 0, 0}},   {2, {139, 258, 0, 0}}, {3, {139, 279, 0, 0}},
        {4, {3, 277, 0, 0}},   {5, {0, 276, 0, 0}},   {6, {4, 2, 135, 19}},  {7, {138, 1, 0, 0}},
        {8, {196, 1, 0, 0}},   {9, {3, 256, 0, 0}},   {10, {14, 34, 0, 0}},  {11, {51, 34, 0, 0}},
        {12, {88, 34, 0, 0}},  {13, {125, 34, 0, 0}}, {14, {24, 34, 0, 0}},  {15, {70, 34, 0, 0}},
        {16, {116, 34, 0, 0}},
    };
}

void CMVXStravelGUIContainer::loadBitmaps ()
{
    for (int32_t id : {100, 101, 102, 200, 201, 300, 301, 302, 303, 500, 502, 900,
                       901, 600, 103, 111, 104, 105, 110, 107, 106, 108, 109})
        addBitmap (id);
}
