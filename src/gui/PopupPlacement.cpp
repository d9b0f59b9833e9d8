// SPDX-License-Identifier: GPL-3.0-or-later
#include "PopupPlacement.h"
#include <algorithm>

namespace VSTGUI {
namespace {

// The start of a span of length on [low, high), preferring preferred, else flipped (the span
// ending at flippedEnd), else pushed inside.
CCoord fitSpan (CCoord preferred, CCoord flippedEnd, CCoord length, CCoord low, CCoord high)
{
    if (preferred + length <= high && preferred >= low)
        return preferred;
    if (flippedEnd - length >= low && flippedEnd <= high)
        return flippedEnd - length;
    return std::max (low, std::min (preferred, high - length));
}

}   // namespace

PopupPlacement placePopup (const CRect& anchor, const CPoint& size, const CRect& workArea,
                           PopupSide side)
{
    const bool below = side == PopupSide::kBelow;
    PopupPlacement placed;
    if (workArea.isEmpty ())
    {
        const CPoint origin =
            below ? CPoint (anchor.left, anchor.bottom) : CPoint (anchor.right, anchor.top);
        placed.rect = CRect (origin, size);
        return placed;
    }
    const CCoord width = std::min (size.x, workArea.getWidth ());
    CCoord height = size.y;
    if (height > workArea.getHeight ())
    {
        height = workArea.getHeight ();
        placed.scrolls = true;
    }
    CCoord left;
    CCoord top;
    if (below)
    {
        // Below, else above; sideways it only shifts.
        top = fitSpan (anchor.bottom, anchor.top, height, workArea.top, workArea.bottom);
        left = fitSpan (anchor.left, anchor.left + width, width, workArea.left, workArea.right);
    }
    else
    {
        // Right, else left; vertically it only shifts.
        left = fitSpan (anchor.right, anchor.left, width, workArea.left, workArea.right);
        top = fitSpan (anchor.top, anchor.top + height, height, workArea.top, workArea.bottom);
    }
    placed.rect = CRect (CPoint (left, top), CPoint (width, height));
    return placed;
}

}   // namespace VSTGUI
