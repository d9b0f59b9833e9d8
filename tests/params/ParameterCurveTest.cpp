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

TEST (ParameterCurves, ListValuesRoundToTheNearestEntry)
{
    CMVXParamTable table (0);
    CMVXParameter& model = *table.find (kParamModel);
    CMVXParameter& effect = *table.find (kParamEffectState);
    // normalised, raw plain, rounded plain
    for (const auto& [normalized, raw, plain] : {std::tuple {1.0 / 7.0, 1.0, 1.0}, {0.07, 0.49, 0.0}, {0.08, 0.56, 1.0}})
    {
        model.setNormalized (normalized);
        EXPECT_NEAR (model.getRawPlain (), raw, 1e-12) << normalized;
        EXPECT_EQ (model.getPlain (), plain) << normalized;
    }
    effect.setNormalized (0.5);
    EXPECT_EQ (effect.getPlain (), 1.0);
    effect.setNormalized (0.49);
    EXPECT_EQ (effect.getPlain (), 0.0);
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
    EXPECT_EQ (p.toPlain (0.625), 3.0);    // 2.5 → 3
    EXPECT_EQ (p.toPlain (0.375), -3.0);   // -2.5 → -3
    EXPECT_EQ (p.toPlain (0.6), 2.0);
    EXPECT_DOUBLE_EQ (p.toNormalized (2.4), 0.6);
    EXPECT_DOUBLE_EQ (p.toNormalized (2.5), 0.65);
    EXPECT_DOUBLE_EQ (p.toNormalized (-2.5), 0.35);
    EXPECT_EQ (p.toNormalized (99.0), 1.0);
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
    EXPECT_DOUBLE_EQ (p.toNormalized (25.0), 0.5);
    EXPECT_DOUBLE_EQ (p.toNormalized (400.0), 2.0);
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
    EXPECT_EQ (CMVXParameter (knob, &second).getRawPlain (), 42.7);   // a linear value is not rounded
    CMVXParameter (adopted).setNormalized (1.0);
    EXPECT_TRUE (first.updatePending.load ());
    EXPECT_FALSE (second.updatePending.load ());
}

TEST (ParameterRecord, StepCountFollowsTheStep)
{
    for (const auto& [max, step, count] : {std::tuple {100.0, 0.0, 0}, {100.0, 1.0, 100}, {10.0, 0.3, 33}})
        EXPECT_EQ (range (kCurveLinear, 0.0, max, step).getStepCount (), count) << step;
}
