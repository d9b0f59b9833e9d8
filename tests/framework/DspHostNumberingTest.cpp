// SPDX-License-Identifier: GPL-3.0-or-later
// Preset selection and the numbering of presets and parameters over the host's algorithms.
#include "FakeAlgorithm.h"
#include "dsp/CMVXDrivePedalsSimulationDSP.h"
#include "framework/CMVXStravelPlugInDSP.h"
#include <gtest/gtest.h>

TEST (DspHostPresets, SelectingAFactoryPresetLoadsItsValuesAsNormalised)
{
    CMVXStravelPlugInDSP dsp;
    const CMVXParamTable reference (0);
    // Plain values of preset 7 ("Metal"), normalised by the independent table.
    const float metal[] = {1, 7, 42.5f, 100, 81.6f, 18, 61.8f, 32.5f};
    dsp.setParameterNormalized (kParamEffectState, 0.0f);
    ASSERT_TRUE (dsp.getCurrentAlgorithm ()->bypassed.load ());

    dsp.selectPreset (7);
    for (int32_t id = 0; id < 8; ++id)
        EXPECT_NEAR (dsp.getParameterNormalized (id), reference.find (id)->toNormalized (metal[id]),
                     1e-7)
            << "id " << id;
    EXPECT_EQ (dsp.getParameterNormalized (kParamModel), 1.0f);
    EXPECT_FALSE (dsp.getCurrentAlgorithm ()->bypassed.load ());
    EXPECT_EQ (dsp.getSelectedPresetNumber (), 7);
    EXPECT_EQ (dsp.getCurrentAlgorithm ()->getCurrentPreset ()->name, "Metal");

    dsp.selectPreset (6);
    EXPECT_EQ (dsp.getCurrentAlgorithm ()->findParameter (kParamKnob1)->getRawPlain (), 0.0);
    EXPECT_EQ (dsp.getCurrentAlgorithm ()->findParameter (kParamModel)->getPlain (), 6.0);
    EXPECT_EQ (dsp.getSelectedPresetNumber (), 6);
}

TEST (DspHostPresets, AnOffPresetBypassesAndAFreshHostReportsPresetZero)
{
    CMVXStravelPlugInDSP dsp;
    EXPECT_EQ (dsp.getSelectedPresetNumber (), 0);
    EXPECT_EQ (dsp.getCurrentAlgorithm ()->getCurrentPreset ()->name, "Torvin's Booster");

    std::vector<float> off (CMVXDrivePedalsSimulationDSP::kFactoryPresets[2].values);
    off[kParamEffectState] = 0.0f;
    const int32_t key = dsp.getCurrentAlgorithm ()->addUserPreset ({"Silent", off});
    dsp.rebuildPresetLists ();
    dsp.selectPreset (key);
    EXPECT_TRUE (dsp.getCurrentAlgorithm ()->bypassed.load ());
    EXPECT_EQ (dsp.getSelectedPresetNumber (), 8);
}

TEST (DspHostPresets, NumbersBeyondAllPresetsSelectNothing)
{
    CMVXStravelPlugInDSP dsp;
    dsp.selectPreset (3);
    dsp.setParameterNormalized (kParamKnob1, 0.9f);
    for (int32_t number : {8, 100, -1, INT32_MIN, INT32_MAX})
    {
        dsp.selectPreset (number);
        EXPECT_EQ (dsp.getParameterNormalized (kParamKnob1), 0.9f) << number;
        EXPECT_EQ (dsp.getSelectedPresetNumber (), 3) << number;
    }
    int32_t local = -1;
    EXPECT_EQ (dsp.findFactoryPreset (100, local), dsp.getCurrentAlgorithm ());
    EXPECT_EQ (local, 0);
    EXPECT_EQ (dsp.findFactoryPreset (5, local), dsp.getCurrentAlgorithm ());
    EXPECT_EQ (local, 5);
    EXPECT_EQ (dsp.getPresetBase (0), 0);
    EXPECT_EQ (dsp.getPresetBase (7), 0);
}

TEST (DspHostPresets, SnapshotAppliesOnlyWhenItCoversEveryParameter)
{
    CMVXStravelPlugInDSP dsp;
    std::map<int32_t, float> snapshot;
    for (int32_t id = 0; id < 7; ++id)
        snapshot[id] = 0.25f;
    dsp.applyParameterSnapshot (snapshot);
    EXPECT_NEAR (dsp.getParameterNormalized (kParamKnob1), 0.425f, 1e-7f);
    snapshot[7] = 0.25f;
    dsp.applyParameterSnapshot (snapshot);
    EXPECT_EQ (dsp.getParameterNormalized (kParamKnob1), 0.25f);
    EXPECT_TRUE (dsp.getCurrentAlgorithm ()->bypassed.load ());   // Effect State 0.25
}

TEST (DspHostNumbering, PresetsOfSeveralAlgorithmsFollowEachOtherInKeyOrder)
{
    FakeHost host;
    FakeAlgorithm& a = host.add (5, "A", 3, 2);
    FakeAlgorithm& b = host.add (9, "B", 2, 2);
    b.addUserPreset ({"B-user", {9.0f, 9.0f}});
    host.rebuildPresetLists ();

    EXPECT_EQ (host.getPresetBases (), (std::vector<int32_t> {0, 3}));
    EXPECT_EQ (host.getParameterBases (), (std::vector<int32_t> {0, 2}));
    EXPECT_EQ (host.getAlgorithmNames (), (std::vector<std::string> {"A name", "B name"}));
    EXPECT_EQ (host.getFactoryPresetNames (),
               (std::vector<std::string> {"A0", "A1", "A2", "B0", "B1"}));
    EXPECT_EQ (host.getFactoryPresetTitles ()[3], "B : B0");
    EXPECT_EQ (host.getFactoryPresetInfo ()[3], "B");
    EXPECT_EQ (host.getUserPresetTitles (), (std::vector<std::string> {"B : B-user"}));
    EXPECT_EQ (host.getPresetBase (9), 3);
    EXPECT_EQ (host.getPresetBase (5), 0);
    EXPECT_EQ (host.getPresetBase (1), 0);

    int32_t local = -1;
    EXPECT_EQ (host.findPresetAlgorithm (4, local), &b);
    EXPECT_EQ (local, 1);
    EXPECT_EQ (host.findPresetAlgorithm (2, local), &a);
    EXPECT_EQ (local, 2);
    EXPECT_EQ (host.findFactoryPreset (4, local), &b);
    EXPECT_EQ (local, 1);
    EXPECT_EQ (host.findParameterAlgorithm (3, local), &b);
    EXPECT_EQ (local, 1);
    EXPECT_EQ (host.findParameterAlgorithm (1, local), &a);
    EXPECT_EQ (local, 1);

    // Selecting a preset of the second algorithm makes it current and loads its values.
    host.selectPreset (4);
    EXPECT_EQ (host.getCurrentAlgorithm (), &b);
    EXPECT_EQ (host.getCurrentAlgorithmKey (), 9);
    EXPECT_FLOAT_EQ (host.getParameterNormalized (0), 0.1f);
    EXPECT_EQ (host.getSelectedPresetNumber (), 4);
    host.selectPreset (5);   // the user preset after B's factory presets
    EXPECT_FLOAT_EQ (host.getParameterNormalized (1), 0.9f);
    EXPECT_EQ (host.getSelectedPresetNumber (), 5);
    host.selectPreset (1);
    EXPECT_EQ (host.getCurrentAlgorithm (), &a);
    EXPECT_EQ (host.getSelectedPresetNumber (), 1);
}
