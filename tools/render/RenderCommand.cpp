// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/RenderCommand.h"

#include "host/PluginInstance.h"
#include "render/AudioFiles.h"
#include "render/ListReport.h"
#include "render/OutputFormat.h"
#include "render/ParameterCatalog.h"
#include "render/PluginLocation.h"
#include "render/PresetRequests.h"
#include "render/RenderLoop.h"
#include "render/RenderOptions.h"
#include "render/RenderReport.h"
#include "sdk/hosting/module.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>

namespace Morvane {
namespace Render {

using namespace Steinberg;

namespace {
// Set by Ctrl-C or a termination request; the render stops between blocks and removes its
// unfinished output.
std::atomic<bool> interruptRequested {false};
static_assert (std::atomic<bool>::is_always_lock_free, "read from a signal handler");

extern "C" void requestInterrupt (int)
{
    interruptRequested.store (true, std::memory_order_relaxed);
}

void catchInterrupts ()
{
    struct sigaction action
    {};
    action.sa_handler = requestInterrupt;
    sigemptyset (&action.sa_mask);
    ::sigaction (SIGINT, &action, nullptr);
    ::sigaction (SIGTERM, &action, nullptr);
}

int report (const RenderProblem& problem)
{
    std::fprintf (stderr, "overmoor-render: %s\n", problem.message.c_str ());
    return problem.exitCode;
}

// The plug-in's module and one instance of it, released in the right order.
struct LoadedPlugin
{
    VST3::Hosting::Module::Ptr module;
    std::unique_ptr<Host::PluginInstance> instance;

    ~LoadedPlugin () { instance.reset (); }
};

RenderProblem loadPlugin (const std::string& requestedPath, LoadedPlugin& plugin)
{
    std::string error;
    const std::string path = locatePlugin (requestedPath, error);
    if (path.empty ())
        return RenderProblem::failure (error);
    plugin.module = VST3::Hosting::Module::create (path, error);
    if (!plugin.module)
        return RenderProblem::failure ("cannot load plug-in '" + path + "': " + error);
    Host::InstanceOptions options;
    options.tapConnections = true;   // preset answers are read from the processor's side
    plugin.instance = Host::PluginInstance::create (plugin.module->getFactory (), error, options);
    if (!plugin.instance)
        return RenderProblem::failure ("cannot create the plug-in from '" + path + "': " + error);
    return {};
}

// Preset first, then the settings in command-line order, each told to the controller at once so
// that titles follow the model; the processor gets them in the first block's parameter queues.
RenderProblem applySettings (const RenderOptions& options, Host::PluginInstance& instance,
                             const ParameterCatalog& catalog,
                             std::vector<Host::ParameterPoint>& initialChanges)
{
    if (!options.preset.empty ())
        if (RenderProblem problem = PresetRequests (instance).select (options.preset))
            return problem;
    for (const ParameterSetting& setting : options.settings)
    {
        int32_t id = 0;
        double normalized = 0.0;
        if (RenderProblem problem = catalog.resolve (setting, id, normalized))
            return problem;
        instance.controller ()->setParamNormalized (static_cast<Vst::ParamID> (id), normalized);
        initialChanges.push_back ({static_cast<Vst::ParamID> (id), 0, normalized});
    }
    return {};
}

int render (const RenderOptions& options)
{
    OutputFormat format {};
    if (RenderProblem problem = checkOutputRequest (options.inputPath, options.outputPath, format))
        return report (problem);
    LoadedPlugin plugin;
    if (RenderProblem problem = loadPlugin (options.pluginPath, plugin))
        return report (problem);
    Host::PluginInstance& instance = *plugin.instance;
    const ParameterCatalog catalog (*instance.controller ());

    RenderLoopInput input;
    input.blockSize = options.blockSize;
    if (RenderProblem problem = applySettings (options, instance, catalog, input.initialChanges))
        return report (problem);
    for (const AutomationPoint& point : options.automation)
        if (RenderProblem problem =
                catalog.checkId (point.id, "--at " + std::to_string (point.sample)))
            return report (problem);

    AudioFileReader reader;
    std::string error;
    if (!reader.open (options.inputPath, error))
        return report (RenderProblem::failure (error));
    if (RenderProblem problem = scheduleAutomation (options.automation, options.blockSize,
                                                    reader.frames (), input.schedule))
        return report (problem);

    Host::ProcessConfig config;
    config.sampleRateHz = reader.sampleRateHz ();
    config.maxBlockSamples = options.blockSize;
    config.processMode = Vst::kOffline;
    config.inputChannels = reader.channels ();
    config.outputChannels = reader.channels ();
    if (!instance.startProcessing (config, error))
        return report (RenderProblem::failure ("the plug-in cannot start processing: " + error));
    const Vst::ProcessData& data = instance.processData ();
    if (data.numInputs < 1 || data.numOutputs < 1
        || data.inputs[0].numChannels != reader.channels ()
        || data.outputs[0].numChannels != reader.channels ())
        return report (RenderProblem::failure (std::string ("the plug-in refused a ")
                                               + (reader.channels () == 1 ? "mono" : "stereo")
                                               + " bus arrangement"));

    AudioFileWriter writer;
    if (!writer.open (options.outputPath, format, reader.channels (), reader.sampleRateHz (),
                      error))
        return report (RenderProblem::failure (error));

    ProgressBar progress (stderr, !options.quiet, reader.frames (), reader.sampleRateHz ());
    const auto started = std::chrono::steady_clock::now ();
    int64_t frames = 0;
    catchInterrupts ();
    const RenderProblem problem =
        renderStream (instance, reader, writer, input, progress, frames, &interruptRequested);
    const double seconds =
        std::chrono::duration<double> (std::chrono::steady_clock::now () - started).count ();
    progress.finish ();
    instance.stopProcessing ();
    if (problem)
        return report (problem);
    if (!writer.commit (error))
        return report (RenderProblem::failure (error));

    const RenderSummary summary {frames,         reader.sampleRateHz (),
                                 seconds,        writer.clippedSamples (),
                                 writer.peak (), format.description};
    std::fprintf (stderr, "%s\n", formatSummary (summary).c_str ());
    return 0;
}

int list (const RenderOptions& options)
{
    LoadedPlugin plugin;
    if (RenderProblem problem = loadPlugin (options.pluginPath, plugin))
        return report (problem);
    const ParameterCatalog catalog (*plugin.instance->controller ());
    std::vector<Host::ParameterPoint> ignored;
    if (RenderProblem problem = applySettings (options, *plugin.instance, catalog, ignored))
        return report (problem);
    const PresetLists presets = PresetRequests (*plugin.instance).requestLists ();
    std::fputs (formatList (presets, catalog.describe (), catalog).c_str (), stdout);
    return 0;
}
}   // namespace

int runRenderCommand (int argc, const char* const* argv)
{
    const ParseResult parsed = parseRenderOptions (argc, argv);
    if (parsed.status == ParseResult::Status::help)
    {
        std::fputs (parsed.message.c_str (), stdout);
        return 0;
    }
    if (parsed.status == ParseResult::Status::error)
        return report (RenderProblem::usage (parsed.message + " (see --help)"));
    return parsed.options.list ? list (parsed.options) : render (parsed.options);
}

}   // namespace Render
}   // namespace Morvane
