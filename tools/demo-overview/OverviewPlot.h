// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The demo's overview picture: per preset one row with its waveform over time (over the dry
// signal's) and its average spectrum next to the dry signal's.
#include "AudioAnalysis.h"

#include <string>
#include <vector>

struct OverviewRow
{
    std::string title;   // "1  Torvin's Booster"
    std::string subtitle;   // the model
    std::string stats;   // levels, shown at the right of the title line
    Recording recording;
};

// False with a reason when the PNG cannot be written.
bool drawOverview (const std::string& pngPath, const Recording& dry,
                   const std::vector<OverviewRow>& rows, std::string& error);
