// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dimples of hammered paint, drawn pixel by pixel at the target's resolution.

#include "resources/artwork/Painting.h"

namespace Morvane::Artwork::Paint {

// Paints the dimples over the rectangle (x, y, w, h) through the current clip, in one
// composite; the transformation may scale and translate, not rotate.
void paintDimples (cairo_t* cr, double x, double y, double w, double h, Rgb base, Random& rnd);

}   // namespace Morvane::Artwork::Paint
