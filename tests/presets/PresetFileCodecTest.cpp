// SPDX-License-Identifier: GPL-3.0-or-later
// The .vstpreset form of a user preset: what it holds, and what it refuses to read.
#include "presets/CMVXPresetFileCodec.h"
#include "processor/CMVXStravelClassIds.h"
#include "base/source/fobject.h"
#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/vstpresetfile.h"
#include <gtest/gtest.h>
#include <cstring>
#include <limits>
#include <random>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

const std::vector<float> kValues = {1.0f, 3.0f / 7.0f, 0.425f, 1.0f, 0.816f, 0.18f, 0.618f, 0.325f};

std::vector<char> encoded (const std::string& name, const std::vector<float>& values = kValues)
{
    return encodePresetFile (kCMVXStravelProcessorUID, name, values);
}

} // namespace

TEST (PresetFileCodec, RoundTripsNamesAndValuesExactly)
{
    for (const std::string& name :
         {std::string ("Crunchy"), std::string (""), std::string ("a & b <c> \"d\" 'e'"),
          std::string ("\xC3\xBCn\xC3\xAF c\xC3\xB8" "d\xC3\xA9 \xE9\x9F\xB3"), std::string ("tab\tline\nend\r"),
          std::string ("nul\0inside", 10), std::string ("&amp; literally"), std::string ("&#65;"),
          std::string ("\x7f\x01\x1f"), std::string ("\xff\xfe not utf-8"), std::string (5000, 'z')})
    {
        const auto bytes = encoded (name);
        ASSERT_FALSE (bytes.empty ());
        const auto preset = decodePresetFile (bytes, kCMVXStravelProcessorUID, kValues.size ());
        ASSERT_TRUE (preset) << name;
        EXPECT_TRUE (preset->nameFromMetaInfo);
        EXPECT_EQ (preset->name, name);
        EXPECT_EQ (preset->normalizedValues, kValues);
    }
}

TEST (PresetFileCodec, IsAStandardPresetOfTheProcessorClass)
{
    const auto bytes = encoded ("Host readable");
    std::vector<char> copy = bytes;
    IPtr<MemoryStream> stream = owned (new MemoryStream (copy.data (), static_cast<TSize> (copy.size ())));
    PresetFile file (stream);
    ASSERT_TRUE (file.readChunkList ());
    EXPECT_EQ (file.getClassID (), kCMVXStravelProcessorUID);
    const PresetFile::Entry* state = file.getEntry (kComponentState);
    ASSERT_NE (state, nullptr);
    EXPECT_EQ (state->size, 32);   // exactly the processor's state: eight little-endian floats
    float first = 0.0f;
    std::memcpy (&first, bytes.data () + state->offset + 4, 4);
    EXPECT_EQ (first, kValues[1]);
    EXPECT_FALSE (file.contains (kControllerState));
    const PresetFile::Entry* meta = file.getEntry (kMetaInfo);
    ASSERT_NE (meta, nullptr);
    const std::string xml (bytes.data () + meta->offset, static_cast<size_t> (meta->size));
    EXPECT_NE (xml.find ("<MetaInfo>"), std::string::npos);
    EXPECT_NE (xml.find ("id=\"Name\" value=\"Host readable\""), std::string::npos);
}

TEST (PresetFileCodec, RefusesOtherPlugInsAndShortStates)
{
    const auto bytes = encoded ("x");
    EXPECT_FALSE (decodePresetFile (bytes, kCMVXStravelControllerUID, 8));
    EXPECT_FALSE (decodePresetFile (bytes, kCMVXStravelProcessorUID, 9));
    EXPECT_TRUE (decodePresetFile (bytes, kCMVXStravelProcessorUID, 7));   // extra values ignored
    EXPECT_FALSE (decodePresetFile (encoded ("x", {0.5f, 0.5f}), kCMVXStravelProcessorUID, 8));
    EXPECT_FALSE (decodePresetFile ({}, kCMVXStravelProcessorUID, 8));
}

TEST (PresetFileCodec, RefusesNonFiniteAndClampsOutOfRangeValues)
{
    std::vector<float> values = kValues;
    values[3] = std::numeric_limits<float>::quiet_NaN ();
    EXPECT_FALSE (decodePresetFile (encoded ("nan", values), kCMVXStravelProcessorUID, 8));
    values[3] = std::numeric_limits<float>::infinity ();
    EXPECT_FALSE (decodePresetFile (encoded ("inf", values), kCMVXStravelProcessorUID, 8));
    values[3] = 7.5f;
    values[4] = -2.0f;
    const auto preset = decodePresetFile (encoded ("wide", values), kCMVXStravelProcessorUID, 8);
    ASSERT_TRUE (preset);
    EXPECT_EQ (preset->normalizedValues[3], 1.0f);
    EXPECT_EQ (preset->normalizedValues[4], 0.0f);
}

TEST (PresetFileCodec, EveryTruncationIsRefusedOrReadSafely)
{
    const auto bytes = encoded ("Truncated");
    for (size_t length = 0; length < bytes.size (); ++length)
    {
        const std::vector<char> prefix (bytes.begin (), bytes.begin () + static_cast<long> (length));
        // The chunk list sits at the end, so every proper prefix lacks it.
        EXPECT_FALSE (decodePresetFile (prefix, kCMVXStravelProcessorUID, 8)) << length;
    }
}

TEST (PresetFileCodec, CorruptedBytesNeverCrash)
{
    const auto bytes = encoded ("Corrupt me");
    std::mt19937 random (1234);
    int accepted = 0;
    for (int round = 0; round < 3000; ++round)
    {
        std::vector<char> damaged = bytes;
        const int flips = 1 + static_cast<int> (random () % 8);
        for (int i = 0; i < flips; ++i)
            damaged[random () % damaged.size ()] = static_cast<char> (random ());
        if (auto preset = decodePresetFile (damaged, kCMVXStravelProcessorUID, 8))
        {
            ++accepted;
            ASSERT_EQ (preset->normalizedValues.size (), 8u);
            for (float value : preset->normalizedValues)
                ASSERT_TRUE (value >= 0.0f && value <= 1.0f);
        }
    }
    // Damage outside the header and chunk list (the state, the XML) may still read.
    EXPECT_GT (accepted, 0);

    std::vector<char> noise (4096);
    for (char& c : noise)
        c = static_cast<char> (random ());
    std::memcpy (noise.data (), "VST3", 4);
    EXPECT_FALSE (decodePresetFile (noise, kCMVXStravelProcessorUID, 8));
}

TEST (PresetFileCodec, ChunkOffsetsOutsideTheFileAreRefused)
{
    auto bytes = encoded ("Offsets");
    // The chunk list's first entry (after "List" and its count) starts with the chunk id, then
    // the 64-bit offset and size; point the component state far past the end.
    const size_t listOffsetPos = 4 + 4 + 32;
    int64_t listOffset = 0;
    std::memcpy (&listOffset, bytes.data () + listOffsetPos, 8);
    ASSERT_GT (listOffset, 0);
    const size_t firstEntry = static_cast<size_t> (listOffset) + 8;
    auto far = bytes;
    const int64_t huge = int64_t (1) << 40;
    std::memcpy (far.data () + firstEntry + 4, &huge, 8);
    EXPECT_FALSE (decodePresetFile (far, kCMVXStravelProcessorUID, 8));
    auto negative = bytes;
    const int64_t minusOne = -1;
    std::memcpy (negative.data () + firstEntry + 12, &minusOne, 8);
    EXPECT_FALSE (decodePresetFile (negative, kCMVXStravelProcessorUID, 8));
}

TEST (PresetFileCodec, MetaInfoReaderTakesOnlyTheNameAttribute)
{
    EXPECT_EQ (presetNameFromMetaInfo ("<MetaInfo><Attribute id='Name' value='Single quoted'/></MetaInfo>"),
               std::optional<std::string> ("Single quoted"));
    EXPECT_EQ (presetNameFromMetaInfo ("<Attribute id=\"PlugInName\" value=\"no\"/><Attribute value=\"yes\" id=\"Name\"/>"),
               std::optional<std::string> ("yes"));
    EXPECT_EQ (presetNameFromMetaInfo ("<Attribute xid=\"Name\" value=\"no\"/>"), std::nullopt);
    EXPECT_EQ (presetNameFromMetaInfo ("<Attribute id=\"Name\" value=\"unterminated"), std::nullopt);
    EXPECT_EQ (presetNameFromMetaInfo ("<Attribute id=\"Name\" value=\"&#x41;&#66;&bogus;&#xFFFFFFFFF;\"/>"),
               std::optional<std::string> ("AB&bogus;&#xFFFFFFFFF;"));
    EXPECT_EQ (presetNameFromMetaInfo (""), std::nullopt);
}

TEST (PresetFileCodec, FilesWithoutANameStillReadTheirValues)
{
    IPtr<MemoryStream> state = owned (new MemoryStream ());
    for (float value : kValues)
        state->write (const_cast<float*> (&value), 4, nullptr);
    state->seek (0, IBStream::kIBSeekSet, nullptr);
    IPtr<MemoryStream> file = owned (new MemoryStream ());
    ASSERT_TRUE (PresetFile::savePreset (file, kCMVXStravelProcessorUID, state));
    const std::vector<char> bytes (file->getData (), file->getData () + file->getSize ());
    const auto preset = decodePresetFile (bytes, kCMVXStravelProcessorUID, 8);
    ASSERT_TRUE (preset);
    EXPECT_FALSE (preset->nameFromMetaInfo);
    EXPECT_EQ (preset->normalizedValues, kValues);
}
