// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CMVXOvermoorLayout.h"
#include "editor/CMVXStravelGUIContainer.h"

namespace {

// Each footswitch style sits at the same place on every face that has it.
constexpr CMVXLayoutRect kBarCorner = {0, 138, 0, 0};
constexpr CMVXLayoutRect kBoxCorner = {48, 170, 0, 0};

constexpr CMVXLayoutRect cornerOf (int32_t footswitchStyle)
{
    switch (footswitchStyle)
    {
        case kFootswitchBar: return kBarCorner;
        case kFootswitchBox: return kBoxCorner;
        default: return kFootswitchCorner;
    }
}

constexpr CMVXPedalLayout pedal (int32_t strip, int32_t knobCount, const CMVXKnobPlace (&knobs)[6],
                                 int32_t footswitchStyle)
{
    return {strip,
            knobCount,
            {knobs[0], knobs[1], knobs[2], knobs[3], knobs[4], knobs[5]},
            footswitchStyle,
            cornerOf (footswitchStyle).left,
            cornerOf (footswitchStyle).top};
}

// Three knobs in a row: tags a, b, c from left to right.
constexpr CMVXPedalLayout rowOfThree (int32_t strip, int32_t a, int32_t b, int32_t c,
                                      int32_t footswitchStyle)
{
    return pedal (strip, 3,
                  {{a, kLayoutRowOf3Knob1, 0, 0},
                   {b, kLayoutRowOf3Knob2, 0, 0},
                   {c, kLayoutRowOf3Knob3, 0, 0}},
                  footswitchStyle);
}

constexpr CMVXPedalLayout kLayouts[kPedalModelCount] = {
    pedal (0, 0, {}, kFootswitchRound),   // Treble Booster
    // XXL Distortion+: the middle two places of a row of four, moved 5 pixels apart.
    pedal (kBitmapKnobXxl, 2,
           {{kParamKnob1, kLayoutRowOf4Knob2, -5, 0}, {kParamKnob2, kLayoutRowOf4Knob3, 5, 0}},
           kFootswitchRound),
    // BAT Distortion
    rowOfThree (kBitmapKnobBat, kParamKnob1, kParamKnob3, kParamKnob2, kFootswitchRound),
    // Over Drive
    rowOfThree (kBitmapKnobDrive, kParamKnob1, kParamKnob3, kParamKnob2, kFootswitchBar),
    // Super Drive
    rowOfThree (kBitmapKnobDrive, kParamKnob1, kParamKnob3, kParamKnob2, kFootswitchBar),
    // 9 Screamer
    rowOfThree (kBitmapKnobScreamer, kParamKnob1, kParamKnob3, kParamKnob2, kFootswitchBox),
    // 808 Screamer
    rowOfThree (kBitmapKnobScreamer, kParamKnob1, kParamKnob3, kParamKnob2, kFootswitchBox),
    // Metal Tone: two rows of three, the second 50 pixels lower.
    pedal (kBitmapKnobDrive, 6,
           {{kParamKnob1, kLayoutRowOf3Knob1, 0, 0},
            {kParamKnob2, kLayoutRowOf3Knob2, 0, 0},
            {kParamKnob3, kLayoutRowOf3Knob3, 0, 0},
            {kParamKnob4, kLayoutRowOf3Knob1, 0, 50},
            {kParamKnob5, kLayoutRowOf3Knob2, 0, 50},
            {kParamKnob6, kLayoutRowOf3Knob3, 0, 50}},
           kFootswitchBar),
};

}   // namespace

const CMVXPedalLayout& pedalLayout (int32_t model)
{
    return kLayouts[model >= 0 && model < kPedalModelCount ? model : 0];
}

int32_t footswitchBitmap (int32_t style)
{
    switch (style)
    {
        case kFootswitchBar: return kBitmapFootswitchBar;
        case kFootswitchBox: return kBitmapFootswitchBox;
        default: return kBitmapFootswitchRound;
    }
}
