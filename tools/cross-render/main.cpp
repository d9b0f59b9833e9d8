// SPDX-License-Identifier: GPL-3.0-or-later
// overmoor-cross-render BUNDLE DRY.f32 OUTDIR: plays a mono 48 kHz recording (raw little-endian
// float32) through every factory preset of the bundle, as overmoor-render --preset does (blocks of 256),
// and writes OUTDIR/preset-<number>.f32. Built without libsndfile, so that the Linux and the
// Windows build can render the same input and their outputs be compared.
#include "controller/CMVXMessageKeys.h"
#include "framework/CMVXPresetListText.h"
#include "host/ConnectionTap.h"
#include "host/PluginInstance.h"
#include "sdk/hosting/module.h"
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace Morvane;

namespace {

constexpr int kBlock = 256;
namespace Keys = CMVXMessageKeys;

// The factory presets' names, asked for as the editor asks; the answer arrives inside the send.
std::vector<std::string> factoryPresets (Host::PluginInstance& instance)
{
    std::vector<std::string> names;
    auto message = instance.createMessage (Keys::kPresetHandling);
    const char one = 1;
    message->getAttributes ()->setBinary (Keys::kGetFactoryPresets, &one, 1);
    instance.notifyProcessor (message);
    Steinberg::Vst::IMessage* answer =
        instance.processorToController ()->last (Keys::kPresetHandling);
    const void* data = nullptr;
    Steinberg::uint32 size = 0;
    if (!answer || answer->getAttributes ()->getBinary (Keys::kFactoryPresetList, data, size) != 0)
        return names;
    for (const CMVXPresetListEntry& entry :
         parsePresetListText ({static_cast<const char*> (data), size}))
        names.push_back (entry.name);
    return names;
}

void selectPreset (Host::PluginInstance& instance, int number)
{
    auto message = instance.createMessage (Keys::kPresetHandling);
    const std::string request = std::string (Keys::kSetSelectedPreset) + std::to_string (number);
    message->getAttributes ()->setBinary (Keys::kSetSelectedPreset, request.data (),
                                          static_cast<Steinberg::uint32> (request.size ()));
    instance.notifyProcessor (message);
}

bool renderPreset (VST3::Hosting::Module& module, int number, const std::vector<float>& dry,
                   std::vector<float>& wet, std::string& error)
{
    Host::InstanceOptions options;
    options.tapConnections = true;
    auto instance = Host::PluginInstance::create (module.getFactory (), error, options);
    if (!instance)
        return false;
    selectPreset (*instance, number);
    Host::ProcessConfig config;
    config.maxBlockSamples = kBlock;
    config.processMode = Steinberg::Vst::kOffline;
    config.inputChannels = config.outputChannels = 1;
    if (!instance->startProcessing (config, error))
        return false;
    wet.assign (dry.size (), 0.0f);
    for (size_t at = 0; at < dry.size (); at += kBlock)
    {
        const float* in = dry.data () + at;
        float* out = wet.data () + at;
        const auto frames =
            static_cast<Steinberg::int32> (std::min<size_t> (kBlock, dry.size () - at));
        if (instance->processBlock (&in, &out, frames) != Steinberg::kResultOk)
        {
            error = "processing failed at frame " + std::to_string (at);
            return false;
        }
    }
    return true;
}

}   // namespace

int main (int argc, char** argv)
{
    if (argc != 4)
    {
        std::fprintf (stderr, "usage: overmoor-cross-render BUNDLE DRY.f32 OUTDIR\n");
        return 2;
    }
    std::ifstream input (argv[2], std::ios::binary);
    const std::vector<char> bytes {std::istreambuf_iterator<char> (input),
                                   std::istreambuf_iterator<char> ()};
    std::vector<float> dry (bytes.size () / sizeof (float));
    std::copy (bytes.begin (), bytes.begin () + std::ptrdiff_t (dry.size () * sizeof (float)),
               reinterpret_cast<char*> (dry.data ()));
    std::string error;
    auto module = VST3::Hosting::Module::create (argv[1], error);
    if (!module || dry.empty ())
    {
        std::fprintf (stderr, "overmoor-cross-render: %s\n",
                      dry.empty () ? "no input" : error.c_str ());
        return 1;
    }
    std::vector<std::string> presets;
    {
        Host::InstanceOptions options;
        options.tapConnections = true;
        auto instance = Host::PluginInstance::create (module->getFactory (), error, options);
        if (instance)
            presets = factoryPresets (*instance);
    }
    std::vector<float> wet;
    for (int number = 0; number < int (presets.size ()); ++number)
    {
        if (!renderPreset (*module, number, dry, wet, error))
        {
            std::fprintf (stderr, "overmoor-cross-render: preset %d: %s\n", number, error.c_str ());
            return 1;
        }
        const std::string path =
            std::string (argv[3]) + "/preset-" + std::to_string (number) + ".f32";
        std::ofstream (path, std::ios::binary)
            .write (reinterpret_cast<const char*> (wet.data ()),
                    std::streamsize (wet.size () * sizeof (float)));
        std::printf ("%d\t%s\n", number, presets[size_t (number)].c_str ());
    }
    return presets.empty () ? 1 : 0;
}
