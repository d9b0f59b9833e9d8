// SPDX-License-Identifier: GPL-3.0-or-later
#include "params/CMVXParameter.h"
#include "dsp/CMVXDSPAlgInterface.h"
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

namespace {

// Rounds half away from zero, as the integer curve and its text do.
double roundHalfAway (double v)
{
    return v > 0.0 ? std::trunc (v + 0.5) : std::trunc (v - 0.5);
}

// Index of a list entry for a plain value; NaN and huge values land past the end.
bool listIndex (double plainValue, size_t count, size_t& index)
{
    const double i = std::max (std::trunc (plainValue + 0.5), 0.0);
    if (!(i < static_cast<double> (count)))
        return false;
    index = static_cast<size_t> (i);
    return true;
}

}   // namespace

CMVXParameter::CMVXParameter (ListTag, std::string name_, std::vector<std::string> texts_,
                              double min_, double max_, double step_, double defaultPlain_,
                              uint32_t curveType_, bool readOnly_, int32_t extraInt_,
                              bool extraFlag_, CMVXDSPAlgInterface* owner_)
: owner (owner_), defaultPlain (defaultPlain_), min (min_), max (max_), step (step_),
  texts (std::move (texts_)), name (std::move (name_)), curveType (curveType_),
  readOnly (readOnly_), extraInt (extraInt_), extraFlag (extraFlag_)
{
    // Every reader takes texts[0] as the unit; a list is never left without an entry.
    if (texts.empty ())
        texts.emplace_back ();
    defaultNormalized = toNormalized (defaultPlain);
    plain.store (defaultPlain, std::memory_order_relaxed);
    normalized.store (defaultNormalized, std::memory_order_relaxed);
}

CMVXParameter::CMVXParameter (RangeTag, std::string name_, std::string unit, double min_,
                              double max_, double step_, double defaultPlain_, uint32_t curveType_,
                              bool readOnly_, int32_t extraInt_, bool extraFlag_,
                              CMVXDSPAlgInterface* owner_)
: CMVXParameter (ListTag {}, std::move (name_), std::vector<std::string> {std::move (unit)}, min_,
                 max_, step_, defaultPlain_, curveType_, readOnly_, extraInt_, extraFlag_, owner_)
{}

CMVXParameter::CMVXParameter (const CMVXParameter& other)
: owner (other.owner), normalized (other.normalized.load (std::memory_order_relaxed)),
  defaultPlain (other.defaultPlain), defaultNormalized (other.defaultNormalized),
  plain (other.plain.load (std::memory_order_relaxed)), min (other.min), max (other.max),
  step (other.step), texts (other.texts), name (other.name), curveType (other.curveType),
  readOnly (other.readOnly), extraInt (other.extraInt), extraFlag (other.extraFlag)
{}

CMVXParameter::CMVXParameter (const CMVXParameter& other, CMVXDSPAlgInterface* newOwner)
: CMVXParameter (other)
{
    owner = newOwner;
    if (curveType == kCurveList)
        plain.store (std::trunc (plain.load (std::memory_order_relaxed) + 0.5),
                     std::memory_order_relaxed);
}

CMVXParameter& CMVXParameter::operator= (const CMVXParameter& other)
{
    if (this == &other)
        return *this;
    owner = other.owner;
    normalized.store (other.normalized.load (std::memory_order_relaxed), std::memory_order_relaxed);
    defaultPlain = other.defaultPlain;
    defaultNormalized = other.defaultNormalized;
    plain.store (other.plain.load (std::memory_order_relaxed), std::memory_order_relaxed);
    min = other.min;
    max = other.max;
    step = other.step;
    texts = other.texts;
    name = other.name;
    curveType = other.curveType;
    readOnly = other.readOnly;
    extraInt = other.extraInt;
    extraFlag = other.extraFlag;
    return *this;
}

void CMVXParameter::setNormalized (double x)
{
    const double p = toPlain (x);
    // A silence-floor value at the floor reads as exactly 0 whatever brought it there.
    const double n = (curveType == kCurveLinearSilenceFloor && p == min) ? 0.0 : x;
    plain.store (p, std::memory_order_relaxed);
    normalized.store (n, std::memory_order_relaxed);
    notifyOwner ();
}

void CMVXParameter::setPlain (double p)
{
    plain.store (p, std::memory_order_relaxed);
    normalized.store (toNormalized (p), std::memory_order_relaxed);
    notifyOwner ();
}

// The audio thread acquires updatePending, so both values above are visible once it sees it.
void CMVXParameter::notifyOwner ()
{
    if (owner != nullptr)
        owner->updatePending.store (true, std::memory_order_release);
}

double CMVXParameter::getPlain () const
{
    const double p = plain.load (std::memory_order_relaxed);
    return curveType == kCurveList ? std::trunc (p + 0.5) : p;
}

int32_t CMVXParameter::getStepCount () const
{
    if (step == 0.0)
        return 0;
    const double count = std::trunc ((std::fabs (max) + std::fabs (min)) / step);
    if (!(count >= 0.0))
        return 0;
    return count >= static_cast<double> (INT32_MAX) ? INT32_MAX : static_cast<int32_t> (count);
}

double CMVXParameter::toPlain (double x) const
{
    switch (curveType)
    {
        case kCurveInteger: return roundHalfAway (min + (max - min) * x);
        case kCurveLogarithmic:
            if (x == 1.0)
                return max;
            return std::exp (std::log (min) + (std::log (max) - std::log (min)) * x);
        case kCurveQuadratic: return min + (max - min) * x * x;
        default: return min + (max - min) * x;
    }
}

double CMVXParameter::toNormalized (double p) const
{
    if (curveType == kCurveLogarithmic)
    {
        const double x = (std::log (p) - std::log (min)) / (std::log (max) - std::log (min));
        // NaN (zero-width or non-positive range) reads as the bottom of the range.
        if (!(x >= 0.0))
            return 0.0;
        return std::min (x, 1.0);
    }
    if (curveType == kCurveQuadratic)
    {
        // Unclamped above the range; below it (or on a zero-width range) there is no real root.
        const double ratio = (p - min) / (max - min);
        return ratio >= 0.0 ? std::sqrt (ratio) : 0.0;
    }
    if (max == min)
        return 0.0;
    const double clamped = std::clamp (p, std::min (min, max), std::max (min, max));
    const double x = (clamped - min) / (max - min);
    if (curveType == kCurveInteger)
        return (toPlain (x) - min) / (max - min);
    return x;
}

std::string CMVXParameter::formatValue (bool withName, bool withUnit, double value) const
{
    if (!(value >= 0.0))
        value = plain.load (std::memory_order_relaxed);

    char buffer[16];   // the number text holds at most 15 characters
    if (curveType == kCurveInteger)
    {
        double rounded = roundHalfAway (value);
        if (!(rounded == rounded))
            rounded = 0.0;
        rounded =
            std::clamp (rounded, static_cast<double> (INT_MIN), static_cast<double> (INT_MAX));
        std::snprintf (buffer, sizeof (buffer), "%d", static_cast<int> (rounded));
    }
    else
        std::snprintf (buffer, sizeof (buffer), "%.1f", value);
    std::string number = buffer;
    std::string label;

    switch (curveType)
    {
        case kCurveTwoState: {
            const double mid = (min + max) / 2.0;
            const size_t index = value < mid ? 0 : 1;
            if (value != mid && index < texts.size ())
                label = texts[index];
            break;
        }
        case kCurveList: {
            size_t index = 0;
            if (listIndex (value, texts.size (), index))
                label = texts[index];
            number.clear ();
            break;
        }
        case kCurveLinearSilenceFloor:
            if (value > min)
                label = texts.front ();
            else
                number = "-Inf";
            break;
        case kCurveLinearOffAtMin:
            if (value > min)
                label = texts.front ();
            else
                number = "Off";
            break;
        case kCurveLinearOffAtMax:
            if (value < max)
                label = texts.front ();
            else
                number = "Off";
            break;
        default: label = texts.front (); break;
    }

    if (withUnit)
        return withName ? name + ": " + number + " " + label : number + " " + label;
    return curveType == kCurveList ? label : number;
}
