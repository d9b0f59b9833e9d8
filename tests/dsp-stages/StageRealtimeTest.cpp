// SPDX-License-Identifier: GPL-3.0-or-later
// The designs run on the audio thread while a control glides: none may allocate or lock.
#include "dsp/PedalStageDesigns.h"
#include "support/RealtimeGuard.h"
#include <gtest/gtest.h>

namespace {

TEST (StageRealtime, DesignsNeitherAllocateNorLock)
{
    ASSERT_TRUE (realtimeGuardAvailable ());
    DigitalCoefficients c;
    double sink = 0.0;
    RealtimeGuard guard;
    for (PedalModel model : kAllPedalModels)
        for (double x = 0.0; x <= 1.0; x += 0.25)
        {
            pedal::designInputStage (model, 176400.0, c);
            pedal::designDriveStage (model, x, 176400.0, c);
            pedal::designToneStage (model, x, 176400.0, c);
            pedal::designLevelStage (model, x, 176400.0, c);
            pedal::designMetalBassTrebleStage (x, 1.0 - x, 192000.0, c);
            pedal::designMetalMidStage (x, static_cast<float> (1.0 - x), 192000.0, c);
            pedal::designMetalPreStage (192000.0, c);
            pedal::designMetalPostStage (192000.0, c);
            pedal::designMetalFilterStage (192000.0, c);
            sink += c.zDen[1];
        }
    const RealtimeViolations v = guard.violations ();
    EXPECT_EQ (v.allocations, 0u);
    EXPECT_EQ (v.frees, 0u);
    EXPECT_EQ (v.locks, 0u);
    EXPECT_NE (sink, 0.0);   // keeps the designs from being optimised away
}

}   // namespace
