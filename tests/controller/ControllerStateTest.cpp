// SPDX-License-Identifier: GPL-3.0-or-later
// The processor's state copied into the controller, and the controller's own one-byte state.
#include "ControllerTestSupport.h"
#include "host/StateBytes.h"
#include "host/StrictReadStream.h"

using namespace ControllerTest;
using Morvane::Host::floatBytes;
using Morvane::Host::memoryStreamWith;
using ControllerState = ControllerFixture;

namespace {
const std::vector<float> kState = {0.0f, 1.0f, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};

IPtr<IBStream> strictStream (const std::vector<uint8_t>& bytes)
{
    return owned (new Morvane::Host::StrictReadStream (bytes));
}

int64 positionOf (IBStream* stream)
{
    int64 position = -1;
    stream->tell (&position);
    return position;
}
}

TEST_F (ControllerState, ThirtyTwoBytesSetAllEightValuesAndNoMore)
{
    setHandler ();
    std::vector<float> longer = kState;
    longer.push_back (0.77f);
    auto stream = memoryStreamWith (floatBytes (longer));
    ASSERT_EQ (controller->setComponentState (stream), kResultOk);
    EXPECT_EQ (positionOf (stream), 32);
    for (ParamID id = 0; id < 8; ++id)
        EXPECT_EQ (controller->getParamNormalized (id), double (kState[id])) << id;
    // The model moved from 0 to 7, so the host is told to re-read the titles.
    EXPECT_EQ (titleRestarts (), 1);
    EXPECT_EQ (title (7), "Mid Frequency");
}

TEST_F (ControllerState, ShortStatesZeroTheRestUnlessTheStreamRefusesShortReads)
{
    const std::vector<uint8_t> twelve = floatBytes ({0.0f, 0.25f, 0.5f});
    for (bool strict : {false, true})
    {
        for (ParamID id = 0; id < 8; ++id)
            controller->setParamNormalized (id, 0.9);
        auto stream = strict ? strictStream (twelve) : IPtr<IBStream> (memoryStreamWith (twelve));
        EXPECT_EQ (controller->setComponentState (stream), strict ? kResultFalse : kResultOk);
        for (ParamID id = 0; id < 8; ++id)
            EXPECT_DOUBLE_EQ (controller->getParamNormalized (id), id < 3 ? 0.25 * id : strict ? 0.9 : 0.0)
                << (strict ? "strict " : "lenient ") << id;
    }

    // Three of four bytes of 1.0f: 0x00800000 is a tiny positive value.
    std::vector<uint8_t> bytes = floatBytes ({0.0f, 0.25f, 1.0f});
    bytes.pop_back ();
    ASSERT_EQ (controller->setComponentState (memoryStreamWith (bytes)), kResultOk);
    EXPECT_GE (controller->getParamNormalized (2), 0.0);
    EXPECT_LT (controller->getParamNormalized (2), 1e-30);

    controller->setParamNormalized (3, 0.7);
    EXPECT_EQ (controller->setComponentState (nullptr), kResultOk);
    EXPECT_EQ (controller->setComponentState (strictStream ({})), kResultFalse);
    EXPECT_DOUBLE_EQ (controller->getParamNormalized (3), 0.7);
}

TEST_F (ControllerState, ControllerStateIsOneZeroByte)
{
    IPtr<MemoryStream> out = owned (new MemoryStream ());
    ASSERT_EQ (controller->getState (out), kResultOk);
    EXPECT_EQ (Morvane::Host::bytesOf (*out), std::vector<uint8_t> {0});

    auto in = memoryStreamWith ({0x5a, 0x11});
    EXPECT_EQ (controller->setState (in), kResultOk);
    EXPECT_EQ (positionOf (in), 1);   // reads its one byte, whatever it holds
    EXPECT_EQ (controller->setState (strictStream ({})), kResultFalse);
    EXPECT_EQ (controller->setState (nullptr), kResultFalse);
    EXPECT_EQ (controller->getState (nullptr), kResultFalse);
}
