// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plug-in played live on a JACK server (or PipeWire's JACK): a client with one input and two
// output ports whose process callback hands the port buffers to a PeriodProcessor. Buffers are
// sized before activation; rate and buffer-size changes are carried out on the main thread by
// service () while the audio is muted; a server that goes away is reported there too.
#include "host/PeriodProcessor.h"
#include <jack/types.h>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Morvane {
namespace HostTool {

struct JackOptions
{
    std::string clientName = "Overmoor";
    bool autoConnect = true;   // to the first physical capture and playback ports
    std::string inputPort;   // connect the input to this port instead
    std::vector<std::string> outputPorts;   // one or two ports for the outputs instead
};

class JackAudioEngine
{
public:
    // Opens the client (never starting a server) and registers its ports; null with a message.
    static std::unique_ptr<JackAudioEngine> open (Host::PluginInstance& instance,
                                                  ParameterChangeQueue& edits,
                                                  const JackOptions& options, std::string& error);
    ~JackAudioEngine ();   // closes the client before the instance may go
    JackAudioEngine (const JackAudioEngine&) = delete;
    JackAudioEngine& operator= (const JackAudioEngine&) = delete;

    // Sets the plug-in up at the server's rate and block size, activates and connects. A port
    // that cannot be connected is a failure when it was named, a warning when it was chosen.
    bool start (std::string& error, std::string& warnings);
    // After a failed start: whether a port named in the options was the cause.
    bool namedPortFailed () const { return badPortName; }
    // Main thread, every few ten milliseconds: re-sets the plug-in up after a rate or buffer-size
    // change. False once the server is gone or the plug-in cannot be set up again (why in message).
    bool service (std::string& message);
    // Stops the audio and the plug-in's processing; the client stays open.
    void stop ();

    // Gains, meters and the probe (set that before start ()).
    PeriodProcessor& period () { return periodProcessor; }
    uint32_t xrunCount () const { return xruns.load (std::memory_order_relaxed); }
    // Capture plus playback latency of the ports as connected, plus the plug-in's, in frames.
    uint32_t roundTripLatencyFrames () const;
    double sampleRateHz () const { return rateHz; }
    int32_t blockSize () const { return blockFrames; }
    std::string clientName () const;

private:
    JackAudioEngine (Host::PluginInstance& instance, ParameterChangeQueue& edits);
    bool setUpPlugin (std::string& error);
    std::string connectPorts (const JackOptions& options, std::string& error);
    int process_rt (uint32_t frames);

    static int processCallback (uint32_t frames, void* self);
    static int bufferSizeCallback (uint32_t frames, void* self);
    static int sampleRateCallback (uint32_t rate, void* self);
    static int xrunCallback (void* self);
    static void shutdownCallback (jack_status_t code, const char* reason, void* self);

    PeriodProcessor periodProcessor;
    JackOptions connectOptions;
    jack_client_t* client = nullptr;
    jack_port_t* inPort = nullptr;
    jack_port_t* outPorts[2] = {nullptr, nullptr};

    double rateHz = 0.0;
    int32_t blockFrames = 0;
    bool activated = false;
    bool badPortName = false;

    std::atomic<bool> reconfigure {false};
    std::atomic<bool> serverGone {false};
    char shutdownReason[256] = {};
    std::atomic<uint32_t> xruns {0};
};

}   // namespace HostTool
}   // namespace Morvane
