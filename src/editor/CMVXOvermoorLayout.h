// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where each model's knobs and footswitch sit on its pedal face.
#include "params/CMVXParamTable.h"
#include <cstdint>

enum CMVXFootswitchStyle : int32_t
{
    kFootswitchRound = 0,
    kFootswitchBar = 1,
    kFootswitchBox = 2,
};

struct CMVXKnobPlace
{
    int32_t tag;   // the parameter id the knob edits
    int32_t layoutKey;   // its corner in the GUI container's layout table
    int32_t dx;   // moved by (dx, dy) from that corner
    int32_t dy;
};

struct CMVXPedalLayout
{
    int32_t knobStrip;   // bitmap id of the knob film strip; 0 for a pedal without knobs
    int32_t knobCount;
    CMVXKnobPlace knobs[6];
    int32_t footswitchStyle;   // a CMVXFootswitchStyle
    int32_t footswitchLeft;
    int32_t footswitchTop;
};

// The layout of model 0 … 7; a model outside that range gets model 0's.
const CMVXPedalLayout& pedalLayout (int32_t model);
// Bitmap id of a footswitch style.
int32_t footswitchBitmap (int32_t style);
