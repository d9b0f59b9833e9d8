// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/JackAudioEngine.h"
#include <jack/jack.h>
#include <algorithm>
#include <cstring>

namespace Morvane {
namespace HostTool {

using namespace Steinberg;

namespace {

// The first ports with those flags, owned by JACK's allocator.
std::vector<std::string> physicalPorts (jack_client_t* client, unsigned long flags)
{
    std::vector<std::string> names;
    if (const char** ports =
            jack_get_ports (client, nullptr, JACK_DEFAULT_AUDIO_TYPE, JackPortIsPhysical | flags))
    {
        for (const char** p = ports; *p; ++p)
            names.emplace_back (*p);
        jack_free (ports);
    }
    return names;
}

}   // namespace

JackAudioEngine::JackAudioEngine (Host::PluginInstance& instance, ParameterChangeQueue& edits)
: periodProcessor (instance, edits)
{}

std::unique_ptr<JackAudioEngine> JackAudioEngine::open (Host::PluginInstance& instance,
                                                        ParameterChangeQueue& edits,
                                                        const JackOptions& options,
                                                        std::string& error)
{
    std::unique_ptr<JackAudioEngine> engine (new JackAudioEngine (instance, edits));
    engine->connectOptions = options;
    // Our own messages say what went wrong; libjack's would only repeat it less clearly.
    jack_set_error_function ([] (const char*) {});
    jack_set_info_function ([] (const char*) {});
    jack_status_t status {};
    engine->client = jack_client_open (options.clientName.c_str (), JackNoStartServer, &status);
    if (!engine->client)
    {
        error = (status & JackServerFailed) || (status & JackFailure)
                    ? "cannot connect to a JACK server; start JACK (or PipeWire with its JACK "
                      "support) first"
                    : "the JACK server refused the client (status " + std::to_string (status) + ")";
        return nullptr;
    }
    jack_client_t* c = engine->client;
    JackAudioEngine* self = engine.get ();
    engine->inPort = jack_port_register (c, "in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    engine->outPorts[0] =
        jack_port_register (c, "out_L", JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
    engine->outPorts[1] =
        jack_port_register (c, "out_R", JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
    if (!engine->inPort || !engine->outPorts[0] || !engine->outPorts[1])
    {
        error = "cannot register the client's ports";
        return nullptr;
    }
    jack_set_process_callback (c, &processCallback, self);
    jack_set_buffer_size_callback (c, &bufferSizeCallback, self);
    jack_set_sample_rate_callback (c, &sampleRateCallback, self);
    jack_set_xrun_callback (c, &xrunCallback, self);
    jack_on_info_shutdown (c, &shutdownCallback, self);
    return engine;
}

JackAudioEngine::~JackAudioEngine ()
{
    stop ();
    if (client)
        jack_client_close (client);
}

std::string JackAudioEngine::clientName () const
{
    return client ? jack_get_client_name (client) : "";
}

bool JackAudioEngine::setUpPlugin (std::string& error)
{
    rateHz = jack_get_sample_rate (client);
    blockFrames = static_cast<int32_t> (jack_get_buffer_size (client));
    return periodProcessor.prepare (rateHz, blockFrames, error);
}

bool JackAudioEngine::start (std::string& error, std::string& warnings)
{
    if (!setUpPlugin (error))
        return false;
    periodProcessor.unmute ();
    if (jack_activate (client) != 0)
    {
        error = "the JACK server did not activate the client";
        return false;
    }
    activated = true;
    warnings = connectPorts (connectOptions, error);
    return error.empty ();
}

std::string JackAudioEngine::connectPorts (const JackOptions& options, std::string& error)
{
    std::string warnings;
    const std::string self = clientName ();
    auto connect = [&] (const std::string& from, const std::string& to, bool named) {
        const int result = jack_connect (client, from.c_str (), to.c_str ());
        if (result == 0 || result == EEXIST)
            return;
        const std::string problem = "cannot connect " + from + " to " + to;
        badPortName = badPortName || named;
        if (named)
            error = problem + " (is the port's name right? see jack_lsp)";
        else
            warnings += problem + "\n";
    };
    if (!options.inputPort.empty ())
        connect (options.inputPort, self + ":in", true);
    else if (options.autoConnect)
    {
        const auto capture = physicalPorts (client, JackPortIsOutput);
        if (capture.empty ())
            warnings += "no physical capture port to connect the input to\n";
        else
            connect (capture[0], self + ":in", false);
    }
    const char* outs[2] = {":out_L", ":out_R"};
    if (!options.outputPorts.empty ())
    {
        for (int i = 0; i < 2 && error.empty (); ++i)
            connect (self + outs[i],
                     options.outputPorts[std::min<size_t> (i, options.outputPorts.size () - 1)],
                     true);
    }
    else if (options.autoConnect)
    {
        const auto playback = physicalPorts (client, JackPortIsInput);
        if (playback.empty ())
            warnings += "no physical playback port to connect the outputs to\n";
        for (size_t i = 0; i < 2 && !playback.empty (); ++i)
            connect (self + outs[i], playback[std::min (i, playback.size () - 1)], false);
    }
    return warnings;
}

void JackAudioEngine::stop ()
{
    periodProcessor.mute ();
    if (activated && !serverGone.load ())
        jack_deactivate (client);
    activated = false;
    periodProcessor.release ();
}

bool JackAudioEngine::service (std::string& message)
{
    if (serverGone.load (std::memory_order_acquire))
    {
        message = std::string ("the JACK server shut down")
                  + (shutdownReason[0] ? std::string (" (") + shutdownReason + ")" : "");
        periodProcessor.mute ();
        return false;
    }
    if (!reconfigure.exchange (false, std::memory_order_acq_rel))
        return true;
    periodProcessor.mute ();
    if (!setUpPlugin (message))
        return false;
    periodProcessor.unmute ();
    return true;
}

uint32_t JackAudioEngine::roundTripLatencyFrames () const
{
    jack_latency_range_t capture {}, playback {};
    jack_port_get_latency_range (inPort, JackCaptureLatency, &capture);
    jack_port_get_latency_range (outPorts[0], JackPlaybackLatency, &playback);
    return capture.max + playback.max + periodProcessor.pluginLatencyFrames ();
}

int JackAudioEngine::process_rt (uint32_t frames)
{
    periodProcessor.process_rt (static_cast<const float*> (jack_port_get_buffer (inPort, frames)),
                                static_cast<float*> (jack_port_get_buffer (outPorts[0], frames)),
                                static_cast<float*> (jack_port_get_buffer (outPorts[1], frames)),
                                frames);
    return 0;
}

int JackAudioEngine::processCallback (uint32_t frames, void* self)
{
    return static_cast<JackAudioEngine*> (self)->process_rt (frames);
}

int JackAudioEngine::bufferSizeCallback (uint32_t, void* self)
{
    auto* engine = static_cast<JackAudioEngine*> (self);
    engine->reconfigure.store (true, std::memory_order_release);
    return 0;
}

int JackAudioEngine::sampleRateCallback (uint32_t, void* self)
{
    return bufferSizeCallback (0, self);
}

int JackAudioEngine::xrunCallback (void* self)
{
    static_cast<JackAudioEngine*> (self)->xruns.fetch_add (1, std::memory_order_relaxed);
    return 0;
}

void JackAudioEngine::shutdownCallback (jack_status_t, const char* reason, void* self)
{
    auto* engine = static_cast<JackAudioEngine*> (self);
    if (reason)
        std::strncpy (engine->shutdownReason, reason, sizeof (engine->shutdownReason) - 1);
    engine->serverGone.store (true, std::memory_order_release);
}

}   // namespace HostTool
}   // namespace Morvane
