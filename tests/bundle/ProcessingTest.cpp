// SPDX-License-Identifier: GPL-3.0-or-later
// Processing rules of this plug-in beyond what hosts' validators check (those live in
// tests/conformance): which point of a queue counts, and silent blocks processed in place.
#include "support/BundleFixture.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

class Processing : public Morvane::Test::BundleFixture
{
};

TEST_F (Processing, OnlyTheLastPointOfEachQueueIsApplied)
{
    auto instance = createProcessingInstance ();
    ASSERT_NE (instance, nullptr);
    ASSERT_EQ (instance->process (256, {{7, 0, 0.1}, {7, 10, 0.9}, {7, 200, 0.3}, {2, 5, 0.75}}), kResultOk);
    const std::vector<float> values = savedParameterValues (*instance);
    ASSERT_EQ (values.size (), 8u);
    EXPECT_NEAR (values[7], 0.3f, 1e-6);
    EXPECT_NEAR (values[2], 0.75f, 1e-6);
    EXPECT_TRUE (instance->outputPoints ().empty ());
}

TEST_F (Processing, SilentInputProcessedInPlaceIsLeftAlone)
{
    auto instance = createProcessingInstance ();
    ASSERT_NE (instance, nullptr);
    HostProcessData& data = instance->processData ();
    data.setInPlace (true);
    std::fill_n (data.inputChannel32 (0, 0), 64, 0.5f);
    std::fill_n (data.inputChannel32 (0, 1), 64, -0.5f);
    data.inputs[0].silenceFlags = 3;
    ASSERT_EQ (instance->process (64), kResultOk);
    EXPECT_EQ (data.outputs[0].silenceFlags, 3u);
    EXPECT_EQ (data.inputChannel32 (0, 0)[10], 0.5f);
    EXPECT_EQ (data.inputChannel32 (0, 1)[63], -0.5f);
}

} // namespace
