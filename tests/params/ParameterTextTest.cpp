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

CMVXParameter twoState (double min, double max)
{
    return CMVXParameter (CMVXParameter::ListTag {}, "Mode", {"Low", "High"}, min, max, 0.0, min,
                          kCurveTwoState, false, 0, true, nullptr);
}

}

TEST (ParameterText, TableExamples)
{
    CMVXParamTable table (0);
    EXPECT_EQ (table.find (kParamKnob1)->formatValue (true, true, 42.5), "n/a 1: 42.5 %");
    EXPECT_EQ (table.find (kParamEffectState)->formatValue (true, true, 1.0), "Effect State:  On");
    EXPECT_EQ (table.find (kParamModel)->formatValue (false, false, 7.0), "Metal Tone");
    EXPECT_EQ (table.find (kParamModel)->formatValue (false, true, 2.0), " BAT Distortion");
    // withName has no effect without withUnit.
    EXPECT_EQ (table.find (kParamKnob1)->formatValue (true, false, 42.5), "42.5");
    EXPECT_EQ (table.find (kParamKnob1)->formatValue (false, true, 42.5), "42.5 %");
}

TEST (ParameterText, NegativeArgumentMeansTheCurrentValue)
{
    CMVXParamTable table (0);
    CMVXParameter& knob = *table.find (kParamKnob1 + 2);
    knob.setPlain (12.25);
    EXPECT_EQ (knob.formatValue (false, false, -1.0), "12.2");   // %.1f of 12.25 rounds to even
    EXPECT_EQ (knob.formatValue (false, false, -0.5), "12.2");
    EXPECT_EQ (knob.formatValue (false, false, 0.0), "0.0");

    // An integer value below zero can only be shown as the current value.
    CMVXParameter integer = range (kCurveInteger, -10.0, 10.0);
    integer.setPlain (-2.5);
    EXPECT_EQ (integer.formatValue (false, false, -1.0), "-3");
    EXPECT_EQ (integer.formatValue (false, true, 2.5), "3 dB");
}

TEST (ParameterText, ListIndexOutsideTheTexts)
{
    CMVXParamTable table (0);
    CMVXParameter& model = *table.find (kParamModel);
    EXPECT_EQ (model.formatValue (false, false, 7.4), "Metal Tone");
    EXPECT_EQ (model.formatValue (false, false, 7.5), "");   // rounds to 8, past the end
    EXPECT_EQ (model.formatValue (false, false, 1e300), "");
    model.setPlain (-3.0);   // a negative current value uses entry 0
    EXPECT_EQ (model.formatValue (false, false, -1.0), "Treble Booster");
    EXPECT_EQ (model.formatValue (true, true, 8.0), "Model:  ");
}

TEST (ParameterText, FloorAndCeilingWords)
{
    CMVXParameter floor = range (kCurveLinearSilenceFloor, 0.0, 10.0);
    EXPECT_EQ (floor.formatValue (false, false, 0.0), "-Inf");
    EXPECT_EQ (floor.formatValue (false, true, 0.0), "-Inf ");
    EXPECT_EQ (floor.formatValue (false, true, 0.1), "0.1 dB");

    CMVXParameter offAtMin = range (kCurveLinearOffAtMin, 0.0, 10.0, "ms");
    EXPECT_EQ (offAtMin.formatValue (true, true, 0.0), "Level: Off ");
    EXPECT_EQ (offAtMin.formatValue (false, true, 5.0), "5.0 ms");

    CMVXParameter offAtMax = range (kCurveLinearOffAtMax, 0.0, 10.0, "Hz");
    EXPECT_EQ (offAtMax.formatValue (false, false, 10.0), "Off");
    EXPECT_EQ (offAtMax.formatValue (false, true, 11.0), "Off ");
    EXPECT_EQ (offAtMax.formatValue (false, true, 9.5), "9.5 Hz");
}

TEST (ParameterText, TwoStateLabelIsEmptyExactlyAtTheMidpoint)
{
    CMVXParameter mode = twoState (0.0, 1.0);
    EXPECT_EQ (mode.formatValue (false, true, 0.5), "0.5 ");
    EXPECT_EQ (mode.formatValue (false, true, 0.2), "0.2 Low");
    EXPECT_EQ (mode.formatValue (false, true, 0.8), "0.8 High");
    EXPECT_EQ (mode.formatValue (false, false, 0.8), "0.8");
    // A two-state record built with only a unit has no second text: empty, not a crash.
    EXPECT_EQ (range (kCurveTwoState, 0.0, 1.0).formatValue (false, true, 0.9), "0.9 ");
}

TEST (ParameterText, NumberTextIsBoundedAndLogAndQuadraticShowTheUnit)
{
    CMVXParameter huge = range (kCurveLinear, 0.0, 1e300);
    EXPECT_LE (huge.formatValue (false, false, 1e300).size (), 15u);
    CMVXParameter integer = range (kCurveInteger, 0.0, 1e300);
    EXPECT_EQ (integer.formatValue (false, false, 1e300), "2147483647");

    EXPECT_EQ (range (kCurveLogarithmic, 20.0, 20000.0, "Hz").formatValue (false, true, 440.0),
               "440.0 Hz");
    EXPECT_EQ (range (kCurveQuadratic, 0.0, 1.0, "s").formatValue (false, true, 0.25), "0.2 s");
}
