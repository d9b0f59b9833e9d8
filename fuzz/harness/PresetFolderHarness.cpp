// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"
#include "OvermoorHarnesses.h"
#include "framework/CMVXStravelPlugInDSP.h"
#include "presets/CMVXFilePresetStorage.h"
#include "presets/CMVXPresetFileCodec.h"
#include "presets/CMVXPresetFolder.h"
#include "processor/CMVXStravelClassIds.h"
#include <fstream>
#include <iterator>

namespace OvermoorFuzz {
namespace {

constexpr const char* kWholeFile = "fuzz.vstpreset";
constexpr const char* kCutFile = "fuzz-cut.vstpreset";
constexpr size_t kParameterCount = 8;

void writeFile (const std::string& path, const std::vector<char>& bytes)
{
    std::ofstream out (path, std::ios::binary | std::ios::trunc);
    out.write (bytes.data (), static_cast<std::streamsize> (bytes.size ()));
}

std::vector<char> readFile (const std::string& path)
{
    std::ifstream in (path, std::ios::binary);
    return std::vector<char> (std::istreambuf_iterator<char> (in), std::istreambuf_iterator<char> ());
}

} // namespace

std::string runPresetFolderInput (const uint8_t* data, size_t size)
{
    Problems problems;
    const std::string& folder = usePrivatePresetFolder ();
    clearFolder (folder);

    const std::vector<char> whole (reinterpret_cast<const char*> (data), reinterpret_cast<const char*> (data) + size);
    const std::vector<char> cut (whole.begin (), whole.begin () + static_cast<std::ptrdiff_t> (size / 2));
    const std::string wholePath = CMVXPresetFolder::pathOf (folder, kWholeFile);
    const std::string cutPath = CMVXPresetFolder::pathOf (folder, kCutFile);
    writeFile (wholePath, whole);
    writeFile (cutPath, cut);

    if (const auto decoded = decodePresetFile (whole, kCMVXStravelProcessorUID, kParameterCount))
    {
        problems.expect (decoded->normalizedValues.size () == kParameterCount, "decoded preset has the wrong value count");
        for (float value : decoded->normalizedValues)
            problems.expect (isUnitValue (value), "decoded preset value outside 0..1");
    }

    {
        CMVXFilePresetStorage storage (kCMVXStravelProcessorUID, folder);
        CMVXStravelPlugInDSP dsp (&storage);
        const size_t userPresets = dsp.getUserPresetNames ().size ();
        problems.expect (userPresets <= 2, "more user presets than files");
        const int32_t factoryPresets = static_cast<int32_t> (dsp.getFactoryPresetNames ().size ());
        for (size_t i = 0; i < userPresets; ++i)
        {
            dsp.selectPreset (factoryPresets + static_cast<int32_t> (i));
            for (int32_t id = 0; id < dsp.getParameterCount (); ++id)
                problems.expect (isUnitValue (dsp.getParameterNormalized (id)), "loaded preset sets a value outside 0..1");
        }
    }

    // Loading only reads: damaged or foreign files stay exactly as they were.
    problems.expect (fileExists (wholePath) && readFile (wholePath) == whole, "the preset file was changed or removed");
    problems.expect (fileExists (cutPath) && readFile (cutPath) == cut, "the cut preset file was changed or removed");
    clearFolder (folder);
    return problems.text ();
}

} // namespace OvermoorFuzz
