// SPDX-License-Identifier: GPL-3.0-or-later
// Several instances saving into one folder at once, in threads and in separate processes.
#include "PresetTestSupport.h"
#include "framework/CMVXStravelPlugInDSP.h"
#include "presets/CMVXFilePresetStorage.h"
#include "processor/CMVXStravelClassIds.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace PresetTest;

namespace {

constexpr int kPresetsPerWriter = 25;

// One instance saving its own presets, plus one name every writer saves.
void saveMany (const std::string& directory, const std::string& prefix)
{
    CMVXFilePresetStorage storage (kCMVXStravelProcessorUID, directory);
    CMVXStravelPlugInDSP dsp (&storage);
    for (int i = 0; i < kPresetsPerWriter; ++i)
    {
        dsp.setParameterNormalized (2, static_cast<float> (i) / kPresetsPerWriter);
        dsp.storeUserPreset (prefix + std::to_string (i), false);
        dsp.storeUserPreset ("Shared", false);
    }
}

std::vector<std::string> expectedNames (const std::vector<std::string>& prefixes)
{
    std::vector<std::string> names = {"Shared"};
    for (const std::string& prefix : prefixes)
        for (int i = 0; i < kPresetsPerWriter; ++i)
            names.push_back (prefix + std::to_string (i));
    std::sort (names.begin (), names.end ());
    return names;
}

std::vector<std::string> loadedNames (const std::string& directory)
{
    CMVXFilePresetStorage storage (kCMVXStravelProcessorUID, directory);
    CMVXStravelPlugInDSP dsp (&storage);
    return dsp.getUserPresetNames ();
}

} // namespace

TEST (PresetConcurrency, TwoThreadsLoseNoPreset)
{
    TemporaryFolder dir;
    std::thread first (saveMany, dir.path (), "thread A ");
    std::thread second (saveMany, dir.path (), "thread B ");
    first.join ();
    second.join ();
    EXPECT_EQ (loadedNames (dir.path ()), expectedNames ({"thread A ", "thread B "}));
    EXPECT_EQ (filesIn (dir.path ()).size (), 2u * kPresetsPerWriter + 1);
}

TEST (PresetConcurrency, TwoProcessesLoseNoPreset)
{
    TemporaryFolder dir;
    std::vector<pid_t> children;
    for (const char* prefix : {"process A ", "process B "})
    {
        const pid_t child = ::fork ();
        ASSERT_GE (child, 0);
        if (child == 0)
        {
            saveMany (dir.path (), prefix);
            ::_exit (0);
        }
        children.push_back (child);
    }
    for (pid_t child : children)
    {
        int status = 0;
        ASSERT_EQ (::waitpid (child, &status, 0), child);
        EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 0);
    }
    EXPECT_EQ (loadedNames (dir.path ()), expectedNames ({"process A ", "process B "}));
}
