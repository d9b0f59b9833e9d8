// SPDX-License-Identifier: GPL-3.0-or-later
// The product's table: contents, defaults, knob titles by model, and the info interface.
#include "params/CMVXParamTable.h"
#include "params/CMVXStravelParamInfo.h"
#include <gtest/gtest.h>

namespace {

using Titles = std::vector<std::string>;

Titles knobTitles (const CMVXParamTable& table)
{
    Titles titles;
    for (int32_t id = kParamKnob1; id <= kParamKnob6; ++id)
        titles.push_back (table.find (id)->getName ());
    return titles;
}

const Titles kUnused = {"n/a 1", "n/a 2", "n/a 3", "n/a 4", "n/a 5", "n/a 6"};

}

TEST (ParamTable, VariantZeroHoldsEightRecordsWithTheirRangesAndDefaults)
{
    const CMVXParamTable table (0);
    ASSERT_EQ (table.getParamCount (), 8);
    EXPECT_EQ (table.find (0)->getName (), "Effect State");
    EXPECT_EQ (table.find (1)->getName (), "Model");
    EXPECT_EQ (knobTitles (table), kUnused);
    // The default values themselves are checked as a fresh instance's state through the bundle,
    // the model texts through the render tool's listing.
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
        {1, {"Gain", "Level", "n/a 1", "n/a 2", "n/a 3", "n/a 4"}},   // drops every Metal Tone title
        {5, {"Overdrive", "Level", "Tone", "n/a 1", "n/a 2", "n/a 3"}},
        {4, {"Gain", "Level", "Tone", "n/a 1", "n/a 2", "n/a 3"}},
        {2, {"Distortion", "Volume", "Filter", "n/a 1", "n/a 2", "n/a 3"}},
        {9, {"Parameter 1", "Parameter 2", "Parameter 3", "Parameter 4", "Parameter 5", "Parameter 6"}},
        {0, kUnused}, {8, kUnused}, {-1, kUnused}, {10, kUnused}, {INT32_MIN, kUnused}, {INT32_MAX, kUnused}};
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
    EXPECT_EQ (CMVXStravelParamInfo (0).getParam (4)->getName (), "n/a 3");   // each owner has its own table
}
