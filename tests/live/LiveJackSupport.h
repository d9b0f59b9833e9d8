// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private JACK server for one test (the dummy driver, under a server name of its own, exported
// as JACK_DEFAULT_SERVER), a program running in the background, and test clients that play a
// signal into a port and record two others, frame-aligned by the cycle's frame time.
#include <jack/jack.h>
#include <signal.h>
#include <atomic>
#include <string>
#include <sys/types.h>
#include <vector>

namespace Morvane {
namespace Test {

// The exit status of a child, or -1 when it has not ended within timeoutMs (it is then killed).
int waitFor (pid_t& pid, int timeoutMs);

class DummyJackServer
{
public:
    // Starts jackd at that rate and period; ready () says whether a client could connect.
    DummyJackServer (int rateHz, int periodFrames);
    ~DummyJackServer () { stop (); }
    bool ready () const { return up; }
    void stop ()
    {
        if (pid > 0)
            ::kill (pid, SIGTERM);
        waitFor (pid, 5000);
    }

private:
    pid_t pid = -1;
    bool up = false;
};

class BackgroundProgram
{
public:
    // Runs program without a display, its stderr into errPath.
    BackgroundProgram (const std::string& program, const std::vector<std::string>& args,
                       const std::string& errPath);
    ~BackgroundProgram () { waitFor (pid, 0); }
    void signal (int number)
    {
        if (pid > 0)
            ::kill (pid, number);
    }
    int waitForExit (int timeoutMs) { return waitFor (pid, timeoutMs); }

private:
    pid_t pid = -1;
};

// Waits until a port of that name exists on the server.
bool waitForPort (const std::string& name, int timeoutMs);

// Plays samples into its output from the first cycle after play (), silence before and after;
// a second client records two ports from that same cycle on.
class PlayAndRecord
{
public:
    PlayAndRecord (std::vector<float> signal, size_t recordFrames);
    ~PlayAndRecord ();
    bool connect (const std::string& to, const std::string& fromLeft, const std::string& fromRight);
    void play () { playing.store (true); }
    // True once recordFrames were recorded (or timeoutMs passed: false).
    bool waitUntilRecorded (int timeoutMs);
    void restartRecording ()
    {
        recorded.store (0);
        startFrame.store (kNotStarted);
        play ();
    }
    const std::vector<float>& left () const { return recordings[0]; }
    const std::vector<float>& right () const { return recordings[1]; }
    jack_client_t* playerClient () const { return player; }
    // Cycles the server reported late since the clients started.
    int xruns () const { return xrunCount.load (); }
    bool loopSignal = false;

private:
    static constexpr jack_nframes_t kNotStarted = ~0u;
    static int playCycle (jack_nframes_t frames, void* self);
    static int recordCycle (jack_nframes_t frames, void* self);

    std::vector<float> source;
    std::vector<float> recordings[2];
    jack_client_t* player = nullptr;
    jack_client_t* recorder = nullptr;
    jack_port_t* playPort = nullptr;
    jack_port_t* recordPorts[2] = {nullptr, nullptr};
    std::atomic<bool> playing {false};
    std::atomic<jack_nframes_t> startFrame {kNotStarted};
    std::atomic<size_t> recorded {0};
    std::atomic<int> xrunCount {0};
};

}   // namespace Test
}   // namespace Morvane
