// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixture every host-conformance test shares (one suite, so one fixture class), and the
// facts about the plug-in they need.
#include "support/BundleFixture.h"
#include "support/SignalChecks.h"

namespace Morvane {
namespace Test {

class Conformance : public BundleFixture
{
protected:
    static constexpr int kModelCount = 8;
    static constexpr Steinberg::Vst::ParamID kEffectStateId = 0;
    static constexpr Steinberg::Vst::ParamID kModelId = 1;
    static constexpr Steinberg::int32 kParameterCount = 8;

    static double modelValue (int model) { return model / double (kModelCount - 1); }
};

} // namespace Test
} // namespace Morvane
