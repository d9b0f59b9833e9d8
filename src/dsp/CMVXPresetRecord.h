// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A named set of plain parameter values, one per parameter id (id 0 first).
#include <string>
#include <vector>

struct CMVXPresetRecord
{
    std::string name;
    std::vector<float> values;
};
