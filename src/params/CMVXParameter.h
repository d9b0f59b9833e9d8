// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One parameter: its value in normalised (0..1) and plain units, range, curve and texts.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

class CMVXDSPAlgInterface;

// How normalised and plain values map onto each other and how a value reads as text.
enum CMVXCurveType : uint32_t
{
    kCurveLinear = 0,
    kCurveInteger = 1,
    kCurveTwoState = 2,
    kCurveList = 3,
    kCurveLogarithmic = 4,
    kCurveLinearSilenceFloor = 5,
    kCurveQuadratic = 6,
    kCurveLinearOffAtMin = 7,
    kCurveLinearOffAtMax = 8,
};

class CMVXParameter
{
public:
    struct ListTag
    {};
    struct RangeTag
    {};

    CMVXParameter (ListTag, std::string name, std::vector<std::string> texts, double min,
                   double max, double step, double defaultPlain, uint32_t curveType, bool readOnly,
                   int32_t extraInt, bool extraFlag, CMVXDSPAlgInterface* owner);
    CMVXParameter (RangeTag, std::string name, std::string unit, double min, double max,
                   double step, double defaultPlain, uint32_t curveType, bool readOnly,
                   int32_t extraInt, bool extraFlag, CMVXDSPAlgInterface* owner);
    CMVXParameter (const CMVXParameter& other);
    // Adopting copy: every field but the owner; a list value is rounded to its entry.
    CMVXParameter (const CMVXParameter& other, CMVXDSPAlgInterface* newOwner);
    CMVXParameter& operator= (const CMVXParameter& other);

    // Thread-safe against a concurrent reader on the audio thread: the values are atomics and
    // the owner's updatePending is raised (release) after they are stored.
    void setNormalized (double x);
    void setPlain (double p);

    double getNormalized () const { return normalized.load (std::memory_order_relaxed); }
    double getDefaultNormalized () const { return defaultNormalized; }
    double getDefaultPlain () const { return defaultPlain; }
    double getPlain () const;   // list values rounded to their entry
    double getRawPlain () const { return plain.load (std::memory_order_relaxed); }
    double getMin () const { return min; }
    double getMax () const { return max; }
    double getStep () const { return step; }
    uint32_t getCurveType () const { return curveType; }
    bool isReadOnly () const { return readOnly; }
    int32_t getStepCount () const;

    double toPlain (double x) const;
    double toNormalized (double p) const;

    std::string getName () const { return name; }
    void setName (std::string newName) { name = std::move (newName); }
    std::string getUnit () const { return texts.front (); }
    std::vector<std::string> getTexts () const { return texts; }
    std::string formatValue (bool withName, bool withUnit, double value) const;

    CMVXDSPAlgInterface* getOwner () const { return owner; }

private:
    void notifyOwner ();

    CMVXDSPAlgInterface* owner = nullptr;
    std::atomic<double> normalized {0.0};
    double defaultPlain = 0.0;
    double defaultNormalized = 0.0;
    std::atomic<double> plain {0.0};
    double min = 0.0;
    double max = 1.0;
    double step = 0.0;
    std::vector<std::string> texts;   // list texts, or exactly one entry: the unit
    std::string name;
    uint32_t curveType = kCurveLinear;
    bool readOnly = false;
    int32_t extraInt = 0;   // stored and copied, read by nobody
    bool extraFlag = true;   // stored and copied, read by nobody
};
