// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The demo riff as a list of pick strokes and mutes on the six strings of a guitar in standard tuning.
#include <vector>

struct RiffEvent
{
    double timeSeconds;
    int string;   // 0 = low E … 5 = high E
    int fret;   // ignored by a mute
    double velocity;   // 0..1
    bool palmMuted;
    bool mute;   // lift the finger instead of picking
};

// Open-string frequencies of standard tuning, low E first.
double openStringHz (int string);
// About eight seconds in E at 120 bpm: palm-muted chugs, single notes, power chords, an open chord.
std::vector<RiffEvent> demoRiff ();
