// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/artwork/FaceLayout.h"
#include "resources/BitmapList.h"

namespace Morvane::Artwork::FaceLayout {

using Paint::Finish;
using Paint::hex;

namespace {

// Knob squares of a row of three and of the two-knob model, left and top on the face.
constexpr double kRowTop = 34.0, kSecondRowTop = 84.0;
constexpr double kLeft = 24.0, kMiddle = 70.0, kRight = 116.0;

// clang-format off
const Model kModels[8] = {
    // Treble Booster: brushed aluminium, no knobs
    {hex (0xb7babe), Finish::Brushed, hex (0x4a1610), hex (0x9c2b1e), 0, true, 89.0, 152.0, 0, {},
     0},
    // XXL Distortion+: hammered teal
    {hex (0x1d6a6c), Finish::Hammered, hex (0xf1e7cc), hex (0xf3b445), 0, false, 89.0, 152.0, 2,
     {{46.0, kRowTop, "GAIN"}, {93.0, kRowTop, "LEVEL"}},
     kBitmapKnobXxl},
    // BAT Distortion: plum metal flake
    {hex (0x3e1a45), Finish::Flake, hex (0xe9e4ee), hex (0xc59be0), 0, true, 89.0, 152.0, 3,
     {{kLeft, kRowTop, "GAIN"}, {kMiddle, kRowTop, "FILTER"}, {kRight, kRowTop, "VOLUME"}},
     kBitmapKnobBat},
    // Over Drive: matte sage
    {hex (0x7a9170), Finish::Matte, hex (0x1d2819), hex (0xf4efe0), 1, false, 0.0, -1.0, 3,
     {{kLeft, kRowTop, "GAIN"}, {kMiddle, kRowTop, "TONE"}, {kRight, kRowTop, "LEVEL"}},
     kBitmapKnobDrive},
    // Super Drive: cobalt metal flake
    {hex (0x1f4597), Finish::Flake, hex (0xf2f4fa), hex (0x9cc8ff), 1, false, 0.0, -1.0, 3,
     {{kLeft, kRowTop, "GAIN"}, {kMiddle, kRowTop, "TONE"}, {kRight, kRowTop, "LEVEL"}},
     kBitmapKnobDrive},
    // 9 Screamer: cream gloss lacquer
    {hex (0xe4d9bd), Finish::Gloss, hex (0x3a2415), hex (0xc0531c), 2, false, 90.5, 157.0, 3,
     {{kLeft, kRowTop, "OVERDRIVE"}, {kMiddle, kRowTop, "TONE"}, {kRight, kRowTop, "LEVEL"}},
     kBitmapKnobScreamer},
    // 808 Screamer: brushed copper
    {hex (0xb06a40), Finish::Brushed, hex (0x2b1409), hex (0x3a1d0e), 2, true, 90.5, 157.0, 3,
     {{kLeft, kRowTop, "OVERDRIVE"}, {kMiddle, kRowTop, "TONE"}, {kRight, kRowTop, "LEVEL"}},
     kBitmapKnobScreamer},
    // Metal Tone: hammered oxblood, two rows of knobs
    {hex (0x6a1a1b), Finish::Hammered, hex (0xf0e9e4), hex (0xff7a3d), 1, false, 0.0, -1.0, 6,
     {{kLeft, kRowTop, "GAIN"}, {kMiddle, kRowTop, "LEVEL"}, {kRight, kRowTop, "BASS"},
      {kLeft, kSecondRowTop, "TREBLE"}, {kMiddle, kSecondRowTop, "MID LEVEL"},
      {kRight, kSecondRowTop, "MID FREQ"}},
     kBitmapKnobDrive},
};
// clang-format on

}   // namespace

const Model& model (int index)
{
    return kModels[(index >= 0 && index < 8) ? index : 0];
}

Place footswitchPlace (int style)
{
    switch (style)
    {
        case 1: return {0.0, 138.0};
        case 2: return {48.0, 170.0};
        default: return {67.0, 167.0};
    }
}

}   // namespace Morvane::Artwork::FaceLayout
