// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One audio period of the live host, apart from any audio API: the input trim, the edits queued
// by the window as the period's input parameter changes, the plug-in's mono process, the output
// level to both outputs, and the meters. It plays only while unmuted; mute () returns once no
// period is using the plug-in, so the main thread can set the plug-in up again.
#include "host/LevelMeter.h"
#include "host/ParameterChangeQueue.h"
#include "host/PluginInstance.h"
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace Morvane {
namespace HostTool {

// Called around each period's processing on the audio thread; lets a test watch the period.
struct AudioThreadProbe
{
    virtual ~AudioThreadProbe () = default;
    virtual void periodBegins_rt () = 0;
    virtual void periodEnds_rt () = 0;
};

class PeriodProcessor
{
public:
    PeriodProcessor (Host::PluginInstance& instance, ParameterChangeQueue& edits);

    // Main thread, muted: the plug-in set up for that rate and largest period, on its mono bus.
    bool prepare (double rateHz, int32_t maxFrames, std::string& error);
    void mute ();
    void unmute () { enabled.store (true, std::memory_order_seq_cst); }
    // Main thread, muted: processing off.
    void release () { plugin.stopProcessing (); }

    // Audio thread: silence while muted or for a period longer than prepared.
    void process_rt (const float* in, float* left, float* right, uint32_t frames);

    void setProbe (AudioThreadProbe* probe) { audioProbe = probe; }   // while muted
    // Host-side gains around the plug-in, in dB.
    void setInputTrimDb (float db);
    void setOutputLevelDb (float db);
    LevelMeter& inputMeter () { return inMeter; }
    LevelMeter& outputMeter () { return outMeter; }
    uint32_t pluginLatencyFrames () const;

private:
    Host::PluginInstance& plugin;
    ParameterChangeQueue& editQueue;
    AudioThreadProbe* audioProbe = nullptr;
    int32_t preparedFrames = 0;
    // The period's edits, reserved for a full queue so the audio thread never allocates.
    std::vector<Host::ParameterPoint> periodEdits;
    // busy brackets a period's use of the plug-in; with enabled it lets mute () wait for it.
    std::atomic<bool> enabled {false};
    std::atomic<bool> busy {false};
    std::atomic<float> inputGain {1.f};
    std::atomic<float> outputGain {1.f};
    LevelMeter inMeter;
    LevelMeter outMeter;
};

}   // namespace HostTool
}   // namespace Morvane
