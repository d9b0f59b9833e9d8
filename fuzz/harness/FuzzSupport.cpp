// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"
#include "sdk/hosting/processdata.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

using namespace Steinberg;
using namespace Steinberg::Vst;
namespace fs = std::filesystem;

// Host-side attribute lists never free a zero-byte binary block; that is the host class's leak,
// not the plug-in's, and would hide every real one.
extern "C" const char* __lsan_default_suppressions ()
{
    return "leak:HostAttributeList::setBinary\n";
}

namespace OvermoorFuzz {
namespace {

std::string makeFolder ()
{
    std::error_code error;
    std::string base = fs::is_directory ("/dev/shm", error) && access ("/dev/shm", W_OK) == 0 ? "/dev/shm" : "";
    if (base.empty ())
    {
        const char* tmp = std::getenv ("TMPDIR");
        base = tmp != nullptr && *tmp != 0 ? tmp : "/tmp";
    }
    std::string pattern = base + "/overmoor-fuzz-XXXXXX";
    if (mkdtemp (pattern.data ()) == nullptr)
    {
        std::fprintf (stderr, "cannot create a preset folder under %s\n", base.c_str ());
        std::abort ();
    }
    return pattern;
}

std::string& folderPath ()
{
    static std::string path;
    return path;
}

void removeFolder ()
{
    std::error_code error;
    if (!folderPath ().empty ())
        fs::remove_all (folderPath (), error);
}

} // namespace

const std::string& usePrivatePresetFolder ()
{
    std::string& path = folderPath ();
    if (path.empty ())
    {
        path = makeFolder ();
        setenv ("OVERMOOR_PRESET_DIR", path.c_str (), 1);
        std::atexit (removeFolder);
    }
    return path;
}

void clearFolder (const std::string& folder)
{
    std::error_code error;
    for (fs::directory_iterator it (folder, error), end; !error && it != end; it.increment (error))
    {
        std::error_code ignored;
        fs::permissions (it->path (), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all (it->path (), ignored);
    }
}

bool fileExists (const std::string& path)
{
    std::error_code error;
    return fs::exists (path, error);
}

HostApplication& hostContext ()
{
    static HostApplication* host = new HostApplication ();   // lives as long as the process
    return *host;
}

bool isUnitValue (double value)
{
    return std::isfinite (value) && value >= 0.0 && value <= 1.0;
}

bool processSineBlocks (IAudioProcessor& processor, IComponent& component, int blocks, int blockSamples)
{
    ProcessSetup setup {kRealtime, kSample32, blockSamples, 48000.0};
    if (processor.setupProcessing (setup) != kResultOk)
        return false;
    component.setActive (true);
    processor.setProcessing (true);
    HostProcessData data;
    if (!data.prepare (component, blockSamples, kSample32))
        return false;
    data.numSamples = blockSamples;
    bool finite = true;
    int64_t sample = 0;
    for (int block = 0; block < blocks; ++block)
    {
        for (int32 bus = 0; bus < data.numInputs; ++bus)
            for (int32 channel = 0; channel < data.inputs[bus].numChannels; ++channel)
                if (Sample32* in = data.inputChannel32 (bus, channel))
                    for (int i = 0; i < blockSamples; ++i)
                        in[i] = 0.5f * static_cast<float> (std::sin (2.0 * M_PI * 220.0 * (sample + i) / 48000.0));
        sample += blockSamples;
        if (processor.process (data) != kResultOk)
            return false;
        for (int32 bus = 0; bus < data.numOutputs; ++bus)
            for (int32 channel = 0; channel < data.outputs[bus].numChannels; ++channel)
                if (const Sample32* out = data.outputs[bus].channelBuffers32[channel])
                    for (int i = 0; i < blockSamples; ++i)
                        finite = finite && std::isfinite (out[i]);
    }
    processor.setProcessing (false);
    component.setActive (false);
    return finite;
}

void failOnProblem (const std::string& problem, const char* harness)
{
    if (problem.empty ())
        return;
    std::fprintf (stderr, "%s: %s\n", harness, problem.c_str ());
    std::fflush (stderr);
    std::abort ();
}

} // namespace OvermoorFuzz
