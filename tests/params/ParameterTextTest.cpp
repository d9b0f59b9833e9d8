// SPDX-License-Identifier: GPL-3.0-or-later
// Value texts: number and label rules of every curve and the name/unit combinations.
#include "params/CMVXParamTable.h"
#include <gtest/gtest.h>

namespace {

CMVXParameter range (uint32_t curve, double min, double max, const std::string& unit = "dB")
{
    return CMVXParameter (CMVXParameter::RangeTag {}, "Level", unit, min, max, 0.0, min, curve,
                          false, 0, true, nullptr);
}

struct TextCase
{
    CMVXParameter parameter;
    bool withName, withUnit;
    double value;   // negative: the current value
    const char* expected;
};

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
        {negativeModel, false, false, -1.0, "Treble Booster"},   // a negative current value is entry 0
        {floorAtNormalizedZero, false, false, -1.0, "-Inf"},
        {range (kCurveLinearSilenceFloor, 0.0, 10.0), false, true, 0.0, "-Inf "},
        {range (kCurveLinearSilenceFloor, 0.0, 10.0), false, true, 0.1, "0.1 dB"},
        {range (kCurveLinearOffAtMin, 0.0, 10.0, "ms"), true, true, 0.0, "Level: Off "},
        {range (kCurveLinearOffAtMin, 0.0, 10.0, "ms"), false, true, 5.0, "5.0 ms"},
        {range (kCurveLinearOffAtMax, 0.0, 10.0, "Hz"), false, false, 10.0, "Off"},
        {range (kCurveLinearOffAtMax, 0.0, 10.0, "Hz"), false, true, 11.0, "Off "},
        {range (kCurveLinearOffAtMax, 0.0, 10.0, "Hz"), false, true, 9.5, "9.5 Hz"},
        {twoState, false, true, 0.5, "0.5 "},   // no label exactly at the midpoint
        {twoState, false, true, 0.2, "0.2 Low"},
        {twoState, false, true, 0.8, "0.8 High"},
        {twoState, false, false, 0.8, "0.8"},
        {range (kCurveTwoState, 0.0, 1.0), false, true, 0.9, "0.9 "},   // no second text: empty
        {range (kCurveInteger, 0.0, 1e300), false, false, 1e300, "2147483647"},
        {range (kCurveLogarithmic, 20.0, 20000.0, "Hz"), false, true, 440.0, "440.0 Hz"},
        {range (kCurveQuadratic, 0.0, 1.0, "s"), false, true, 0.25, "0.2 s"}};
    for (size_t i = 0; i < cases.size (); ++i)
    {
        const TextCase& c = cases[i];
        EXPECT_EQ (c.parameter.formatValue (c.withName, c.withUnit, c.value), c.expected)
            << "case " << i << ": value " << c.value;
    }
    EXPECT_LE (range (kCurveLinear, 0.0, 1e300).formatValue (false, false, 1e300).size (), 15u);
}
