// SPDX-License-Identifier: GPL-3.0-or-later
// A user preset on disk: its file name (safe, readable, one per name) and its .vstpreset form,
// what it holds and what it refuses to read.
#include "presets/CMVXPresetFileCodec.h"
#include "presets/CMVXPresetFolder.h"
#include "processor/CMVXStravelClassIds.h"
#include "base/source/fobject.h"
#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/vstpresetfile.h"
#include <gtest/gtest.h>
#include <cctype>
#include <cstring>
#include <limits>
#include <random>
#include <set>

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

bool isSafe (const std::string& fileName)
{
    if (fileName.size () <= 10 || fileName.size () > 255 || fileName[0] == '.' || fileName[0] == '-'
        || fileName.compare (fileName.size () - 10, 10, ".vstpreset") != 0)
        return false;
    for (unsigned char c : fileName)
        if (c < 0x20 || c >= 0x7f || std::string ("/\\:*?\"<>|").find (char (c)) != std::string::npos)
            return false;
    return true;
}

std::string lowerFileNameFor (const std::string& name)
{
    std::string text = folder::fileNameFor (name);
    for (char& c : text)
        c = static_cast<char> (std::tolower (static_cast<unsigned char> (c)));
    return text;
}

} // namespace

TEST (PresetFileCodec, RoundTripsNamesAndValuesExactly)
{
    for (const std::string& name : {"Crunchy"s, ""s, "a & b <c> \"d\" 'e'"s, "\xC3\xBCn\xC3\xAF c\xC3\xB8" "d\xC3\xA9 \xE9\x9F\xB3"s,
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
    IPtr<MemoryStream> stream = owned (new MemoryStream (bytes.data (), static_cast<TSize> (bytes.size ())));
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
    const auto bytes = encoded ("x");
    EXPECT_FALSE (decodePresetFile (bytes, kCMVXStravelControllerUID, 8));
    EXPECT_FALSE (decoded (bytes, 9));
    EXPECT_TRUE (decoded (bytes, 7));   // extra values ignored
    EXPECT_FALSE (decoded (encoded ("x", {0.5f, 0.5f})));
    EXPECT_FALSE (decoded ({}));
    std::vector<float> values = kValues;
    for (float bad : {std::numeric_limits<float>::quiet_NaN (), std::numeric_limits<float>::infinity ()})
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
        EXPECT_FALSE (decoded (std::vector<char> (bytes.begin (), bytes.begin () + long (length)))) << length;

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
    for (const auto& [at, value] : {std::pair {firstEntry + 4, int64_t (1) << 40}, {firstEntry + 12, int64_t (-1)}})
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
        {"<Attribute id=\"PlugInName\" value=\"no\"/><Attribute value=\"yes\" id=\"Name\"/>", "yes"},
        {"<Attribute xid=\"Name\" value=\"no\"/>", std::nullopt},
        {"<Attribute id=\"Name\" value=\"unterminated", std::nullopt},
        {"<Attribute id=\"Name\" value=\"&#x41;&#66;&bogus;&#xFFFFFFFFF;\"/>", "AB&bogus;&#xFFFFFFFFF;"},
        {"", std::nullopt}};
    for (const auto& [xml, name] : cases)
        EXPECT_EQ (presetNameFromMetaInfo (xml), name) << xml;
}

TEST (PresetFileName, OddNamesGiveSafeNames)
{
    for (const std::string& name : {"My Lead"s, "a/b"s, ".."s, "."s, "../../etc/passwd"s, "-rf"s, "C:\\x"s, ""s,
                                    "\xC3\xBCn\xC3\xAF c\xC3\xB8" "d\xC3\xA9 \xE9\x9F\xB3"s, "tab\there"s, "nul\0byte"s,
                                    "<>:\"|?*"s, std::string (1000, 'x'), std::string (300, '/'), "%41"s, "~0123456789abcdef"s})
        EXPECT_TRUE (isSafe (folder::fileNameFor (name))) << folder::fileNameFor (name);
    EXPECT_EQ (folder::fileNameFor ("My Lead").substr (0, 8), "My Lead~");   // readable where possible
    EXPECT_EQ (folder::fileNameFor ("a/b").substr (0, 6), "a%2Fb~");
    EXPECT_EQ (folder::fileNameFor ("Crunch 2"), folder::fileNameFor ("Crunch 2"));
}

TEST (PresetFileName, DistinctNamesStayDistinctEvenIgnoringCase)
{
    // A case-insensitive folder (a USB stick, a network share) must not merge presets either.
    std::set<std::string> seen;
    for (const std::string& name : {"Lead"s, "lead"s, "LEAD"s, "lEAD"s, "a/b"s, "a%2Fb"s, "a_b"s, ".."s, "."s, ""s, " "s,
                                    "%"s, "%25"s, std::string (200, 'a') + "1", std::string (200, 'a') + "2",
                                    std::string (200, 'A') + "1", "x\0"s, "x"s})
        EXPECT_TRUE (seen.insert (lowerFileNameFor (name)).second) << name;
}
