// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where each model's knobs and footswitch sit on its pedal face.
#include <cstdint>

struct CMVXKnobPlace
{
    int32_t tag;         // the parameter id the knob edits
    int32_t layoutKey;   // its corner in the GUI container's layout table
    int32_t dx;          // moved by (dx, dy) from that corner
    int32_t dy;
};

struct CMVXPedalLayout
{
    int32_t knobStrip;      // bitmap id of the knob film strip; 0 for a pedal without knobs
    int32_t knobCount;
    CMVXKnobPlace knobs[6];
    int32_t footswitchStyle;   // 0 round, 1 bar, 2 box
    int32_t footswitchLeft;
    int32_t footswitchTop;
};

constexpr int32_t kPedalModelCount = 8;

// The layout of model 0 … 7; a model outside that range gets model 0's.
const CMVXPedalLayout& pedalLayout (int32_t model);
// Bitmap id of a footswitch style.
int32_t footswitchBitmap (int32_t style);
