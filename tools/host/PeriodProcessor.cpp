// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/PeriodProcessor.h"
#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace Morvane {
namespace HostTool {

using namespace Steinberg;

PeriodProcessor::PeriodProcessor (Host::PluginInstance& instance, ParameterChangeQueue& edits)
: plugin (instance), editQueue (edits)
{
    periodEdits.reserve (ParameterChangeQueue::kCapacity);
}

bool PeriodProcessor::prepare (double rateHz, int32_t maxFrames, std::string& error)
{
    plugin.stopProcessing ();
    Host::ProcessConfig config;
    config.sampleRateHz = rateHz;
    config.maxBlockSamples = maxFrames;
    config.inputChannels = config.outputChannels = 1;
    if (!plugin.startProcessing (config, error))
        return false;
    const auto& data = plugin.processData ();
    if (data.numInputs < 1 || data.numOutputs < 1 || data.inputs[0].numChannels != 1
        || data.outputs[0].numChannels != 1)
    {
        error = "the plug-in does not take a mono bus";
        return false;
    }
    preparedFrames = maxFrames;
    return true;
}

void PeriodProcessor::mute ()
{
    // seq_cst on both sides: either the audio thread sees the mute, or we see it busy.
    enabled.store (false, std::memory_order_seq_cst);
    while (busy.load (std::memory_order_seq_cst))
        std::this_thread::sleep_for (std::chrono::microseconds (200));
}

void PeriodProcessor::setInputTrimDb (float db)
{
    inputGain.store (std::pow (10.f, db / 20.f), std::memory_order_relaxed);
}

void PeriodProcessor::setOutputLevelDb (float db)
{
    outputGain.store (std::pow (10.f, db / 20.f), std::memory_order_relaxed);
}

uint32_t PeriodProcessor::pluginLatencyFrames () const
{
    return plugin.processor () ? plugin.processor ()->getLatencySamples () : 0;
}

void PeriodProcessor::process_rt (const float* in, float* left, float* right, uint32_t frames)
{
    busy.store (true, std::memory_order_seq_cst);
    // preparedFrames is read only once enabled is seen true, which publishes it.
    if (!enabled.load (std::memory_order_seq_cst) || static_cast<int32_t> (frames) > preparedFrames)
    {
        busy.store (false, std::memory_order_release);
        std::fill (left, left + frames, 0.f);
        std::fill (right, right + frames, 0.f);
        return;
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

    // All at the period's start: a later edit of a parameter replaces an earlier one there.
    periodEdits.clear ();
    ParameterChangeQueue::Change edit;
    while (periodEdits.size () < periodEdits.capacity () && editQueue.pop_rt (edit))
        periodEdits.push_back ({edit.id, 0, edit.value});
    const bool ok = plugin.process (static_cast<int32> (frames), periodEdits) == kResultOk;

    const float level = outputGain.load (std::memory_order_relaxed);
    for (uint32_t i = 0; i < frames; ++i)
        left[i] = right[i] = ok ? pluginOut[i] * level : 0.f;
    outMeter.update_rt (left, frames);
    if (audioProbe)
        audioProbe->periodEnds_rt ();
    busy.store (false, std::memory_order_release);
}

}   // namespace HostTool
}   // namespace Morvane
