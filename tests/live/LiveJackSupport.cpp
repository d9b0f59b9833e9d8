// SPDX-License-Identifier: GPL-3.0-or-later
#include "LiveJackSupport.h"
#include "render/RenderTestSupport.h"
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace Morvane {
namespace Test {

namespace {

void sleepMs (int ms)
{
    std::this_thread::sleep_for (std::chrono::milliseconds (ms));
}

jack_client_t* openClient (const char* name)
{
    return jack_client_open (name, JackNoStartServer, nullptr);
}

}   // namespace

int waitFor (pid_t& pid, int timeoutMs)
{
    for (int waited = 0; pid > 0; waited += 10)
    {
        int status = 0;
        if (::waitpid (pid, &status, WNOHANG) == pid)
        {
            pid = -1;
            return WIFEXITED (status) ? WEXITSTATUS (status) : 128 + WTERMSIG (status);
        }
        if (waited >= timeoutMs)
        {
            ::kill (pid, SIGKILL);
            ::waitpid (pid, &status, 0);
            pid = -1;
            return -1;
        }
        sleepMs (10);
    }
    return -1;
}

DummyJackServer::DummyJackServer (int rateHz, int periodFrames)
{
    const std::string name = "overmoor-test-" + std::to_string (::getpid ());
    ::setenv ("JACK_DEFAULT_SERVER", name.c_str (), 1);
    jack_set_error_function ([] (const char*) {});
    jack_set_info_function ([] (const char*) {});
    pid = startProgram ({"jackd", "-n", name, "-d", "dummy", "-r", std::to_string (rateHz), "-p",
                         std::to_string (periodFrames)},
                        "/dev/null", "/dev/null", true);
    for (int waited = 0; pid > 0 && waited < 10000 && !up; waited += 100)
    {
        sleepMs (100);
        if (jack_client_t* probe = openClient ("probe"))
        {
            jack_client_close (probe);
            up = true;
        }
    }
}

BackgroundProgram::BackgroundProgram (const std::string& program,
                                      const std::vector<std::string>& args,
                                      const std::string& errPath)
{
    std::vector<std::string> command {program};
    command.insert (command.end (), args.begin (), args.end ());
    pid = startProgram (command, "/dev/null", errPath, true);
}

bool waitForPort (const std::string& name, int timeoutMs)
{
    jack_client_t* client = openClient ("portwatch");
    bool found = false;
    for (int waited = 0; client && !found && waited < timeoutMs; waited += 50)
    {
        found = jack_port_by_name (client, name.c_str ()) != nullptr;
        if (!found)
            sleepMs (50);
    }
    if (client)
        jack_client_close (client);
    return found;
}

PlayAndRecord::PlayAndRecord (std::vector<float> signal, size_t recordFrames)
: source (std::move (signal))
{
    recordings[0].assign (recordFrames, 0.f);
    recordings[1].assign (recordFrames, 0.f);
    player = openClient ("test-player");
    recorder = openClient ("test-recorder");
    if (!player || !recorder)
        return;
    playPort = jack_port_register (player, "out", JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
    recordPorts[0] =
        jack_port_register (recorder, "in_L", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    recordPorts[1] =
        jack_port_register (recorder, "in_R", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    jack_set_process_callback (player, &playCycle, this);
    jack_set_process_callback (recorder, &recordCycle, this);
    jack_set_xrun_callback (
        player, [] (void* self) { return ++static_cast<PlayAndRecord*> (self)->xrunCount, 0; },
        this);
    jack_activate (player);
    jack_activate (recorder);
}

PlayAndRecord::~PlayAndRecord ()
{
    for (jack_client_t* client : {player, recorder})
        if (client)
            jack_client_close (client);
}

bool PlayAndRecord::connect (const std::string& to, const std::string& fromLeft,
                             const std::string& fromRight)
{
    return player && recorder && jack_connect (player, jack_port_name (playPort), to.c_str ()) == 0
           && jack_connect (recorder, fromLeft.c_str (), jack_port_name (recordPorts[0])) == 0
           && jack_connect (recorder, fromRight.c_str (), jack_port_name (recordPorts[1])) == 0;
}

bool PlayAndRecord::waitUntilRecorded (int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs; waited += 20)
    {
        if (recorded.load () >= recordings[0].size ())
            return true;
        sleepMs (20);
    }
    return false;
}

int PlayAndRecord::playCycle (jack_nframes_t frames, void* self)
{
    auto* t = static_cast<PlayAndRecord*> (self);
    auto* out = static_cast<float*> (jack_port_get_buffer (t->playPort, frames));
    std::fill (out, out + frames, 0.f);
    if (!t->playing.load ())
        return 0;
    const jack_nframes_t now = jack_last_frame_time (t->player);
    if (t->startFrame.load () == kNotStarted)
        t->startFrame.store (now);
    const size_t at = now - t->startFrame.load ();
    for (size_t i = 0; i < frames; ++i)
        if (t->loopSignal || at + i < t->source.size ())
            out[i] = t->source[(at + i) % t->source.size ()];
    return 0;
}

int PlayAndRecord::recordCycle (jack_nframes_t frames, void* self)
{
    auto* t = static_cast<PlayAndRecord*> (self);
    const jack_nframes_t start = t->startFrame.load ();
    if (start == kNotStarted)
        return 0;
    const size_t at = jack_last_frame_time (t->recorder) - start;
    for (int c = 0; c < 2; ++c)
    {
        const auto* in =
            static_cast<const float*> (jack_port_get_buffer (t->recordPorts[c], frames));
        for (size_t i = 0; i < frames && at + i < t->recordings[c].size (); ++i)
            t->recordings[c][at + i] = in[i];
    }
    t->recorded.store (std::min (at + frames, t->recordings[0].size ()));
    return 0;
}

}   // namespace Test
}   // namespace Morvane
