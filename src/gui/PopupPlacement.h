// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a popup goes: below its anchor (a menu control) or beside it (a submenu's row), kept
// inside the work area of the monitor that shows it. It opens upward (or to the left) when
// there is no room on its own side, shifts sideways at the edges, and is cut to the work
// area's height, scrolling, when it is taller.
#include "CRect.h"

namespace VSTGUI {

enum class PopupSide
{
    kBelow,
    kRight,
};

struct PopupPlacement
{
    CRect rect;
    bool scrolls {false};
};

// All in one coordinate system; an empty work area (unknown) leaves the popup where its side
// puts it.
PopupPlacement placePopup (const CRect& anchor, const CPoint& size, const CRect& workArea,
                           PopupSide side);

}   // namespace VSTGUI
