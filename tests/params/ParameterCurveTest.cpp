// SPDX-License-Identifier: GPL-3.0-or-later
// Normalised/plain conversions of every curve, value writes and the owner's update flag.
#include "dsp/CMVXDSPAlgInterface.h"
#include "params/CMVXParamTable.h"
#include <cmath>
#include <gtest/gtest.h>

namespace {

CMVXParameter range (uint32_t curve, double min, double max, double step = 0.0, double def = 0.0,
                     CMVXDSPAlgInterface* owner = nullptr)
{
    return CMVXParameter (CMVXParameter::RangeTag {}, "R", "dB", min, max, step,
                          def < min ? min : def, curve, false, 0, true, owner);
}

class OwnerStub : public CMVXDSPAlgInterface
{
public:
    OwnerStub () : CMVXDSPAlgInterface (48000.0, 64) {}
    void updateSettings (bool) override {}
    void resetState () override {}
    std::string getInfoText () override { return {}; }
};

}

TEST (ParameterListCurve, ModelValuesRoundToTheNearestEntry)
{
    CMVXParamTable table (0);
    CMVXParameter& model = *table.find (kParamModel);
    model.setNormalized (1.0 / 7.0);
    EXPECT_NEAR (model.getRawPlain (), 1.0, 1e-12);
    EXPECT_EQ (model.getPlain (), 1.0);
    EXPECT_EQ (model.formatValue (false, false, -1.0), "XXL Distortion+");

    model.setNormalized (0.07);
    EXPECT_NEAR (model.getRawPlain (), 0.49, 1e-12);
    EXPECT_EQ (model.getPlain (), 0.0);
    EXPECT_EQ (model.formatValue (false, false, -1.0), "Treble Booster");

    model.setNormalized (0.08);
    EXPECT_NEAR (model.getRawPlain (), 0.56, 1e-12);
    EXPECT_EQ (model.getPlain (), 1.0);
    EXPECT_EQ (model.formatValue (false, false, -1.0), "XXL Distortion+");

    CMVXParameter& effect = *table.find (kParamEffectState);
    effect.setNormalized (0.5);
    EXPECT_EQ (effect.getPlain (), 1.0);
    EXPECT_EQ (effect.formatValue (false, false, -1.0), "On");
    effect.setNormalized (0.49);
    EXPECT_EQ (effect.getPlain (), 0.0);
    EXPECT_EQ (effect.formatValue (false, false, -1.0), "Off");
}

TEST (ParameterLinearCurve, ClampsOnlyTowardsNormalisedAndZeroWidthGivesZero)
{
    CMVXParameter p = range (kCurveLinear, -20.0, 20.0);
    EXPECT_DOUBLE_EQ (p.toPlain (0.25), -10.0);
    EXPECT_DOUBLE_EQ (p.toNormalized (10.0), 0.75);
    EXPECT_EQ (p.toNormalized (100.0), 1.0);
    EXPECT_EQ (p.toNormalized (-100.0), 0.0);
    // Plain writes are stored unclamped; only the normalised value is clamped.
    p.setPlain (30.0);
    EXPECT_EQ (p.getRawPlain (), 30.0);
    EXPECT_EQ (p.getNormalized (), 1.0);
    // Normalised writes are not clamped either.
    p.setNormalized (1.5);
    EXPECT_EQ (p.getNormalized (), 1.5);
    EXPECT_DOUBLE_EQ (p.getRawPlain (), 40.0);

    for (uint32_t curve : {kCurveLinear, kCurveInteger, kCurveTwoState, kCurveList,
                           kCurveLinearSilenceFloor, kCurveLinearOffAtMin, kCurveLinearOffAtMax})
        EXPECT_EQ (range (curve, 5.0, 5.0).toNormalized (7.0), 0.0) << "curve " << curve;
}

TEST (ParameterIntegerCurve, RoundsHalfAwayFromZeroAndSnapsNormalised)
{
    CMVXParameter p = range (kCurveInteger, -10.0, 10.0);
    EXPECT_EQ (p.toPlain (0.625), 3.0);    // 2.5 → 3
    EXPECT_EQ (p.toPlain (0.375), -3.0);   // -2.5 → -3
    EXPECT_EQ (p.toPlain (0.6), 2.0);
    // Plain to normalised lands on the normalised value of a whole plain value.
    EXPECT_DOUBLE_EQ (p.toNormalized (2.4), 0.6);     // 2.4 → 2
    EXPECT_DOUBLE_EQ (p.toNormalized (2.5), 0.65);    // 2.5 → 3
    EXPECT_DOUBLE_EQ (p.toNormalized (-2.5), 0.35);   // -2.5 → -3
    EXPECT_EQ (p.toNormalized (99.0), 1.0);
}

TEST (ParameterLogCurve, EndsAreExactAndOutOfRangeIsClamped)
{
    CMVXParameter p = range (kCurveLogarithmic, 20.0, 20000.0, 0.0, 1000.0);
    EXPECT_EQ (p.toPlain (1.0), 20000.0);
    EXPECT_NEAR (p.toPlain (0.0), 20.0, 1e-12);
    EXPECT_NEAR (p.toPlain (0.5), std::sqrt (20.0 * 20000.0), 1e-9);   // geometric mean
    EXPECT_EQ (p.toNormalized (30000.0), 1.0);
    EXPECT_EQ (p.toNormalized (10.0), 0.0);
    EXPECT_NEAR (p.toNormalized (200.0), 1.0 / 3.0, 1e-12);
    // Non-positive plain values have no logarithm: they read as the bottom, never NaN.
    EXPECT_EQ (p.toNormalized (0.0), 0.0);
    EXPECT_EQ (p.toNormalized (-5.0), 0.0);
}

TEST (ParameterQuadraticCurve, SquareLawAndUnclampedInverse)
{
    CMVXParameter p = range (kCurveQuadratic, 0.0, 100.0);
    EXPECT_DOUBLE_EQ (p.toPlain (0.5), 25.0);
    EXPECT_DOUBLE_EQ (p.toNormalized (25.0), 0.5);
    EXPECT_DOUBLE_EQ (p.toNormalized (400.0), 2.0);
    EXPECT_FALSE (std::isnan (p.toNormalized (-1.0)));
}

TEST (ParameterSilenceFloor, FloorReadsAsZeroNormalised)
{
    CMVXParameter p = range (kCurveLinearSilenceFloor, -60.0, 0.0, 0.0, -6.0);
    p.setNormalized (0.0);
    EXPECT_EQ (p.getRawPlain (), -60.0);
    EXPECT_EQ (p.formatValue (false, false, -1.0), "-Inf");
    // A tiny value that lands exactly on the floor is pinned to 0.
    p.setNormalized (1e-20);
    EXPECT_EQ (p.getRawPlain (), -60.0);
    EXPECT_EQ (p.getNormalized (), 0.0);
    p.setNormalized (0.5);
    EXPECT_EQ (p.getNormalized (), 0.5);
}

TEST (ParameterRecord, ValueWritesRaiseTheOwnersUpdateFlag)
{
    OwnerStub owner;
    CMVXParameter p = range (kCurveLinear, 0.0, 100.0, 1.0, 50.0, &owner);
    EXPECT_FALSE (owner.updatePending.load ());
    p.setNormalized (0.3);
    EXPECT_TRUE (owner.updatePending.exchange (false));
    p.setPlain (70.0);
    EXPECT_TRUE (owner.updatePending.exchange (false));
    EXPECT_DOUBLE_EQ (p.getNormalized (), 0.7);
    // Records without an owner simply store.
    CMVXParameter loose = range (kCurveLinear, 0.0, 100.0);
    loose.setNormalized (0.2);
    EXPECT_DOUBLE_EQ (loose.getRawPlain (), 20.0);
}

TEST (ParameterRecord, CopyKeepsOwnerAdoptingCopyTakesNewOwnerAndRoundsLists)
{
    OwnerStub first, second;
    CMVXParamTable table (0);
    CMVXParameter& model = *table.find (kParamModel);
    model.setNormalized (0.07);   // plain 0.49
    model.setName ("Renamed");

    const CMVXParameter adopted (model, &first);
    EXPECT_EQ (adopted.getOwner (), &first);
    EXPECT_EQ (adopted.getRawPlain (), 0.0);
    EXPECT_EQ (adopted.getNormalized (), model.getNormalized ());
    EXPECT_EQ (adopted.getName (), "Renamed");
    EXPECT_EQ (adopted.getTexts (), model.getTexts ());

    const CMVXParameter copy (adopted);
    EXPECT_EQ (copy.getOwner (), &first);
    CMVXParameter assigned = range (kCurveLinear, 0.0, 1.0, 0.0, 0.0, &second);
    assigned = copy;
    EXPECT_EQ (assigned.getOwner (), &first);
    EXPECT_EQ (assigned.getCurveType (), kCurveList);

    // A linear value is not rounded by adoption.
    CMVXParameter& knob = *table.find (kParamKnob1);
    knob.setPlain (42.7);
    EXPECT_EQ (CMVXParameter (knob, &second).getRawPlain (), 42.7);

    CMVXParameter(adopted).setNormalized (1.0);
    EXPECT_TRUE (first.updatePending.load ());
    EXPECT_FALSE (second.updatePending.load ());
}

TEST (ParameterRecord, StepCount)
{
    EXPECT_EQ (range (kCurveLinear, 0.0, 100.0, 0.0).getStepCount (), 0);
    EXPECT_EQ (range (kCurveLinear, 0.0, 100.0, 1.0).getStepCount (), 100);
    EXPECT_EQ (range (kCurveLinear, 0.0, 10.0, 0.3).getStepCount (), 33);
}
