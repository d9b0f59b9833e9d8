// SPDX-License-Identifier: GPL-3.0-or-later
// Each fuzzer's kept inputs run through its harness without a broken expectation (and, in the
// sanitizer build, without a sanitizer report).
#include "FuzzSupport.h"
#include "OvermoorHarnesses.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Harness = std::string (*) (const uint8_t*, size_t);

struct Fuzzer
{
    const char* name;
    Harness harness;
};

const Fuzzer kFuzzers[] = {
    {"fuzz_state", OvermoorFuzz::runStateInput},
    {"fuzz_processor_notify", OvermoorFuzz::runProcessorMessages},
    {"fuzz_controller_notify", OvermoorFuzz::runControllerMessages},
    {"fuzz_preset_list_text", OvermoorFuzz::runPresetListText},
    {"fuzz_preset_folder", OvermoorFuzz::runPresetFolderInput},
    {"fuzz_render_options", OvermoorFuzz::runRenderOptions},
};

std::string readAll (const fs::path& path)
{
    std::ifstream in (path, std::ios::binary);
    return std::string (std::istreambuf_iterator<char> (in), std::istreambuf_iterator<char> ());
}

class FuzzCorpus : public ::testing::TestWithParam<Fuzzer>
{
protected:
    void SetUp () override { OvermoorFuzz::usePrivatePresetFolder (); }
};

TEST_P (FuzzCorpus, EveryKeptInputHoldsItsExpectations)
{
    const fs::path folder = fs::path (OVERMOOR_FUZZ_CORPUS) / GetParam ().name;
    std::vector<fs::path> inputs;
    for (const auto& entry : fs::directory_iterator (folder))
        if (entry.is_regular_file ())
            inputs.push_back (entry.path ());
    std::sort (inputs.begin (), inputs.end ());
    ASSERT_GE (inputs.size (), 3u) << "seed corpus missing in " << folder;
    for (const fs::path& input : inputs)
    {
        const std::string bytes = readAll (input);
        EXPECT_EQ (
            GetParam ().harness (reinterpret_cast<const uint8_t*> (bytes.data ()), bytes.size ()),
            "")
            << input.filename ();
    }
}

INSTANTIATE_TEST_SUITE_P (Fuzzers, FuzzCorpus, ::testing::ValuesIn (kFuzzers),
                          [] (const ::testing::TestParamInfo<Fuzzer>& info) {
                              return std::string (info.param.name);
                          });

}   // namespace
