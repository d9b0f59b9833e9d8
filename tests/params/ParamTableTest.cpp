// SPDX-License-Identifier: GPL-3.0-or-later
// The product's table: contents, defaults, knob titles by model, and the info interface.
#include "params/CMVXParamTable.h"
#include "params/CMVXStravelParamInfo.h"
#include <gtest/gtest.h>

namespace {

std::vector<std::string> knobTitles (const CMVXParamTable& table)
{
    std::vector<std::string> titles;
    for (int32_t id = kParamKnob1; id <= kParamKnob6; ++id)
        titles.push_back (table.find (id)->getName ());
    return titles;
}

using Titles = std::vector<std::string>;

}

TEST (ParamTable, FreshVariantZeroHasEightRecordsDefaultsAndTrebleBoosterTitles)
{
    const CMVXParamTable table (0);
    ASSERT_EQ (table.getParamCount (), 8);
    EXPECT_EQ (table.find (0)->getName (), "Effect State");
    EXPECT_EQ (table.find (1)->getName (), "Model");
    EXPECT_EQ (knobTitles (table), (Titles {"n/a 1", "n/a 2", "n/a 3", "n/a 4", "n/a 5", "n/a 6"}));

    const std::vector<float> expectedDefaults = {1.0f, 0.0f, 42.5f, 100.0f, 81.6f, 18.0f, 61.8f, 32.5f};
    EXPECT_EQ (table.getDefaults (), expectedDefaults);

    // Defaults are 32-bit floats widened to double, so 81.6 carries the float's error.
    const double expectedNormalized[] = {1.0, 0.0, 0.425, 1.0, 0.8159999847412109, 0.18,
                                         0.6179999923706054, 0.325};
    for (int32_t id = 0; id < 8; ++id)
    {
        const CMVXParameter* param = table.find (id);
        EXPECT_NEAR (param->getNormalized (), expectedNormalized[id], 1e-15) << "id " << id;
        EXPECT_EQ (param->getDefaultNormalized (), param->getNormalized ()) << "id " << id;
        EXPECT_EQ (param->getRawPlain (), static_cast<double> (expectedDefaults[static_cast<size_t> (id)]));
        EXPECT_FALSE (param->isReadOnly ());
        EXPECT_EQ (param->getOwner (), nullptr);
    }
}

TEST (ParamTable, RangesCurvesAndTexts)
{
    const CMVXParamTable table (0);
    const CMVXParameter& effect = *table.find (kParamEffectState);
    EXPECT_EQ (effect.getCurveType (), kCurveList);
    EXPECT_EQ (effect.getTexts (), (Titles {"Off", "On"}));
    EXPECT_EQ (effect.getMax (), 1.0);

    const CMVXParameter& model = *table.find (kParamModel);
    EXPECT_EQ (model.getCurveType (), kCurveList);
    EXPECT_EQ (model.getMin (), 0.0);
    EXPECT_EQ (model.getMax (), 7.0);
    EXPECT_EQ (model.getTexts (), (Titles {"Treble Booster", "XXL Distortion+", "BAT Distortion",
                                           "Over Drive", "Super Drive", "9 Screamer",
                                           "808 Screamer", "Metal Tone"}));
    for (int32_t id = kParamKnob1; id <= kParamKnob6; ++id)
    {
        const CMVXParameter& knob = *table.find (id);
        EXPECT_EQ (knob.getCurveType (), kCurveLinear);
        EXPECT_EQ (knob.getUnit (), "%");
        EXPECT_EQ (knob.getMin (), 0.0);
        EXPECT_EQ (knob.getMax (), 100.0);
        EXPECT_EQ (knob.getStepCount (), 100);
    }
    EXPECT_EQ (effect.getStepCount (), 1);
    EXPECT_EQ (model.getStepCount (), 7);
}

TEST (ParamTable, OtherVariantsAreEmpty)
{
    const CMVXParamTable table (1);
    EXPECT_EQ (table.getParamCount (), 0);
    EXPECT_TRUE (table.getDefaults ().empty ());
    EXPECT_EQ (table.find (0), nullptr);

    CMVXStravelParamInfo info (-3);
    EXPECT_EQ (info.getParamCount (), 0);
    EXPECT_EQ (info.getParam (0), nullptr);
    EXPECT_EQ (info.getFirstParamId (), 0);
    info.updateTitles (7, 0.0f);   // must not touch records that are not there
    EXPECT_EQ (info.toPlain (1, 0.5f), 0.5f);
}

TEST (ParamTable, TitlesFollowTheModel)
{
    CMVXParamTable table (0);
    table.updateTitles (7);
    EXPECT_EQ (knobTitles (table),
               (Titles {"Gain", "Level", "Bass", "Treble", "Mid Level", "Mid Frequency"}));
    // Going back to a two-knob model must drop every Metal Tone title.
    table.updateTitles (1);
    EXPECT_EQ (knobTitles (table), (Titles {"Gain", "Level", "n/a 1", "n/a 2", "n/a 3", "n/a 4"}));
    table.updateTitles (5);
    EXPECT_EQ (knobTitles (table), (Titles {"Overdrive", "Level", "Tone", "n/a 1", "n/a 2", "n/a 3"}));
    table.updateTitles (4);
    EXPECT_EQ (knobTitles (table), (Titles {"Gain", "Level", "Tone", "n/a 1", "n/a 2", "n/a 3"}));
    table.updateTitles (2);
    EXPECT_EQ (knobTitles (table),
               (Titles {"Distortion", "Volume", "Filter", "n/a 1", "n/a 2", "n/a 3"}));
    table.updateTitles (9);
    EXPECT_EQ (knobTitles (table), (Titles {"Parameter 1", "Parameter 2", "Parameter 3",
                                            "Parameter 4", "Parameter 5", "Parameter 6"}));
    const Titles allUnused = {"n/a 1", "n/a 2", "n/a 3", "n/a 4", "n/a 5", "n/a 6"};
    for (int32_t model : {0, 8, -1, 10, INT32_MIN, INT32_MAX})
    {
        table.updateTitles (model);
        EXPECT_EQ (knobTitles (table), allUnused) << "model " << model;
    }
    // Titles change, nothing else does.
    EXPECT_EQ (table.find (0)->getName (), "Effect State");
    EXPECT_EQ (table.find (1)->getName (), "Model");
    EXPECT_EQ (table.find (2)->getRawPlain (), 42.5);
}

TEST (ParamInfo, LookupCountsAndConversions)
{
    CMVXStravelParamInfo info (0);
    EXPECT_EQ (info.getParamCount (), 8);
    EXPECT_EQ (info.getNumParams (), 8);
    EXPECT_EQ (info.getFirstParamId (), 0);
    EXPECT_EQ (info.getParam (8), nullptr);
    EXPECT_EQ (info.getParam (-1), nullptr);
    EXPECT_EQ (info.getParam (3), info.getTable ().find (3));

    EXPECT_FLOAT_EQ (info.toPlain (kParamModel, 1.0f / 7.0f), 1.0f);
    EXPECT_FLOAT_EQ (info.toNormalized (kParamKnob1, 25.0f), 0.25f);
    EXPECT_FLOAT_EQ (info.toNormalized (kParamKnob1, 250.0f), 1.0f);   // clamped
    // Unknown ids hand the value back unchanged.
    EXPECT_EQ (info.toPlain (8, 0.3f), 0.3f);
    EXPECT_EQ (info.toNormalized (-1, 42.0f), 42.0f);

    info.updateTitles (3, 0.0f);
    EXPECT_EQ (info.getParam (4)->getName (), "Tone");
    // Each owner builds its own table: another info is unaffected.
    CMVXStravelParamInfo other (0);
    EXPECT_EQ (other.getParam (4)->getName (), "n/a 3");
}
