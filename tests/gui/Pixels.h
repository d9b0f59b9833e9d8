// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A pixel as 0xAARRGGBB, premultiplied; one implementation per drawing backend.
#include "gui/COffscreenContext.h"
#include "gui/platform/IPlatformBitmap.h"
#include <cstdint>

uint32_t pixelAt (VSTGUI::IPlatformBitmap* bitmap, int x, int y);

// Of an offscreen context, whose drawing is ended first.
inline uint32_t pixelAt (VSTGUI::COffscreenContext& context, int x, int y)
{
    context.endDraw ();
    return pixelAt (context.getBitmap ()->getPlatformBitmap (), x, y);
}
