// SPDX-License-Identifier: GPL-3.0-or-later
// What overmoor-host --audio adds around the plug-in: one period of its process callback (trim,
// queued edits, mono process, output level to two ports, meters) against the plug-in's own
// process of the same 64 frames at 48 kHz, through the built bundle. The JACK callback adds three
// jack_port_get_buffer calls to the period, which are pointer look-ups.
#include "host/PeriodProcessor.h"
#include "sdk/hosting/module.h"
#include <benchmark/benchmark.h>
#include <random>

namespace {

using namespace Morvane;

constexpr int kFrames = 64;
constexpr double kRateHz = 48000.0;

struct Rig
{
    VST3::Hosting::Module::Ptr module;
    std::unique_ptr<Host::PluginInstance> instance;
    HostTool::ParameterChangeQueue edits;
    std::unique_ptr<HostTool::PeriodProcessor> period;
    std::vector<float> input = std::vector<float> (48000), left = std::vector<float> (kFrames),
                       right = std::vector<float> (kFrames);
    size_t position = 0;
    std::string error;

    Rig ()
    {
        module = VST3::Hosting::Module::create (OVERMOOR_BUNDLE_PATH, error);
        if (module)
            instance = Host::PluginInstance::create (module, error);
        if (!instance)
            return;
        period = std::make_unique<HostTool::PeriodProcessor> (*instance, edits);
        if (!period->prepare (kRateHz, kFrames, error))
            instance.reset ();
        period->unmute ();
        std::mt19937 rng (1234);
        std::uniform_real_distribution<float> dist (-0.5f, 0.5f);
        for (float& x : input)
            x = dist (rng);
    }
    const float* nextInput ()
    {
        position = (position + kFrames) % input.size ();
        return input.data () + position;
    }
};

void BM_PluginProcess (benchmark::State& state)
{
    Rig rig;
    if (!rig.instance)
        return state.SkipWithError (rig.error.c_str ());
    const bool withEdit = state.range (0) != 0;
    float* pluginIn = rig.instance->processData ().inputChannel32 (0, 0);
    std::vector<Host::ParameterPoint> edit {{3, 0, 0.0}}, none;
    int step = 0;
    for (auto _ : state)
    {
        edit[0].value = (++step % 100) / 100.0;
        std::copy_n (rig.nextInput (), kFrames, pluginIn);
        rig.instance->process (kFrames, withEdit ? edit : none);
        benchmark::ClobberMemory ();
    }
    state.SetLabel (withEdit ? "plug-in process with an edit, 64 frames"
                             : "plug-in process, 64 frames");
}
BENCHMARK (BM_PluginProcess)->Arg (0)->Arg (1)->Unit (benchmark::kMicrosecond);

void BM_LivePeriod (benchmark::State& state)
{
    Rig rig;
    if (!rig.instance)
        return state.SkipWithError (rig.error.c_str ());
    const bool withEdit = state.range (0) != 0;
    int step = 0;
    for (auto _ : state)
    {
        if (withEdit)   // a knob being turned: one edit every period
            rig.edits.push ({3, (++step % 100) / 100.0});
        rig.period->process_rt (rig.nextInput (), rig.left.data (), rig.right.data (), kFrames);
        benchmark::ClobberMemory ();
    }
    state.SetLabel (withEdit ? "host period with an edit, 64 frames" : "host period, 64 frames");
}
BENCHMARK (BM_LivePeriod)->Arg (0)->Arg (1)->Unit (benchmark::kMicrosecond);

}   // namespace

BENCHMARK_MAIN ();
