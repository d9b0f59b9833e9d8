// SPDX-License-Identifier: GPL-3.0-or-later
// The processor's state copied into the controller, and the controller's own one-byte state.
#include "ControllerTestSupport.h"
#include "host/StateBytes.h"
#include "host/StrictReadStream.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ControllerTest;
using Morvane::Host::floatBytes;
using Morvane::Host::memoryStreamWith;

using ControllerState = ControllerFixture;

namespace {
const std::vector<float> kState = {0.0f, 1.0f, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};
}

TEST_F (ControllerState, ThirtyTwoBytesSetAllEightValues)
{
    setHandler ();
    auto stream = memoryStreamWith (floatBytes (kState));
    ASSERT_EQ (controller->setComponentState (stream), kResultOk);
    for (ParamID id = 0; id < 8; ++id)
        EXPECT_EQ (controller->getParamNormalized (id), static_cast<double> (kState[id])) << id;
    // The model moved from 0 to 7, so the host is told to re-read the titles.
    EXPECT_EQ (titleRestarts (), 1);
    EXPECT_EQ (title (7), "Mid Frequency");
}

TEST_F (ControllerState, BytesAfterTheValuesAreNotRead)
{
    std::vector<float> longer = kState;
    longer.push_back (0.77f);
    auto stream = memoryStreamWith (floatBytes (longer));
    ASSERT_EQ (controller->setComponentState (stream), kResultOk);
    int64 position = 0;
    stream->tell (&position);
    EXPECT_EQ (position, 32);
}

TEST_F (ControllerState, TwelveBytesFromALenientStreamZeroTheRest)
{
    for (ParamID id = 0; id < 8; ++id)
        controller->setParamNormalized (id, 0.9);
    auto stream = memoryStreamWith (floatBytes ({0.0f, 0.25f, 0.5f}));
    ASSERT_EQ (controller->setComponentState (stream), kResultOk);
    EXPECT_EQ (controller->getParamNormalized (0), 0.0);
    EXPECT_EQ (controller->getParamNormalized (1), 0.25);
    EXPECT_EQ (controller->getParamNormalized (2), 0.5);
    for (ParamID id = 3; id < 8; ++id)
        EXPECT_EQ (controller->getParamNormalized (id), 0.0) << id;
}

TEST_F (ControllerState, TwelveBytesFromAStrictStreamKeepWhatWasRead)
{
    for (ParamID id = 0; id < 8; ++id)
        controller->setParamNormalized (id, 0.9);
    IPtr<IBStream> stream = owned (new Morvane::Host::StrictReadStream (floatBytes ({0.0f, 0.25f, 0.5f})));
    EXPECT_EQ (controller->setComponentState (stream), kResultFalse);
    EXPECT_EQ (controller->getParamNormalized (0), 0.0);
    EXPECT_EQ (controller->getParamNormalized (1), 0.25);
    EXPECT_EQ (controller->getParamNormalized (2), 0.5);
    for (ParamID id = 3; id < 8; ++id)
        EXPECT_DOUBLE_EQ (controller->getParamNormalized (id), 0.9) << id;
}

TEST_F (ControllerState, AHalfValueAtTheEndReadsItsMissingBytesAsZero)
{
    std::vector<uint8_t> bytes = floatBytes ({0.0f, 0.25f});
    const std::vector<uint8_t> half = floatBytes ({1.0f});   // 00 00 80 3f
    bytes.push_back (half[0]);
    bytes.push_back (half[1]);
    bytes.push_back (half[2]);   // three of four bytes: 0x00800000 is a tiny positive value
    auto stream = memoryStreamWith (bytes);
    ASSERT_EQ (controller->setComponentState (stream), kResultOk);
    EXPECT_GE (controller->getParamNormalized (2), 0.0);
    EXPECT_LT (controller->getParamNormalized (2), 1e-30);
}

TEST_F (ControllerState, NullOrEmptyStateChangesNothing)
{
    controller->setParamNormalized (3, 0.7);
    EXPECT_EQ (controller->setComponentState (nullptr), kResultOk);
    EXPECT_DOUBLE_EQ (controller->getParamNormalized (3), 0.7);
    IPtr<IBStream> empty = owned (new Morvane::Host::StrictReadStream ({}));
    EXPECT_EQ (controller->setComponentState (empty), kResultFalse);
    EXPECT_DOUBLE_EQ (controller->getParamNormalized (3), 0.7);
}

TEST_F (ControllerState, ControllerStateIsOneZeroByte)
{
    IPtr<MemoryStream> out = owned (new MemoryStream ());
    ASSERT_EQ (controller->getState (out), kResultOk);
    const std::vector<uint8_t> bytes = Morvane::Host::bytesOf (*out);
    ASSERT_EQ (bytes.size (), 1u);
    EXPECT_EQ (bytes[0], 0);

    auto in = memoryStreamWith ({0x5a, 0x11});
    EXPECT_EQ (controller->setState (in), kResultOk);
    int64 position = 0;
    in->tell (&position);
    EXPECT_EQ (position, 1);

    IPtr<IBStream> empty = owned (new Morvane::Host::StrictReadStream ({}));
    EXPECT_EQ (controller->setState (empty), kResultFalse);
    EXPECT_EQ (controller->setState (nullptr), kResultFalse);
    EXPECT_EQ (controller->getState (nullptr), kResultFalse);
}
