// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/JackAudioEngine.h"
#include <jack/jack.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>

namespace Morvane {
namespace HostTool {

using namespace Steinberg;

namespace {

float gainOfDb (float db) { return std::pow (10.f, db / 20.f); }

// The first ports with those flags, owned by JACK's allocator.
std::vector<std::string> physicalPorts (jack_client_t* client, unsigned long flags)
{
    std::vector<std::string> names;
    if (const char** ports = jack_get_ports (client, nullptr, JACK_DEFAULT_AUDIO_TYPE,
                                             JackPortIsPhysical | flags))
    {
        for (const char** p = ports; *p; ++p)
            names.emplace_back (*p);
        jack_free (ports);
    }
    return names;
}

} // namespace

JackAudioEngine::JackAudioEngine (Host::PluginInstance& instance, ParameterChangeQueue& edits)
    : plugin (instance), editQueue (edits)
{
}

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
    engine->outPorts[0] = jack_port_register (c, "out_L", JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
    engine->outPorts[1] = jack_port_register (c, "out_R", JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
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
    plugin.stopProcessing ();
    Host::ProcessConfig config;
    config.sampleRateHz = rateHz;
    config.maxBlockSamples = blockFrames;
    config.inputChannels = config.outputChannels = 1;
    if (!plugin.startProcessing (config, error))
        return false;
    const auto& data = plugin.processData ();
    if (data.numInputs < 1 || data.numOutputs < 1 || data.inputs[0].numChannels != 1 ||
        data.outputs[0].numChannels != 1)
    {
        error = "the plug-in does not take a mono bus";
        return false;
    }
    return true;
}

bool JackAudioEngine::start (std::string& error, std::string& warnings)
{
    if (!setUpPlugin (error))
        return false;
    enabled.store (true, std::memory_order_seq_cst);
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
            connect (self + outs[i], options.outputPorts[std::min<size_t> (i, options.outputPorts.size () - 1)], true);
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

void JackAudioEngine::muteAndWait ()
{
    // seq_cst on both sides: either the audio thread sees the mute, or we see it busy.
    enabled.store (false, std::memory_order_seq_cst);
    while (busy.load (std::memory_order_seq_cst))
        std::this_thread::sleep_for (std::chrono::microseconds (200));
}

void JackAudioEngine::stop ()
{
    muteAndWait ();
    if (activated && !serverGone.load ())
        jack_deactivate (client);
    activated = false;
    plugin.stopProcessing ();
}

bool JackAudioEngine::service (std::string& message)
{
    if (serverGone.load (std::memory_order_acquire))
    {
        message = std::string ("the JACK server shut down") +
                  (shutdownReason[0] ? std::string (" (") + shutdownReason + ")" : "");
        muteAndWait ();
        return false;
    }
    if (!reconfigure.exchange (false, std::memory_order_acq_rel))
        return true;
    muteAndWait ();
    if (!setUpPlugin (message))
        return false;
    enabled.store (true, std::memory_order_seq_cst);
    return true;
}

void JackAudioEngine::setInputTrimDb (float db)
{
    inputGain.store (gainOfDb (db), std::memory_order_relaxed);
}

void JackAudioEngine::setOutputLevelDb (float db)
{
    outputGain.store (gainOfDb (db), std::memory_order_relaxed);
}

uint32_t JackAudioEngine::roundTripLatencyFrames () const
{
    jack_latency_range_t capture {}, playback {};
    jack_port_get_latency_range (inPort, JackCaptureLatency, &capture);
    jack_port_get_latency_range (outPorts[0], JackPlaybackLatency, &playback);
    const uint32_t pluginLatency = plugin.processor () ? plugin.processor ()->getLatencySamples () : 0;
    return capture.max + playback.max + pluginLatency;
}

int JackAudioEngine::process_rt (uint32_t frames)
{
    auto* in = static_cast<const float*> (jack_port_get_buffer (inPort, frames));
    auto* left = static_cast<float*> (jack_port_get_buffer (outPorts[0], frames));
    auto* right = static_cast<float*> (jack_port_get_buffer (outPorts[1], frames));
    busy.store (true, std::memory_order_seq_cst);
    const bool playing = enabled.load (std::memory_order_seq_cst) &&
                         static_cast<int32_t> (frames) <= blockFrames;
    if (!playing)
    {
        busy.store (false, std::memory_order_release);
        std::fill (left, left + frames, 0.f);
        std::fill (right, right + frames, 0.f);
        return 0;
    }
    if (audioProbe)
        audioProbe->periodBegins_rt ();

    Vst::HostProcessData& data = plugin.processData ();
    float* pluginIn = data.inputChannel32 (0, 0);
    const float* pluginOut = data.outputChannel32 (0, 0);
    const float trim = inputGain.load (std::memory_order_relaxed);
    for (uint32_t i = 0; i < frames; ++i)
        pluginIn[i] = in[i] * trim;
    inMeter.update_rt (pluginIn, frames);

    Vst::ParameterChanges& changes = plugin.inputChanges ();
    changes.clearQueue ();
    ParameterChangeQueue::Change edit;
    while (editQueue.pop_rt (edit))
    {
        int32 index = 0;
        if (Vst::IParamValueQueue* queue = changes.addParameterData (edit.id, index))
        {
            // A later edit of the same parameter in this period replaces the earlier one.
            if (queue->getPointCount () > 0)
                static_cast<Vst::ParameterValueQueue*> (queue)->clear ();
            queue->addPoint (0, edit.value, index);
        }
    }
    plugin.outputChanges ().clearQueue ();
    data.numSamples = static_cast<int32> (frames);
    data.inputParameterChanges = &changes;
    data.outputParameterChanges = &plugin.outputChanges ();
    const bool ok = plugin.processor ()->process (data) == kResultOk;

    const float level = outputGain.load (std::memory_order_relaxed);
    for (uint32_t i = 0; i < frames; ++i)
        left[i] = right[i] = ok ? pluginOut[i] * level : 0.f;
    outMeter.update_rt (left, frames);
    if (audioProbe)
        audioProbe->periodEnds_rt ();
    busy.store (false, std::memory_order_release);
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

} // namespace HostTool
} // namespace Morvane
