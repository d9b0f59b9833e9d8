// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A point (or a size) in view coordinates.
#include "CBaseObject.h"

namespace VSTGUI {

struct CPoint
{
    CCoord x {0};
    CCoord y {0};

    constexpr CPoint () = default;
    constexpr CPoint (CCoord px, CCoord py) : x (px), y (py) {}

    CPoint& offset (CCoord dx, CCoord dy)
    {
        x += dx;
        y += dy;
        return *this;
    }
    CPoint& offset (const CPoint& d) { return offset (d.x, d.y); }
    CPoint operator+ (const CPoint& o) const { return {x + o.x, y + o.y}; }
    CPoint operator- (const CPoint& o) const { return {x - o.x, y - o.y}; }
    CPoint& operator+= (const CPoint& o) { return offset (o.x, o.y); }
    CPoint& operator-= (const CPoint& o) { return offset (-o.x, -o.y); }
    bool operator== (const CPoint& o) const { return x == o.x && y == o.y; }
    bool operator!= (const CPoint& o) const { return !(*this == o); }
};

}   // namespace VSTGUI
