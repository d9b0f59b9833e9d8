// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's bitmaps, drawn from vectors so that any scale factor renders sharp: the build
// renders 1x and 2x for embedding, and the editor may render other factors at run time.

#include <cstddef>
#include <vector>

typedef struct _cairo cairo_t;

namespace Morvane::Artwork {

struct BitmapSize
{
    int width = 0;   // logical pixels
    int height = 0;   // logical pixels, all frames stacked vertically
    int frames = 0;   // 0 for an unknown id

    int frameHeight () const { return frames > 0 ? height / frames : 0; }
};

// Every bitmap id the editor loads, ascending.
const std::vector<int>& bitmapIds ();

// Logical size of a bitmap; frames == 0 when the id is unknown.
BitmapSize bitmapSize (int id);

// Pixel size of one frame at a scale factor; whole bitmaps are frames * frame pixel height tall,
// so frames stay on whole pixel rows at any factor.
int pixelWidth (int id, double scale);
int framePixelHeight (int id, double scale);

// Draws the whole bitmap (all frames) into cr, whose user space is in device pixels and whose
// target is at least pixelWidth x frames * framePixelHeight. False for an unknown id.
bool drawBitmap (cairo_t* cr, int id, double scale);
// Draws one frame only, at its place in the whole bitmap (frame * framePixelHeight down), so a
// bitmap can be drawn frame by frame as the frames are needed. False for an unknown id or frame.
bool drawBitmapFrame (cairo_t* cr, int id, int frame, double scale);

// Drawing uses cairo and Pango with a font map of its own; call it from one thread at a time
// (the editor's user-interface thread, or the build's generator).

// Renders the bitmap at a scale factor and encodes it as PNG into png (replacing its content).
// False for an unknown id, a scale outside (0, 16] or a cairo failure.
bool renderPng (int id, double scale, std::vector<unsigned char>& png);

}   // namespace Morvane::Artwork
