// SPDX-License-Identifier: GPL-3.0-or-later
// The hosting library's small parts: state streams and the recording connection (the
// component-handler recorder is exercised by every controller and message test).
#include "host/ConnectionTap.h"
#include "host/StateBytes.h"
#include "host/StrictReadStream.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"
#include <gtest/gtest.h>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace Morvane::Host;

// The strict stream fails short reads and counts what it delivered; the SDK's memory stream
// reports success and the shorter count at the end of its data.
TEST (StateStreams, StrictAndLenientShortReads)
{
    StrictReadStream stream ({1, 2, 3, 4, 5, 6});
    uint8_t buffer[4] = {};
    int32 read = -1;
    EXPECT_EQ (stream.read (buffer, 4, &read), kResultOk);
    EXPECT_EQ (read, 4);
    EXPECT_EQ (stream.read (buffer, 4, &read), kResultFalse);
    EXPECT_EQ (read, 2);
    EXPECT_EQ (buffer[1], 6);
    EXPECT_EQ (stream.read (buffer, 4, &read), kResultFalse);
    EXPECT_EQ (read, 0);
    int64 pos = -1;
    EXPECT_EQ (stream.tell (&pos), kResultOk);
    EXPECT_EQ (pos, 6);
    EXPECT_EQ (stream.seek (1, IBStream::kIBSeekSet, &pos), kResultOk);
    EXPECT_EQ (stream.read (buffer, 1, nullptr), kResultOk);
    EXPECT_EQ (buffer[0], 2);
    EXPECT_EQ (stream.seek (7, IBStream::kIBSeekSet, nullptr), kResultFalse);
    EXPECT_EQ (stream.write (buffer, 1, nullptr), kNotImplemented);

    const std::vector<uint8_t> bytes = floatBytes ({0.25f, 1.0f});
    ASSERT_EQ (bytes.size (), 8u);
    EXPECT_EQ (bytes[7], 0x3F); // 1.0f = 0x3F800000, little-endian: sign/exponent byte last
    EXPECT_EQ (floatsOf (bytes), (std::vector<float> {0.25f, 1.0f}));
    auto memory = memoryStreamWith (bytes);
    EXPECT_EQ (bytesOf (*memory), bytes);
    float values[3] = {};
    EXPECT_EQ (memory->read (values, 12, &read), kResultTrue);
    EXPECT_EQ (read, 8);
    EXPECT_TRUE (bytesOf (*memoryStreamWith ({})).empty ());
}

// Receiver that counts notifications; reference counting is left to the test's stack.
struct CountingPoint : IConnectionPoint
{
    int notified = 0;
    tresult PLUGIN_API queryInterface (const TUID, void** obj) SMTG_OVERRIDE { return *obj = nullptr, kNoInterface; }
    uint32 PLUGIN_API addRef () SMTG_OVERRIDE { return 1; }
    uint32 PLUGIN_API release () SMTG_OVERRIDE { return 1; }
    tresult PLUGIN_API connect (IConnectionPoint*) SMTG_OVERRIDE { return kResultOk; }
    tresult PLUGIN_API disconnect (IConnectionPoint*) SMTG_OVERRIDE { return kResultOk; }
    tresult PLUGIN_API notify (IMessage*) SMTG_OVERRIDE { return ++notified, kResultTrue; }
};

TEST (ConnectionTap, RecordsAndForwardsSynchronously)
{
    CountingPoint receiver;
    auto tap = owned (new ConnectionTap (&receiver));
    auto message = owned (static_cast<IMessage*> (new HostMessage));
    message->setMessageID ("WA_SY");
    EXPECT_EQ (tap->notify (message), kResultTrue);
    EXPECT_EQ (receiver.notified, 1);
    EXPECT_EQ (tap->notify (nullptr), kInvalidArgument);
    EXPECT_EQ (tap->count ("WA_SY"), 1);
    EXPECT_EQ (tap->last ("WA_SY"), message.get ());
    EXPECT_EQ (tap->last ("Binary"), nullptr);

    tap->detachReceiver ();
    EXPECT_EQ (tap->notify (message), kResultFalse);
    EXPECT_EQ (receiver.notified, 1);
    EXPECT_EQ (tap->count ("WA_SY"), 2);
}

} // namespace
