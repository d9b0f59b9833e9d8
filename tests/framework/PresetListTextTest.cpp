// SPDX-License-Identifier: GPL-3.0-or-later
// Building and parsing the preset list text and the selected preset number text.
#include "framework/CMVXPresetListText.h"
#include <gtest/gtest.h>

using Names = std::vector<std::string>;

TEST (PresetListText, BuildsKeyThenOneTaggedEntryPerPresetAndParsesItBack)
{
    EXPECT_EQ (presetListText ("K", {}, {}), "K");
    EXPECT_EQ (presetListText ("K", {"I1", "I2"}, {"N1", "N2"}),
               "K<CMVXPRESET><CMVXPRESETINFO>I1</CMVXPRESETINFO>N1"
               "<CMVXPRESET><CMVXPRESETINFO>I2</CMVXPRESETINFO>N2");
    // Fewer infos than names: the missing infos are empty.
    EXPECT_EQ (presetListText ("", {}, {"N"}), "<CMVXPRESET><CMVXPRESETINFO></CMVXPRESETINFO>N");

    const Names infos = {"Overmoor", "", "Cat : x", "ünïcode"};
    const Names names = {"Torvin's Booster", "", "  spaced  ", "<CMVXPRESETINFO>odd</"};
    const auto entries = parsePresetListText (presetListText ("CMVXSetUserPresetsMessage", infos, names));
    ASSERT_EQ (entries.size (), names.size ());
    for (size_t i = 0; i < names.size (); ++i)
        EXPECT_EQ (std::make_pair (entries[i].info, entries[i].name), std::make_pair (infos[i], names[i])) << i;
    EXPECT_TRUE (parsePresetListText ("CMVXSetUserPresetsMessage").empty ());
    EXPECT_TRUE (parsePresetListText ("").empty ());
}

TEST (PresetListText, ParserToleratesMalformedEntries)
{
    const auto entries = parsePresetListText ("x<CMVXPRESET>plain<CMVXPRESET><CMVXPRESETINFO>open only"
                                              "<CMVXPRESET></CMVXPRESETINFO>close first<CMVXPRESET>"
                                              "<CMVXPRESETINFO>a</CMVXPRESETINFO>b</CMVXPRESETINFO>c<CMVXPRESET>");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"", "plain"}, {"", "<CMVXPRESETINFO>open only"}, {"", "</CMVXPRESETINFO>close first"},
        {"a", "b</CMVXPRESETINFO>c"}, {"", ""}};
    ASSERT_EQ (entries.size (), expected.size ());
    for (size_t i = 0; i < expected.size (); ++i)
        EXPECT_EQ (std::make_pair (entries[i].info, entries[i].name), expected[i]) << i;

    // Every prefix of a valid text parses, and never yields more entries than markers.
    const std::string text = presetListText ("K", {"I", "J"}, {"N", "M"});
    for (size_t n = 0; n <= text.size (); ++n)
        EXPECT_LE (parsePresetListText (text.substr (0, n)).size (), 2u) << n;
}

TEST (SelectedPresetNumberText, DecimalWithSignBothWays)
{
    const std::string key = "CMVXSetSelectedPresetNumber";
    for (const auto& [number, text] : {std::pair {3, "3"}, {0, "0"}, {12, "12"}, {-7, "-7"}, {INT32_MIN, "-2147483648"}})
    {
        EXPECT_EQ (selectedPresetNumberText (key, number), key + text);
        EXPECT_EQ (parseSelectedPresetNumberText (key + text, key), number) << text;
    }
    // Bad input reads as 0 or saturates; only the key's length is dropped, whatever it holds.
    for (const auto& [text, number] : {std::pair {key + "  -12xyz", -12}, {key + "+8", 8}, {key + "abc", 0},
                                        {key, 0}, {std::string ("short"), 0}, {key + "99999999999999999999", INT32_MAX},
                                        {key + "-99999999999999999999", INT32_MIN},
                                        {std::string ("XXXXXXXXXXXXXXXXXXXXXXXXXXX42"), 42}})
        EXPECT_EQ (parseSelectedPresetNumberText (text, key), number) << text;
}
