// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CMVXOvermoorLayout.h"
#include "editor/CMVXStravelGUIContainer.h"

namespace {

// Three knobs in a row: tags a, b, c at layout keys 14, 15, 16.
constexpr CMVXPedalLayout rowOfThree (int32_t strip, int32_t a, int32_t b, int32_t c, int32_t style,
                                      int32_t left, int32_t top)
{
    return {strip, 3, {{a, 14, 0, 0}, {b, 15, 0, 0}, {c, 16, 0, 0}}, style, left, top};
}

// Metal Tone: two rows of three.
constexpr CMVXPedalLayout kMetalTone = {
    kBitmapKnobDrive,
    6,
    {{2, 14, 0, 0}, {3, 15, 0, 0}, {4, 16, 0, 0}, {5, 14, 0, 50}, {6, 15, 0, 50}, {7, 16, 0, 50}},
    1,
    0,
    138};

constexpr CMVXPedalLayout kLayouts[kPedalModelCount] = {
    {0, 0, {}, 0, 67, 167},                                           // Treble Booster
    {kBitmapKnobXxl, 2, {{2, 11, -5, 0}, {3, 12, 5, 0}}, 0, 67, 167}, // XXL Distortion+
    rowOfThree (kBitmapKnobBat, 2, 4, 3, 0, 67, 167),                 // BAT Distortion
    rowOfThree (kBitmapKnobDrive, 2, 4, 3, 1, 0, 138),                // Over Drive
    rowOfThree (kBitmapKnobDrive, 2, 4, 3, 1, 0, 138),                // Super Drive
    rowOfThree (kBitmapKnobScreamer, 2, 4, 3, 2, 48, 170),            // 9 Screamer
    rowOfThree (kBitmapKnobScreamer, 2, 4, 3, 2, 48, 170),            // 808 Screamer
    kMetalTone,
};

} // namespace

const CMVXPedalLayout& pedalLayout (int32_t model)
{
    return kLayouts[model >= 0 && model < kPedalModelCount ? model : 0];
}

int32_t footswitchBitmap (int32_t style)
{
    switch (style)
    {
        case 1: return kBitmapFootswitchBar;
        case 2: return kBitmapFootswitchBox;
        default: return kBitmapFootswitchRound;
    }
}
