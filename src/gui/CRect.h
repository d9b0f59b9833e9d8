// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A rectangle: left and top inside, right and bottom just outside.
#include "CPoint.h"
#include <algorithm>
#include <cmath>

namespace VSTGUI {

struct CRect
{
    CCoord left {0};
    CCoord top {0};
    CCoord right {0};
    CCoord bottom {0};

    constexpr CRect () = default;
    constexpr CRect (CCoord l, CCoord t, CCoord r, CCoord b)
    : left (l), top (t), right (r), bottom (b)
    {}
    constexpr CRect (const CPoint& origin, const CPoint& size)
    : left (origin.x), top (origin.y), right (origin.x + size.x), bottom (origin.y + size.y)
    {}

    CCoord getWidth () const { return right - left; }
    CCoord getHeight () const { return bottom - top; }
    CRect& setWidth (CCoord w)
    {
        right = left + w;
        return *this;
    }
    CRect& setHeight (CCoord h)
    {
        bottom = top + h;
        return *this;
    }
    CPoint getTopLeft () const { return {left, top}; }
    CPoint getBottomRight () const { return {right, bottom}; }
    CPoint getSize () const { return {getWidth (), getHeight ()}; }
    CPoint getCenter () const { return {(left + right) / 2, (top + bottom) / 2}; }

    CRect& offset (CCoord dx, CCoord dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
        return *this;
    }
    CRect& offset (const CPoint& d) { return offset (d.x, d.y); }
    CRect& moveTo (CCoord x, CCoord y) { return offset (x - left, y - top); }
    CRect& moveTo (const CPoint& p) { return moveTo (p.x, p.y); }
    // The same size with the origin at 0, 0.
    CRect& originize () { return offset (-left, -top); }
    CRect& inset (CCoord dx, CCoord dy)
    {
        left += dx;
        right -= dx;
        top += dy;
        bottom -= dy;
        return *this;
    }
    CRect& extend (CCoord dx, CCoord dy) { return inset (-dx, -dy); }

    bool isEmpty () const { return right <= left || bottom <= top; }
    bool pointInside (const CPoint& p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    bool rectOverlap (const CRect& o) const
    {
        return o.right > left && o.left < right && o.bottom > top && o.top < bottom;
    }
    bool rectInside (const CRect& o) const
    {
        return o.left >= left && o.right <= right && o.top >= top && o.bottom <= bottom;
    }
    // Intersection; an empty result collapses onto this rectangle's top-left corner.
    CRect& bound (const CRect& o)
    {
        left = std::max (left, o.left);
        top = std::max (top, o.top);
        right = std::min (right, o.right);
        bottom = std::min (bottom, o.bottom);
        if (right < left)
            right = left;
        if (bottom < top)
            bottom = top;
        return *this;
    }
    CRect& unite (const CRect& o)
    {
        if (o.isEmpty ())
            return *this;
        if (isEmpty ())
            return *this = o;
        left = std::min (left, o.left);
        top = std::min (top, o.top);
        right = std::max (right, o.right);
        bottom = std::max (bottom, o.bottom);
        return *this;
    }
    // Grows to whole pixels so a redraw never leaves a half-covered edge behind.
    CRect& makeIntegral ()
    {
        left = std::floor (left);
        top = std::floor (top);
        right = std::ceil (right);
        bottom = std::ceil (bottom);
        return *this;
    }

    bool operator== (const CRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!= (const CRect& o) const { return !(*this == o); }
};

}   // namespace VSTGUI
