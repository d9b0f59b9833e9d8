// SPDX-License-Identifier: GPL-3.0-or-later
// A user preset on disk: its file name (the preset name where the file system allows) and its
// .vstpreset form, what it holds and what it refuses to read.
#include "presets/CMVXPresetFileCodec.h"
#include "presets/CMVXPresetFolder.h"
#include "processor/CMVXStravelClassIds.h"
#include "base/source/fobject.h"
#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/vstpresetfile.h"
#include <gtest/gtest.h>
#include <cstring>
#include <limits>
#include <random>
#include <tuple>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace std::string_literals;
namespace folder = CMVXPresetFolder;

namespace {

const std::vector<float> kValues = {1.0f, 3.0f / 7.0f, 0.425f, 1.0f, 0.816f, 0.18f, 0.618f, 0.325f};

std::vector<char> encoded (const std::string& name, const std::vector<float>& values = kValues)
{
    return encodePresetFile (kCMVXStravelProcessorUID, name, values);
}

std::optional<CMVXStoredPreset> decoded (const std::vector<char>& bytes, size_t valueCount = 8)
{
    return decodePresetFile (bytes, kCMVXStravelProcessorUID, valueCount);
}

}   // namespace

TEST (PresetFileCodec, RoundTripsNamesAndValuesExactly)
{
    for (const std::string& name :
         {"Crunchy"s, ""s, "a & b <c> \"d\" 'e'"s,
          "\xC3\xBCn\xC3\xAF c\xC3\xB8"
          "d\xC3\xA9 \xE9\x9F\xB3"s,
          "tab\tline\nend\r"s, "nul\0inside"s, "&amp; literally"s, "&#65;"s, "\x7f\x01\x1f"s,
          "\xff\xfe not utf-8"s, std::string (5000, 'z')})
    {
        const auto preset = decoded (encoded (name));
        ASSERT_TRUE (preset) << name;
        EXPECT_TRUE (preset->nameFromMetaInfo);
        EXPECT_EQ (preset->name, name);
        EXPECT_EQ (preset->normalizedValues, kValues);
    }
}

// Files a host saved without our meta-info are read through the storage tests.
TEST (PresetFileCodec, IsAStandardPresetOfTheProcessorClass)
{
    std::vector<char> bytes = encoded ("Host readable");
    IPtr<MemoryStream> stream =
        owned (new MemoryStream (bytes.data (), static_cast<TSize> (bytes.size ())));
    PresetFile file (stream);
    ASSERT_TRUE (file.readChunkList ());
    EXPECT_EQ (file.getClassID (), kCMVXStravelProcessorUID);
    const PresetFile::Entry* state = file.getEntry (kComponentState);
    ASSERT_NE (state, nullptr);
    ASSERT_EQ (state->size, 32);   // exactly the processor's state: eight little-endian floats
    EXPECT_EQ (std::memcmp (bytes.data () + state->offset, kValues.data (), 32), 0);
    EXPECT_FALSE (file.contains (kControllerState));
    const PresetFile::Entry* meta = file.getEntry (kMetaInfo);
    ASSERT_NE (meta, nullptr);
    const std::string xml (bytes.data () + meta->offset, static_cast<size_t> (meta->size));
    EXPECT_NE (xml.find ("<MetaInfo>"), std::string::npos);
    EXPECT_NE (xml.find ("id=\"Name\" value=\"Host readable\""), std::string::npos);
}

TEST (PresetFileCodec, RefusesOtherPlugInsShortStatesAndNonFiniteValuesAndClampsTheRest)
{
    // Another plug-in's and empty files: the storage suite's foreign and damaged files.
    const auto bytes = encoded ("x");
    EXPECT_FALSE (decoded (bytes, 9));
    EXPECT_TRUE (decoded (bytes, 7));   // extra values ignored
    EXPECT_FALSE (decoded (encoded ("x", {0.5f, 0.5f})));
    std::vector<float> values = kValues;
    for (float bad :
         {std::numeric_limits<float>::quiet_NaN (), std::numeric_limits<float>::infinity ()})
    {
        values[3] = bad;
        EXPECT_FALSE (decoded (encoded ("bad", values))) << bad;
    }
    values[3] = 7.5f;
    values[4] = -2.0f;
    const auto preset = decoded (encoded ("wide", values));
    ASSERT_TRUE (preset);
    EXPECT_EQ (preset->normalizedValues[3], 1.0f);
    EXPECT_EQ (preset->normalizedValues[4], 0.0f);
}

TEST (PresetFileCodec, TruncatedCorruptedOrMisdirectedFilesNeverCrash)
{
    const auto bytes = encoded ("Corrupt me");
    // The chunk list sits at the end, so every proper prefix lacks it.
    for (size_t length = 0; length < bytes.size (); ++length)
        EXPECT_FALSE (decoded (std::vector<char> (bytes.begin (), bytes.begin () + long (length))))
            << length;

    // Random damage is the preset-folder fuzzer's; here, a plausible header on noise.
    std::vector<char> noise (4096);
    std::mt19937 random (1234);
    for (char& c : noise)
        c = static_cast<char> (random ());
    std::memcpy (noise.data (), "VST3", 4);
    EXPECT_FALSE (decoded (noise));

    // The first chunk-list entry (after "List" and its count) holds the id, then the 64-bit
    // offset and size: point the component state far past the end, or give it a negative size.
    int64_t listOffset = 0;
    std::memcpy (&listOffset, bytes.data () + 4 + 4 + 32, 8);
    ASSERT_GT (listOffset, 0);
    const size_t firstEntry = static_cast<size_t> (listOffset) + 8;
    for (const auto& [at, value] :
         {std::pair {firstEntry + 4, int64_t (1) << 40}, {firstEntry + 12, int64_t (-1)}})
    {
        auto misdirected = bytes;
        std::memcpy (misdirected.data () + at, &value, 8);
        EXPECT_FALSE (decoded (misdirected)) << value;
    }
}

TEST (PresetFileCodec, MetaInfoReaderTakesOnlyTheNameAttribute)
{
    const std::vector<std::pair<std::string, std::optional<std::string>>> cases = {
        {"<MetaInfo><Attribute id='Name' value='Single quoted'/></MetaInfo>", "Single quoted"},
        {"<Attribute id=\"PlugInName\" value=\"no\"/><Attribute value=\"yes\" id=\"Name\"/>",
         "yes"},
        {"<Attribute xid=\"Name\" value=\"no\"/>", std::nullopt},
        {"<Attribute id=\"Name\" value=\"unterminated", std::nullopt},
        {"<Attribute id=\"Name\" value=\"&#x41;&#66;&bogus;&#xFFFFFFFFF;\"/>",
         "AB&bogus;&#xFFFFFFFFF;"},
        {"", std::nullopt}};
    for (const auto& [xml, name] : cases)
        EXPECT_EQ (presetNameFromMetaInfo (xml), name) << xml;
}

TEST (PresetFileName, OnlyWhatTheFileSystemForbidsIsReplaced)
{
    using Rules = folder::FileNameRules;
    const std::string e = "\xC3\xA9";   // é
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        // name, file name on POSIX, on Windows
        {"Caf" + e + ": A/B", "Caf" + e + ": A_B.vstpreset", "Caf" + e + "_ A_B.vstpreset"},
        {"Wow... ", "Wow... .vstpreset", "Wow... .vstpreset"},   // the extension ends every name
        {"<>:\"\\|?*", "<>:\"\\|?*.vstpreset", "________.vstpreset"},
        {"../up", "_._up.vstpreset", "_._up.vstpreset"},
        {"", "_.vstpreset", "_.vstpreset"},
        {"tab\there\n"s + '\0', "tab_here__.vstpreset", "tab_here__.vstpreset"},
        {"CON", "CON.vstpreset", "CON_.vstpreset"},
        {"nul.x", "nul.x.vstpreset", "nul_.x.vstpreset"},
        {"Com7 .x", "Com7 .x.vstpreset", "Com7_ .x.vstpreset"},
        {"COM10", "COM10.vstpreset", "COM10.vstpreset"},
        {std::string (200, 'x'), std::string (150, 'x') + ".vstpreset",
         std::string (150, 'x') + ".vstpreset"},
        {std::string (149, 'y') + e, std::string (149, 'y') + ".vstpreset",
         std::string (149, 'y') + ".vstpreset"},   // no half é
    };
    for (const auto& [name, posix, windows] : cases)
    {
        EXPECT_EQ (folder::fileNameFor (name, 1, Rules::posix), posix) << name;
        EXPECT_EQ (folder::fileNameFor (name, 1, Rules::windows), windows) << name;
    }
    EXPECT_EQ (folder::fileNameFor ("Lead", 2), "Lead (2).vstpreset");
    EXPECT_EQ (folder::foldCase ("Caf\xC3\x89 LEAD"), "caf\xC3\xA9 lead");
}
