// SPDX-License-Identifier: GPL-3.0-or-later
// overmoor-host --audio's period on an audio thread while the main thread does what the live host
// does: queues window edits, moves trim and level, reads the meters, and mutes the period to set
// the plug-in up again for another buffer size. Under ThreadSanitizer: free of data races.
#include "support/BundleFixture.h"
#include "host/PeriodProcessor.h"
#include <atomic>
#include <cmath>
#include <thread>

namespace {

using Morvane::HostTool::ParameterChangeQueue;
using Morvane::HostTool::PeriodProcessor;

class LivePeriodHandOff : public Morvane::Test::BundleFixture
{};

TEST_F (LivePeriodHandOff, EditsMutesAndSetUpsWhileTheAudioThreadPlays)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    ParameterChangeQueue edits;
    PeriodProcessor period (*instance, edits);
    std::string error;
    ASSERT_TRUE (period.prepare (48000.0, 256, error)) << error;
    period.unmute ();

    std::atomic<bool> stop {false};
    std::atomic<uint64_t> periods {0}, nonFinite {0};
    std::thread audio ([&] {
        std::vector<float> in (256), left (256), right (256);
        for (uint64_t n = 0; !stop.load (std::memory_order_acquire); ++n)
        {
            for (size_t i = 0; i < in.size (); ++i)
                in[i] = 0.3f * std::sin (0.05f * static_cast<float> (n * 64 + i));
            const uint32_t frames = n % 3 == 0 ? 64 : 256;   // longer than prepared: silence
            period.process_rt (in.data (), left.data (), right.data (), frames);
            for (uint32_t i = 0; i < frames; ++i)
                if (!std::isfinite (left[i]) || left[i] != right[i])
                    ++nonFinite;
            periods.fetch_add (1, std::memory_order_release);
        }
    });
    for (int step = 0; step < 400; ++step)
    {
        edits.push ({1, (step % 8) / 7.0});
        edits.push ({3, (step % 11) / 10.0});
        period.setInputTrimDb (static_cast<float> (step % 13 - 6));
        period.setOutputLevelDb (static_cast<float> (-(step % 7)));
        period.inputMeter ().takePeak ();
        period.outputMeter ().clipCount ();
        if (step % 50 == 49)
        {
            period.mute ();
            ASSERT_TRUE (period.prepare (48000.0, step % 100 == 49 ? 64 : 256, error)) << error;
            period.unmute ();
        }
        std::this_thread::sleep_for (std::chrono::microseconds (200));
    }
    stop.store (true, std::memory_order_release);
    audio.join ();
    period.mute ();
    EXPECT_GT (periods.load (), 100u);
    EXPECT_EQ (nonFinite.load (), 0u);
}

}   // namespace
