// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Natural cubic spline over a uniform grid of unit step, looked up per sample on the audio thread.
#include <cstddef>
#include <cstdint>
#include <vector>

class SplineTable
{
public:
    // Polynomial of one grid interval: a + b*t + c*t^2 + d*t^3, t = distance from its left knot.
    struct Segment
    {
        double a, b, c, d;
    };

    // Where an abscissa falls: the segment to use and the position t within it.
    struct Position
    {
        int32_t index;
        double t;
    };

    // An empty table: every lookup yields kEmptyValue.
    SplineTable () = default;

    // abscissae must be uniform with step 1.0 (only the first one places the grid);
    // fewer than two points leave the table empty.
    SplineTable (const std::vector<double>& abscissae, const std::vector<double>& ordinates);

    static constexpr double kEmptyValue = 1e-5;
    // Beyond the last knot the last segment is held just short of its end.
    static constexpr double kEndPosition = 0.9999999999;

    bool empty () const noexcept { return segments.empty (); }
    uint32_t size () const noexcept { return count; }
    const Segment& segment (int32_t i) const noexcept
    {
        return segments[static_cast<std::size_t> (i)];
    }
    const std::vector<double>& knots () const noexcept { return abscissae; }
    bool hasSameGrid (const SplineTable& other) const noexcept
    {
        return offset == other.offset && count == other.count;
    }

    // Audio thread. Below the grid (index < 0) the first ordinate is returned (t = 0 on segment 0);
    // within one step before the first knot the first segment extrapolates (t < 0); from the last
    // knot on, the last segment is evaluated at kEndPosition. NaN counts as below the grid.
    Position locate (double u) const noexcept
    {
        const double shifted = u + offsetValue;
        // Inside the grid the index is the truncation of shifted; the rare ends take a predicted
        // branch so that no clamping lengthens the per-sample dependency chain.
        if (__builtin_expect (shifted >= 0.0 && shifted < endValue, 1))
        {
            const int32_t i = static_cast<int32_t> (shifted);
            return {i, u - static_cast<double> (i - offset)};
        }
        return locateOutside (u, shifted);
    }

    // Audio thread. p must come from locate() of this table or of one with the same grid.
    double evaluate (Position p) const noexcept
    {
        const Segment& s = segments[static_cast<std::size_t> (p.index)];
        const double t2 = p.t * p.t;
        const double t3 = t2 * p.t;
        return s.a + s.b * p.t + s.c * t2 + s.d * t3;
    }

    // Audio thread.
    double evaluate (double u) const noexcept
    {
        if (segments.empty ())
            return kEmptyValue;
        return evaluate (locate (u));
    }

private:
    Position locateOutside (double u, double shifted) const noexcept
    {
        if (shifted > -1.0 && shifted < 0.0)
            return {lowIndex, u - static_cast<double> (lowIndex - offset)};   // extrapolates
        if (shifted >= endValue)
            return {highIndex, kEndPosition};
        return {lowIndex, 0.0};   // a whole step or more below, or NaN: the first ordinate
    }

    std::vector<Segment> segments;
    int32_t offset = 0;   // minus the integer part of the first abscissa
    int32_t lowIndex = 0;
    int32_t highIndex = -1;   // number of points - 2
    double offsetValue = 0.0;   // offset as a double
    double endValue = 0.0;   // count - 1: shifted abscissae from here on hold the last segment
    std::vector<double> abscissae;
    uint32_t count = 0;
};
