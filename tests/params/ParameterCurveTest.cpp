// SPDX-License-Identifier: GPL-3.0-or-later
// The product's parameter table and info interface, and every curve's conversions, value texts
// and owner update flag.
#include "dsp/CMVXDSPAlgInterface.h"
#include "params/CMVXParamTable.h"
#include "params/CMVXStravelParamInfo.h"
#include <cmath>
#include <gtest/gtest.h>

namespace {

CMVXParameter range (uint32_t curve, double min, double max, double step = 0.0, double def = 0.0,
                     CMVXDSPAlgInterface* owner = nullptr, const std::string& unit = "dB")
{
    return CMVXParameter (CMVXParameter::RangeTag {}, "Level", unit, min, max, step,
                          def < min ? min : def, curve, false, 0, true, owner);
}

CMVXParameter unitRange (uint32_t curve, double min, double max, const std::string& unit)
{
    return range (curve, min, max, 0.0, min, nullptr, unit);
}

class OwnerStub : public CMVXDSPAlgInterface
{
public:
    OwnerStub () : CMVXDSPAlgInterface (48000.0, 64) {}
    void updateSettings (bool) override {}
    void resetState () override {}
    std::string getInfoText () override { return {}; }
};

using Titles = std::vector<std::string>;

Titles knobTitles (const CMVXParamTable& table)
{
    Titles titles;
    for (int32_t id = kParamKnob1; id <= kParamKnob6; ++id)
        titles.push_back (table.find (id)->getName ());
    return titles;
}

const Titles kUnused = {"n/a 1", "n/a 2", "n/a 3", "n/a 4", "n/a 5", "n/a 6"};

}   // namespace

TEST (ParameterCurves, ListValuesRoundToTheNearestEntry)
{
    CMVXParamTable table (0);
    CMVXParameter& model = *table.find (kParamModel);
    CMVXParameter& effect = *table.find (kParamEffectState);
    // normalised, raw plain, rounded plain
    for (const auto& [normalized, raw, plain] :
         {std::tuple {1.0 / 7.0, 1.0, 1.0}, {0.07, 0.49, 0.0}, {0.08, 0.56, 1.0}})
    {
        model.setNormalized (normalized);
        EXPECT_NEAR (model.getRawPlain (), raw, 1e-12) << normalized;
        EXPECT_EQ (model.getPlain (), plain) << normalized;
    }
    for (const double normalized : {0.5, 0.49})
    {
        effect.setNormalized (normalized);
        EXPECT_EQ (effect.getPlain (), normalized >= 0.5 ? 1.0 : 0.0) << normalized;
    }
}

TEST (ParameterCurves, LinearClampsOnlyTowardsNormalisedAndZeroWidthGivesZero)
{
    CMVXParameter p = range (kCurveLinear, -20.0, 20.0);
    EXPECT_DOUBLE_EQ (p.toPlain (0.25), -10.0);
    EXPECT_DOUBLE_EQ (p.toNormalized (10.0), 0.75);
    EXPECT_EQ (p.toNormalized (100.0), 1.0);
    EXPECT_EQ (p.toNormalized (-100.0), 0.0);
    p.setPlain (30.0);   // stored unclamped; only the normalised reading is clamped
    EXPECT_EQ (p.getRawPlain (), 30.0);
    EXPECT_EQ (p.getNormalized (), 1.0);
    p.setNormalized (1.5);   // nor are normalised writes clamped
    EXPECT_DOUBLE_EQ (p.getRawPlain (), 40.0);
    for (uint32_t curve : {kCurveLinear, kCurveInteger, kCurveTwoState, kCurveList,
                           kCurveLinearSilenceFloor, kCurveLinearOffAtMin, kCurveLinearOffAtMax})
        EXPECT_EQ (range (curve, 5.0, 5.0).toNormalized (7.0), 0.0) << "curve " << curve;
}

TEST (ParameterCurves, IntegerRoundsHalfAwayFromZeroAndSnapsNormalised)
{
    CMVXParameter p = range (kCurveInteger, -10.0, 10.0);
    for (const auto& [normalized, plain] :
         {std::pair {0.625, 3.0}, {0.375, -3.0}, {0.6, 2.0}})   // ±2.5 → ±3
        EXPECT_EQ (p.toPlain (normalized), plain) << normalized;
    for (const auto& [plain, normalized] :
         {std::pair {2.4, 0.6}, {2.5, 0.65}, {-2.5, 0.35}, {99.0, 1.0}})
        EXPECT_DOUBLE_EQ (p.toNormalized (plain), normalized) << plain;
}

TEST (ParameterCurves, LogarithmicEndsAreExactAndNonPositiveReadsAsBottom)
{
    CMVXParameter p = range (kCurveLogarithmic, 20.0, 20000.0, 0.0, 1000.0);
    EXPECT_EQ (p.toPlain (1.0), 20000.0);
    EXPECT_NEAR (p.toPlain (0.0), 20.0, 1e-12);
    EXPECT_NEAR (p.toPlain (0.5), std::sqrt (20.0 * 20000.0), 1e-9);   // geometric mean
    EXPECT_NEAR (p.toNormalized (200.0), 1.0 / 3.0, 1e-12);
    for (double outside : {30000.0, 10.0, 0.0, -5.0})   // never NaN
        EXPECT_EQ (p.toNormalized (outside), outside > 20000.0 ? 1.0 : 0.0) << outside;
}

TEST (ParameterCurves, QuadraticSquareLawAndUnclampedInverse)
{
    CMVXParameter p = range (kCurveQuadratic, 0.0, 100.0);
    EXPECT_DOUBLE_EQ (p.toPlain (0.5), 25.0);
    for (const auto& [plain, normalized] : {std::pair {25.0, 0.5}, {400.0, 2.0}})
        EXPECT_DOUBLE_EQ (p.toNormalized (plain), normalized) << plain;
    EXPECT_FALSE (std::isnan (p.toNormalized (-1.0)));
}

TEST (ParameterCurves, SilenceFloorReadsAsZeroNormalised)
{
    CMVXParameter p = range (kCurveLinearSilenceFloor, -60.0, 0.0, 0.0, -6.0);
    p.setNormalized (1e-20);   // lands exactly on the floor: pinned to 0
    EXPECT_EQ (p.getRawPlain (), -60.0);
    EXPECT_EQ (p.getNormalized (), 0.0);
    p.setNormalized (0.5);
    EXPECT_EQ (p.getNormalized (), 0.5);
}

TEST (ParameterRecord, WritesRaiseTheOwnersFlagAndCopiesKeepOrAdoptOwners)
{
    OwnerStub first, second;
    CMVXParameter owned = range (kCurveLinear, 0.0, 100.0, 1.0, 50.0, &first);
    owned.setNormalized (0.3);
    EXPECT_TRUE (first.updatePending.exchange (false));
    owned.setPlain (70.0);
    EXPECT_TRUE (first.updatePending.exchange (false));
    EXPECT_DOUBLE_EQ (owned.getNormalized (), 0.7);

    CMVXParamTable table (0);
    CMVXParameter& model = *table.find (kParamModel);
    model.setNormalized (0.07);   // plain 0.49
    model.setName ("Renamed");
    const CMVXParameter adopted (model, &first);
    EXPECT_EQ (adopted.getOwner (), &first);
    EXPECT_EQ (adopted.getRawPlain (), 0.0);   // adopting rounds a list value
    EXPECT_EQ (adopted.getName (), "Renamed");
    CMVXParameter assigned = range (kCurveLinear, 0.0, 1.0, 0.0, 0.0, &second);
    assigned = CMVXParameter (adopted);
    EXPECT_EQ (assigned.getOwner (), &first);
    EXPECT_EQ (assigned.getCurveType (), kCurveList);
    CMVXParameter& knob = *table.find (kParamKnob1);
    knob.setPlain (42.7);
    EXPECT_EQ (CMVXParameter (knob, &second).getRawPlain (),
               42.7);   // a linear value is not rounded
    CMVXParameter (adopted).setNormalized (1.0);
    EXPECT_TRUE (first.updatePending.load ());
    EXPECT_FALSE (second.updatePending.load ());
}

TEST (ParameterRecord, StepCountFollowsTheStep)
{
    for (const auto& [max, step, count] :
         {std::tuple {100.0, 0.0, 0}, {100.0, 1.0, 100}, {10.0, 0.3, 33}})
        EXPECT_EQ (range (kCurveLinear, 0.0, max, step).getStepCount (), count) << step;
}

TEST (ParameterText, EveryCurvesNumberAndLabelRules)
{
    CMVXParamTable table (0);
    CMVXParameter knob = *table.find (kParamKnob1);
    CMVXParameter model = *table.find (kParamModel);
    CMVXParameter effect = *table.find (kParamEffectState);
    CMVXParameter currentKnob = knob;
    currentKnob.setPlain (12.25);
    CMVXParameter currentInteger = range (kCurveInteger, -10.0, 10.0);
    currentInteger.setPlain (-2.5);
    CMVXParameter negativeModel = model;
    negativeModel.setPlain (-3.0);
    const CMVXParameter twoState (CMVXParameter::ListTag {}, "Mode", {"Low", "High"}, 0.0, 1.0, 0.0,
                                  0.0, kCurveTwoState, false, 0, true, nullptr);
    CMVXParameter floorAtNormalizedZero = range (kCurveLinearSilenceFloor, -60.0, 0.0);
    floorAtNormalizedZero.setNormalized (0.0);

    struct TextCase
    {
        CMVXParameter parameter;
        bool withName, withUnit;
        double value;   // negative: the current value
        const char* expected;
    };
    const std::vector<TextCase> cases = {
        {knob, true, true, 42.5, "n/a 1: 42.5 %"},
        {knob, true, false, 42.5, "42.5"},   // the name needs the unit
        {knob, false, true, 42.5, "42.5 %"},
        {knob, false, false, 0.0, "0.0"},
        {currentKnob, false, false, -1.0, "12.2"},   // %.1f of 12.25 rounds to even
        {currentKnob, false, false, -0.5, "12.2"},
        {currentInteger, false, false, -1.0, "-3"},
        {currentInteger, false, true, 2.5, "3 dB"},
        {effect, true, true, 1.0, "Effect State:  On"},
        {effect, false, false, 0.0, "Off"},
        {model, false, false, 7.0, "Metal Tone"},
        {model, false, true, 2.0, " BAT Distortion"},
        {model, false, false, 7.4, "Metal Tone"},
        {model, false, false, 7.5, ""},   // rounds to 8, past the end
        {model, false, false, 1e300, ""},
        {model, true, true, 8.0, "Model:  "},
        {negativeModel, false, false, -1.0,
         "Treble Booster"},   // a negative current value is entry 0
        {floorAtNormalizedZero, false, false, -1.0, "-Inf"},
        {range (kCurveLinearSilenceFloor, 0.0, 10.0), false, true, 0.0, "-Inf "},
        {range (kCurveLinearSilenceFloor, 0.0, 10.0), false, true, 0.1, "0.1 dB"},
        {unitRange (kCurveLinearOffAtMin, 0.0, 10.0, "ms"), true, true, 0.0, "Level: Off "},
        {unitRange (kCurveLinearOffAtMin, 0.0, 10.0, "ms"), false, true, 5.0, "5.0 ms"},
        {unitRange (kCurveLinearOffAtMax, 0.0, 10.0, "Hz"), false, false, 10.0, "Off"},
        {unitRange (kCurveLinearOffAtMax, 0.0, 10.0, "Hz"), false, true, 11.0, "Off "},
        {unitRange (kCurveLinearOffAtMax, 0.0, 10.0, "Hz"), false, true, 9.5, "9.5 Hz"},
        {twoState, false, true, 0.5, "0.5 "},   // no label exactly at the midpoint
        {twoState, false, true, 0.2, "0.2 Low"},
        {twoState, false, true, 0.8, "0.8 High"},
        {twoState, false, false, 0.8, "0.8"},
        {range (kCurveTwoState, 0.0, 1.0), false, true, 0.9, "0.9 "},   // no second text: empty
        {range (kCurveInteger, 0.0, 1e300), false, false, 1e300, "2147483647"},
        {unitRange (kCurveLogarithmic, 20.0, 20000.0, "Hz"), false, true, 440.0, "440.0 Hz"},
        {unitRange (kCurveQuadratic, 0.0, 1.0, "s"), false, true, 0.25, "0.2 s"}};
    for (size_t i = 0; i < cases.size (); ++i)
    {
        const TextCase& c = cases[i];
        EXPECT_EQ (c.parameter.formatValue (c.withName, c.withUnit, c.value), c.expected)
            << "case " << i << ": value " << c.value;
    }
    EXPECT_LE (range (kCurveLinear, 0.0, 1e300).formatValue (false, false, 1e300).size (), 15u);
}

TEST (ParamTable, VariantZeroHoldsEightRecordsWithTheirRangesAndDefaults)
{
    const CMVXParamTable table (0);
    ASSERT_EQ (table.getParamCount (), 8);
    // Titles are the controller suite's; default values the bundle's; model texts the render tool's.
    ASSERT_EQ (table.getDefaults ().size (), 8u);
    for (int32_t id = 0; id < 8; ++id)
    {
        const CMVXParameter& p = *table.find (id);
        const bool knob = id >= kParamKnob1;
        EXPECT_EQ (p.getRawPlain (), table.getDefaults ()[size_t (id)]) << id;
        EXPECT_EQ (p.getDefaultNormalized (), p.getNormalized ()) << id;
        EXPECT_EQ (p.getCurveType (), knob ? kCurveLinear : kCurveList) << id;
        EXPECT_EQ (p.getStepCount (), knob ? 100 : id == kParamModel ? 7 : 1) << id;
        EXPECT_EQ (knob ? p.getUnit () : "%", "%") << id;   // list records keep their texts instead
        EXPECT_FALSE (p.isReadOnly ());
    }
    EXPECT_EQ (table.find (kParamEffectState)->getTexts (), (Titles {"Off", "On"}));
    EXPECT_EQ (table.find (kParamModel)->getTexts ().size (), 8u);
}

TEST (ParamTable, OtherVariantsAreEmpty)
{
    const CMVXParamTable table (1);
    EXPECT_EQ (table.getParamCount (), 0);
    EXPECT_EQ (table.find (0), nullptr);
    CMVXStravelParamInfo info (-3);
    EXPECT_EQ (info.getParam (0), nullptr);
    info.updateTitles (7, 0.0f);   // must not touch records that are not there
    EXPECT_EQ (info.toPlain (1, 0.5f), 0.5f);
}

TEST (ParamTable, KnobTitlesFollowTheModel)
{
    const std::vector<std::pair<int32_t, Titles>> cases = {
        {7, {"Gain", "Level", "Bass", "Treble", "Mid Level", "Mid Frequency"}},
        {1,
         {"Gain", "Level", "n/a 1", "n/a 2", "n/a 3", "n/a 4"}},   // drops every Metal Tone title
        {5, {"Overdrive", "Level", "Tone", "n/a 1", "n/a 2", "n/a 3"}},
        {4, {"Gain", "Level", "Tone", "n/a 1", "n/a 2", "n/a 3"}},
        {2, {"Distortion", "Volume", "Filter", "n/a 1", "n/a 2", "n/a 3"}},
        {9,
         {"Parameter 1", "Parameter 2", "Parameter 3", "Parameter 4", "Parameter 5",
          "Parameter 6"}},
        {0, kUnused},
        {8, kUnused},
        {-1, kUnused},
        {10, kUnused},
        {INT32_MIN, kUnused},
        {INT32_MAX, kUnused}};
    CMVXParamTable table (0);
    for (const auto& [model, titles] : cases)
    {
        table.updateTitles (model);
        EXPECT_EQ (knobTitles (table), titles) << "model " << model;
    }
    EXPECT_EQ (table.find (1)->getName (), "Model");   // titles change, nothing else does
    EXPECT_EQ (table.find (2)->getRawPlain (), 42.5);
}

TEST (ParamInfo, LookupConversionsAndOwnTitles)
{
    CMVXStravelParamInfo info (0);
    EXPECT_EQ (info.getParamCount (), 8);
    EXPECT_EQ (info.getParam (8), nullptr);
    EXPECT_EQ (info.getParam (-1), nullptr);
    EXPECT_FLOAT_EQ (info.toPlain (kParamModel, 1.0f / 7.0f), 1.0f);
    EXPECT_FLOAT_EQ (info.toNormalized (kParamKnob1, 250.0f), 1.0f);   // clamped
    EXPECT_EQ (info.toPlain (8, 0.3f), 0.3f);   // unknown ids hand the value back
    EXPECT_EQ (info.toNormalized (-1, 42.0f), 42.0f);
    info.updateTitles (3, 0.0f);
    EXPECT_EQ (info.getParam (4)->getName (), "Tone");
    EXPECT_EQ (CMVXStravelParamInfo (0).getParam (4)->getName (),
               "n/a 3");   // each owner has its own table
}
