// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pixels.h"
#include "gui/platform/direct2d/WicBitmap.h"

uint32_t pixelAt (VSTGUI::IPlatformBitmap* bitmap, int x, int y)
{
    const WICRect one {x, y, 1, 1};
    uint32_t pixel = 0;   // premultiplied BGRA bytes: 0xAARRGGBB read as a little-endian word
    static_cast<VSTGUI::WicBitmap*> (bitmap)->getWicBitmap ()->CopyPixels (
        &one, 4, 4, reinterpret_cast<BYTE*> (&pixel));
    return pixel;
}

// The factories stay for the whole run, as an open editor keeps them: making them afresh for
// each test costs about a second under Wine.
static const VSTGUI::D2DBackend::Use keepFactories;
