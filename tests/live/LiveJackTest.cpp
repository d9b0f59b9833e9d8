// SPDX-License-Identifier: GPL-3.0-or-later
// overmoor-host --audio on a private dummy JACK server: the same samples as the offline renderer,
// a buffer-size change and a server stop, a clean exit on SIGINT and SIGTERM with the state
// written, a process callback that neither allocates nor locks, and the state file read back.
#include "render/RenderTestSupport.h"
#include "support/RealtimeGuard.h"
#include "LiveJackSupport.h"
#include "host/JackAudioEngine.h"
#include "host/LiveState.h"
#include <csignal>
#include <optional>
#include <thread>

namespace {

using namespace Morvane::Test;
using Morvane::HostTool::HostLevels;
using Morvane::HostTool::JackAudioEngine;
using Morvane::HostTool::LiveState;

constexpr int kRateHz = 48000;
constexpr int kPeriod = 64;

std::vector<float> guitarLikeSignal (size_t frames)
{
    std::vector<float> s (frames);
    for (size_t i = 0; i < frames; ++i)
    {
        const double t = static_cast<double> (i) / kRateHz;
        s[i] = static_cast<float> (
            0.4 * std::exp (-3.0 * t)
            * (std::sin (2 * M_PI * 110 * t) + 0.5 * std::sin (2 * M_PI * 165 * t)));
    }
    return s;
}

class LiveJack : public ::testing::Test
{
protected:
    BackgroundProgram startHost (const std::vector<std::string>& extra = {})
    {
        std::vector<std::string> args {
            "--plugin", overmoorBundlePath (), "--audio", "--no-connect", "--state", statePath};
        args.insert (args.end (), extra.begin (), extra.end ());
        return BackgroundProgram (OVERMOOR_HOST_PATH, args, errPath);
    }
    std::string hostMessages () const { return fileBytes (errPath); }

    DummyJackServer server {kRateHz, kPeriod};
    ScratchFolder scratch;
    const std::string statePath = scratch.file ("config/live.state");
    const std::string errPath = scratch.file ("host.err");
};

TEST_F (LiveJack, PlaysAFileSampleForSampleAsTheOfflineRendererDoes)
{
    ASSERT_TRUE (server.ready ());
    const std::vector<float> signal = guitarLikeSignal (kRateHz / 2);
    const std::string input = scratch.file ("in.wav"), rendered = scratch.file ("out.wav");
    {
        SndfileHandle file (input, SFM_WRITE, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, kRateHz);
        file.writef (signal.data (), static_cast<sf_count_t> (signal.size ()));
    }
    const CommandResult render =
        runRenderer ({"--block", std::to_string (kPeriod), input, rendered});
    ASSERT_EQ (render.exitCode, 0) << render.err;
    const Audio offline = readAudio (rendered);

    // A late cycle on a loaded machine drops a period somewhere in the chain: try again then.
    for (int attempt = 0; attempt < 6; ++attempt)
    {
        BackgroundProgram host = startHost ();
        ASSERT_TRUE (waitForPort ("Overmoor:in", 10000)) << hostMessages ();
        PlayAndRecord io (signal, signal.size ());
        ASSERT_TRUE (io.connect ("Overmoor:in", "Overmoor:out_L", "Overmoor:out_R"));
        io.play ();
        ASSERT_TRUE (io.waitUntilRecorded (10000));
        host.signal (SIGTERM);
        EXPECT_EQ (host.waitForExit (10000), 0) << hostMessages ();
        if (io.xruns () > 0)
            continue;
        // The plug-in reports no latency and the graph runs player, pedal, recorder in one
        // cycle: the recording lines up with the file at offset 0, and matches bit for bit.
        ASSERT_EQ (offline.samples.size (), signal.size ());
        float residual = 0.f;
        for (size_t i = 0; i < signal.size (); ++i)
        {
            residual = std::max (residual, std::fabs (io.left ()[i] - offline.samples[i]));
            ASSERT_EQ (io.left ()[i], io.right ()[i]) << i;
        }
        EXPECT_EQ (residual, 0.f) << "residual " << 20 * std::log10 (residual) << " dBFS";
        EXPECT_GT (energyDb (io.left ()), 0.0);   // the pedal played, not silence
        return;
    }
    FAIL () << "every attempt had an xrun";
}

TEST_F (LiveJack, SurvivesABufferSizeChangeAndSavesStateWhenTheServerStops)
{
    ASSERT_TRUE (server.ready ());
    BackgroundProgram host = startHost ();
    ASSERT_TRUE (waitForPort ("Overmoor:in", 10000)) << hostMessages ();
    PlayAndRecord io (guitarLikeSignal (kRateHz / 4), kRateHz / 8);
    io.loopSignal = true;
    ASSERT_TRUE (io.connect ("Overmoor:in", "Overmoor:out_L", "Overmoor:out_R"));
    ASSERT_EQ (jack_set_buffer_size (io.playerClient (), 256), 0);
    std::this_thread::sleep_for (std::chrono::milliseconds (300));
    io.restartRecording ();
    ASSERT_TRUE (io.waitUntilRecorded (10000));
    EXPECT_GT (energyDb (io.left ()), 0.0) << "silent after the buffer-size change";

    server.stop ();
    EXPECT_EQ (host.waitForExit (10000), 3);
    EXPECT_TRUE (contains (hostMessages (), "the JACK server shut down")) << hostMessages ();
    EXPECT_FALSE (fileBytes (statePath).empty ());
}

TEST_F (LiveJack, HeadlessRunEndsCleanlyOnSigintAndSigtermWithStateWritten)
{
    ASSERT_TRUE (server.ready ());
    for (int signalNumber : {SIGINT, SIGTERM})
    {
        std::filesystem::remove (statePath);
        BackgroundProgram host = startHost ();
        ASSERT_TRUE (waitForPort ("Overmoor:in", 10000)) << hostMessages ();
        host.signal (signalNumber);
        EXPECT_EQ (host.waitForExit (10000), 0) << signalNumber << hostMessages ();
        EXPECT_FALSE (fileBytes (statePath).empty ()) << signalNumber;
    }
}

TEST (LiveJackNoServer, SaysSoAndExitsWithStatus3)
{
    ::setenv ("JACK_DEFAULT_SERVER", "overmoor-test-no-such-server", 1);
    ScratchFolder scratch;
    const CommandResult result =
        runProgram (OVERMOOR_HOST_PATH,
                    {"--plugin", overmoorBundlePath (), "--audio", "--state", scratch.file ("s")});
    EXPECT_EQ (result.exitCode, 3);
    EXPECT_TRUE (contains (result.err, "cannot connect to a JACK server")) << result.err;
}

// The probe arms the allocation and lock counter around each period the engine plays.
class GuardedPeriods : public Morvane::HostTool::AudioThreadProbe
{
public:
    void periodBegins_rt () override { guard.emplace (); }
    void periodEnds_rt () override
    {
        const RealtimeViolations seen = guard->violations ();
        guard.reset ();
        violations.fetch_add (seen.allocations + seen.frees + seen.locks);
        periods.fetch_add (1);
    }
    std::optional<RealtimeGuard> guard;
    std::atomic<uint64_t> violations {0}, periods {0};
};

TEST_F (LiveJack, ProcessCallbackNeitherAllocatesNorLocksWhileEditsArrive)
{
    ASSERT_TRUE (server.ready ());
    std::string error;
    auto module = VST3::Hosting::Module::create (overmoorBundlePath (), error);
    ASSERT_NE (module, nullptr) << error;
    auto instance = Morvane::Host::PluginInstance::create (module, error);
    ASSERT_NE (instance, nullptr) << error;
    Morvane::HostTool::ParameterChangeQueue edits;
    Morvane::HostTool::JackOptions options;
    options.autoConnect = false;
    auto engine = JackAudioEngine::open (*instance, edits, options, error);
    ASSERT_NE (engine, nullptr) << error;
    GuardedPeriods probe;
    engine->period ().setProbe (&probe);
    std::string warnings;
    ASSERT_TRUE (engine->start (error, warnings)) << error;
    PlayAndRecord io (guitarLikeSignal (kRateHz), kRateHz / 10);
    io.loopSignal = true;
    ASSERT_TRUE (io.connect (engine->clientName () + ":in", engine->clientName () + ":out_L",
                             engine->clientName () + ":out_R"));
    io.play ();
    // Model switches and knob sweeps from the "window", as fast as a drag sends them.
    for (int step = 0; probe.periods.load () < 3000 && step < 20000; ++step)
    {
        edits.push ({1, (step / 50 % 8) / 7.0});
        edits.push ({static_cast<Steinberg::Vst::ParamID> (2 + step % 6), (step % 101) / 100.0});
        std::this_thread::sleep_for (std::chrono::milliseconds (1));
        ASSERT_TRUE (step % 50 != 0 || engine->service (error)) << error;
    }
    engine->stop ();
    EXPECT_GE (probe.periods.load (), 3000u);
    EXPECT_EQ (probe.violations.load (), 0u);
}

// The state file: a second instance comes back as the first was left, and a file it cannot
// read is kept aside rather than overwritten.
class LiveStateFile : public BundleFixture
{
protected:
    ScratchFolder scratch;
    const LiveState state {scratch.file ("deep/folder/live.state")};
};

TEST_F (LiveStateFile, ANewInstanceComesBackAsTheOldOneWasLeft)
{
    auto before = createProcessingInstance ();
    ASSERT_NE (before, nullptr);
    before->process (64, {{1, 0, 5 / 7.0}, {3, 0, 0.9}});   // another model, another knob position
    std::string message;
    ASSERT_TRUE (state.save (*before, {3.5f, -6.f}, message)) << message;

    auto after = createInstance ();
    std::vector<uint8_t> expected, fresh, restored;
    before->getState (expected);
    after->getState (fresh);
    ASSERT_NE (fresh, expected);
    HostLevels levels;
    ASSERT_TRUE (state.restore (*after, levels, message)) << message;
    after->getState (restored);
    EXPECT_EQ (restored, expected);
    EXPECT_EQ (levels.inputTrimDb, 3.5f);
    EXPECT_EQ (levels.outputLevelDb, -6.f);
}

TEST_F (LiveStateFile, AnUnreadableFileIsKeptAsideAndTheDefaultsStay)
{
    std::filesystem::create_directories (scratch.file ("deep/folder"));
    std::ofstream (state.path ()) << "OMLS but not what follows";
    auto instance = createInstance ();
    HostLevels levels {1.f, 2.f};
    std::string message;
    EXPECT_FALSE (state.restore (*instance, levels, message));
    EXPECT_TRUE (contains (message, state.path () + ".unreadable")) << message;
    EXPECT_EQ (fileBytes (state.path () + ".unreadable"), "OMLS but not what follows");
    EXPECT_EQ (levels.inputTrimDb, 1.f);
}

}   // namespace
