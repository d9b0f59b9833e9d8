// SPDX-License-Identifier: GPL-3.0-or-later
// Building and parsing the preset list text and the selected preset number text.
#include "framework/CMVXPresetListText.h"
#include <gtest/gtest.h>
#include <random>

using Names = std::vector<std::string>;

TEST (PresetListText, BuildsKeyThenOneTaggedEntryPerPreset)
{
    EXPECT_EQ (presetListText ("K", {}, {}), "K");
    EXPECT_EQ (presetListText ("K", {"I1", "I2"}, {"N1", "N2"}),
               "K<CMVXPRESET><CMVXPRESETINFO>I1</CMVXPRESETINFO>N1"
               "<CMVXPRESET><CMVXPRESETINFO>I2</CMVXPRESETINFO>N2");
    // Fewer infos than names: the missing infos are empty.
    EXPECT_EQ (presetListText ("", {}, {"N"}), "<CMVXPRESET><CMVXPRESETINFO></CMVXPRESETINFO>N");
}

TEST (PresetListText, ParserRoundTripsWhatTheBuilderWrites)
{
    const Names infos = {"Overmoor", "", "Cat : x", "ünïcode"};
    const Names names = {"Torvin's Booster", "", "  spaced  ", "<CMVXPRESETINFO>odd</"};
    const auto entries = parsePresetListText (presetListText ("CMVXSetUserPresetsMessage", infos, names));
    ASSERT_EQ (entries.size (), names.size ());
    for (size_t i = 0; i < names.size (); ++i)
    {
        EXPECT_EQ (entries[i].info, infos[i]) << i;
        EXPECT_EQ (entries[i].name, names[i]) << i;
    }
    EXPECT_TRUE (parsePresetListText ("CMVXSetUserPresetsMessage").empty ());
    EXPECT_TRUE (parsePresetListText ("").empty ());
}

TEST (PresetListText, ParserToleratesMalformedEntries)
{
    auto entries = parsePresetListText ("<CMVXPRESET>");
    ASSERT_EQ (entries.size (), 1u);
    EXPECT_EQ (entries[0].name, "");

    entries = parsePresetListText ("x<CMVXPRESET>plain<CMVXPRESET><CMVXPRESETINFO>open only"
                                   "<CMVXPRESET></CMVXPRESETINFO>close first<CMVXPRESET>"
                                   "<CMVXPRESETINFO>a</CMVXPRESETINFO>b</CMVXPRESETINFO>c");
    ASSERT_EQ (entries.size (), 4u);
    EXPECT_EQ (entries[0].name, "plain");
    EXPECT_EQ (entries[0].info, "");
    EXPECT_EQ (entries[1].name, "<CMVXPRESETINFO>open only");
    EXPECT_EQ (entries[2].name, "</CMVXPRESETINFO>close first");
    EXPECT_EQ (entries[3].info, "a");
    EXPECT_EQ (entries[3].name, "b</CMVXPRESETINFO>c");

    // Every prefix of a valid text parses, and never yields more entries than markers.
    const std::string text = presetListText ("K", {"I", "J"}, {"N", "M"});
    for (size_t n = 0; n <= text.size (); ++n)
        EXPECT_LE (parsePresetListText (text.substr (0, n)).size (), 2u);

    // Random bytes, with markers sprinkled in, must not crash.
    std::mt19937 random (1234);
    const Names pieces = {"<CMVXPRESET>", "<CMVXPRESETINFO>", "</CMVXPRESETINFO>", "<", ">", "\0"};
    for (int round = 0; round < 2000; ++round)
    {
        std::string garbage;
        const int parts = static_cast<int> (random () % 12);
        for (int p = 0; p < parts; ++p)
        {
            if (random () % 2)
                garbage += pieces[random () % pieces.size ()];
            else
                garbage += static_cast<char> (random () % 256);
        }
        const auto parsed = parsePresetListText (garbage);
        EXPECT_LE (parsed.size (), garbage.size ());
    }
}

TEST (SelectedPresetNumberText, DecimalWithSignAndNoPadding)
{
    EXPECT_EQ (selectedPresetNumberText ("CMVXSetSelectedPresetNumber", 3),
               "CMVXSetSelectedPresetNumber3");
    EXPECT_EQ (selectedPresetNumberText ("K", 0), "K0");
    EXPECT_EQ (selectedPresetNumberText ("K", 12), "K12");
    EXPECT_EQ (selectedPresetNumberText ("K", -7), "K-7");
    EXPECT_EQ (selectedPresetNumberText ("K", INT32_MIN), "K-2147483648");
}

TEST (SelectedPresetNumberText, ParserReadsTheNumberAfterTheKey)
{
    const std::string key = "CMVXSetSelectedPresetNumber";
    EXPECT_EQ (parseSelectedPresetNumberText (key + "5", key), 5);
    EXPECT_EQ (parseSelectedPresetNumberText (key + "  -12xyz", key), -12);
    EXPECT_EQ (parseSelectedPresetNumberText (key + "+8", key), 8);
    EXPECT_EQ (parseSelectedPresetNumberText (key + "abc", key), 0);
    EXPECT_EQ (parseSelectedPresetNumberText (key, key), 0);
    EXPECT_EQ (parseSelectedPresetNumberText ("short", key), 0);
    EXPECT_EQ (parseSelectedPresetNumberText (key + "99999999999999999999", key), INT32_MAX);
    EXPECT_EQ (parseSelectedPresetNumberText (key + "-99999999999999999999", key), INT32_MIN);
    EXPECT_EQ (parseSelectedPresetNumberText (selectedPresetNumberText (key, INT32_MIN), key),
               INT32_MIN);
    // Only the key's length is dropped, whatever those characters are.
    EXPECT_EQ (parseSelectedPresetNumberText ("XXXXXXXXXXXXXXXXXXXXXXXXXXX42", key), 42);
}
