// SPDX-License-Identifier: GPL-3.0-or-later
// The demo's pieces as the demo script runs them: the synthesised recording, one render per
// factory preset, and the overview picture with its level table.
#include "RenderTestSupport.h"
#include "support/SignalChecks.h"

#include <cmath>

namespace Morvane {
namespace Test {
namespace {

double rmsDbfs (const Audio& audio)
{
    double sum = 0.0;
    for (float s : audio.samples)
        sum += static_cast<double> (s) * s;
    return 10.0 * std::log10 (sum / static_cast<double> (audio.samples.size ()) + 1e-30);
}

TEST (Demo, EveryFactoryPresetRendersAnAudibleFileAndTheOverviewIsDrawn)
{
    ScratchFolder scratch;
    const std::string dry = scratch.file ("guitar-di.wav");
    CommandResult r = runProgram (OVERMOOR_GUITAR_DI_PATH, {dry});
    ASSERT_EQ (r.exitCode, 0) << r.err;
    const Audio di = readAudio (dry);
    EXPECT_EQ (di.channels, 1);
    EXPECT_EQ (di.sampleRateHz, 48000);
    EXPECT_NEAR (static_cast<double> (di.frames ()) / di.sampleRateHz, 8.0, 0.5);
    EXPECT_GT (rmsDbfs (di), -40.0);

    std::vector<std::string> overviewArgs {"--dry", dry, "--out", scratch.file ("overview.png")};
    for (int preset = 0; preset < 8; ++preset)
    {
        const std::string out = scratch.file ("preset" + std::to_string (preset) + ".wav");
        r = runRenderer ({"--quiet", "--block", "512", "--preset", std::to_string (preset), dry, out});
        ASSERT_EQ (r.exitCode, 0) << r.err;
        const Audio wet = readAudio (out);
        EXPECT_EQ (wet.frames (), di.frames ());
        EXPECT_TRUE (allFinite (wet.samples.data (), static_cast<int32_t> (wet.samples.size ()))) << "preset " << preset;
        EXPECT_GT (rmsDbfs (wet), -60.0) << "preset " << preset;
        overviewArgs.insert (overviewArgs.end (), {"--entry", out, "Preset " + std::to_string (preset), "Model", "1.0"});
    }

    r = runProgram (OVERMOOR_DEMO_OVERVIEW_PATH, overviewArgs);
    ASSERT_EQ (r.exitCode, 0) << r.err;
    EXPECT_TRUE (contains (r.out, "(dry recording)") && contains (r.out, "Preset 7")) << r.out;
    std::ifstream png (scratch.file ("overview.png"), std::ios::binary);
    char signature[8] = {};
    png.read (signature, 8);
    EXPECT_EQ (std::string (signature + 1, 3), "PNG");
    png.seekg (0, std::ios::end);
    EXPECT_GT (png.tellg (), 50000);
}

} // namespace
} // namespace Test
} // namespace Morvane
