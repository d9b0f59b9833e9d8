// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every bitmap of the pedal window, listed once. The editor's ids and the list it loads, the
// artwork's sizes and the build's list of PNGs to render and embed (src/resources/CMakeLists.txt
// reads the rows below) all come from here.
// Columns: name, resource id, width and height at 1x (all frames stacked), frames.

#include <cstdint>

// clang-format off
#define OVERMOOR_BITMAPS(X)                                \
    X (kBitmapFootswitchRound,   100,  44,   86,   2)      \
    X (kBitmapFootswitchBar,     101, 171,  156,   2)      \
    X (kBitmapFootswitchBox,     102,  85,   82,   2)      \
    X (kBitmapSelector,          103, 135,   20,   1)      \
    X (kBitmapSave,              104,  37,   17,   1)      \
    X (kBitmapSaveOpen,          105,  37,   17,   1)      \
    X (kBitmapInfo,              106,  37,   17,   1)      \
    X (kBitmapInfoOpen,          107,  37,   17,   1)      \
    X (kBitmapAccept,            108,  18,   34,   2)      \
    X (kBitmapCancel,            109,  18,   34,   2)      \
    X (kBitmapSaveAlternative,   110,  37,   17,   1)      \
    X (kBitmapSelectorOpen,      111, 135,   20,   1)      \
    X (kBitmapLamp,              200,  22,   44,   2)      \
    X (kBitmapStatusLamp,        201,  36,   80,   4)      \
    X (kBitmapKnobXxl,           300,  40, 5600, 140)      \
    X (kBitmapKnobDrive,         301,  40, 5600, 140)      \
    X (kBitmapKnobBat,           302,  40, 5600, 140)      \
    X (kBitmapKnobScreamer,      303,  40, 5600, 140)      \
    X (kBitmapBackground,        500, 180,  300,   1)      \
    X (kBitmapNamePanel,         502, 180,   24,   1)      \
    X (kBitmapFaces,             600, 180, 1760,   8)      \
    X (kBitmapAbout,             900, 180,  300,   1)      \
    X (kBitmapAboutAlternative,  901, 180,  300,   1)
// clang-format on

#define OVERMOOR_BITMAP_ENUMERATOR(name, id, width, height, frames) name = id,
enum CMVXStravelBitmapId : int32_t
{
    OVERMOOR_BITMAPS (OVERMOOR_BITMAP_ENUMERATOR)
};
#undef OVERMOOR_BITMAP_ENUMERATOR
