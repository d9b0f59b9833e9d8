// SPDX-License-Identifier: GPL-3.0-or-later
// File names derived from preset names: safe on every file system, one per name.
#include "presets/CMVXPresetFolder.h"
#include <gtest/gtest.h>
#include <set>

namespace folder = CMVXPresetFolder;

namespace {

bool isSafe (const std::string& fileName)
{
    if (fileName.empty () || fileName.size () > 255 || fileName[0] == '.' || fileName[0] == '-')
        return false;
    for (unsigned char c : fileName)
        if (c == '/' || c == '\\' || c == ':' || c < 0x20 || c >= 0x7f || c == '*' || c == '?'
            || c == '"' || c == '<' || c == '>' || c == '|')
            return false;
    return fileName.size () > 10 && fileName.compare (fileName.size () - 10, 10, ".vstpreset") == 0;
}

std::string lower (std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char> (c - 'A' + 'a');
    return text;
}

} // namespace

TEST (PresetFileName, OddNamesGiveSafeNames)
{
    const std::string long1000 (1000, 'x');
    for (const std::string& name :
         {std::string ("My Lead"), std::string ("a/b"), std::string (".."), std::string ("."),
          std::string ("../../etc/passwd"), std::string ("-rf"), std::string ("C:\\x"), std::string (""),
          std::string ("\xC3\xBCn\xC3\xAF c\xC3\xB8" "d\xC3\xA9 \xE9\x9F\xB3"), std::string ("tab\there"),
          std::string ("nul\0byte", 8), std::string ("<>:\"|?*"), long1000, std::string (300, '/'),
          std::string ("%41"), std::string ("~0123456789abcdef")})
        EXPECT_TRUE (isSafe (folder::fileNameFor (name))) << folder::fileNameFor (name);
}

TEST (PresetFileName, ReadableWherePossible)
{
    EXPECT_EQ (folder::fileNameFor ("My Lead").substr (0, 8), "My Lead~");
    EXPECT_EQ (folder::fileNameFor ("a/b").substr (0, 6), "a%2Fb~");
}

TEST (PresetFileName, DistinctNamesStayDistinctEvenIgnoringCase)
{
    // A case-insensitive folder (a USB stick, a network share) must not merge presets either.
    const std::vector<std::string> names = {
        "Lead", "lead", "LEAD", "lEAD", "a/b", "a%2Fb", "a_b", "..", ".", "", " ", "%", "%25",
        std::string (200, 'a') + "1", std::string (200, 'a') + "2", std::string (200, 'A') + "1",
        std::string ("x\0", 2), "x"};
    std::set<std::string> seen;
    for (const std::string& name : names)
        EXPECT_TRUE (seen.insert (lower (folder::fileNameFor (name))).second) << name;
}

TEST (PresetFileName, SameNameSameFile)
{
    EXPECT_EQ (folder::fileNameFor ("Crunch 2"), folder::fileNameFor ("Crunch 2"));
}
