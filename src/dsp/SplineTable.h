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
    const Segment& segment (int32_t i) const noexcept { return segments[static_cast<std::size_t> (i)]; }
    const std::vector<double>& knots () const noexcept { return abscissae; }
    bool hasSameGrid (const SplineTable& other) const noexcept
    {
        return offset == other.offset && count == other.count;
    }

    // Audio thread. Below the grid (index < 0) the first ordinate is returned (t = 0 on segment 0);
    // within one step before the first knot the first segment extrapolates (t < 0); from the last
    // knot on, the last segment is evaluated at kEndPosition. Non-finite input clamps like a
    // value below the grid.
    Position locate (double u) const noexcept
    {
        double shifted = u + offset;
        shifted = shifted > -1.0 ? shifted : -1.0;                  // also catches NaN
        shifted = shifted < indexLimit ? shifted : indexLimit;     // keeps the int conversion defined
        int32_t i = static_cast<int32_t> (shifted);                // truncation towards zero
        double t = u - static_cast<double> (i - offset);
        if (i < lowIndex)
        {
            i = lowIndex;
            t = 0.0;
        }
        if (i > highIndex)
        {
            i = highIndex;
            t = kEndPosition;
        }
        return {i, t};
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
    std::vector<Segment> segments;
    int32_t offset = 0;       // minus the integer part of the first abscissa
    int32_t lowIndex = 0;
    int32_t highIndex = -1;   // number of points - 2
    double indexLimit = 0.0;  // any shifted abscissa at or above it uses the last segment
    std::vector<double> abscissae;
    uint32_t count = 0;
};
