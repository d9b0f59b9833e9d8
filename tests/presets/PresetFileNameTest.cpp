// SPDX-License-Identifier: GPL-3.0-or-later
// File names derived from preset names: safe on every file system, readable, one per name.
#include "presets/CMVXPresetFolder.h"
#include <gtest/gtest.h>
#include <cctype>
#include <set>

namespace folder = CMVXPresetFolder;

namespace {

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

TEST (PresetFileName, OddNamesGiveSafeNames)
{
    for (const std::string& name :
         {std::string ("My Lead"), std::string ("a/b"), std::string (".."), std::string ("."),
          std::string ("../../etc/passwd"), std::string ("-rf"), std::string ("C:\\x"), std::string (""),
          std::string ("\xC3\xBCn\xC3\xAF c\xC3\xB8" "d\xC3\xA9 \xE9\x9F\xB3"), std::string ("tab\there"),
          std::string ("nul\0byte", 8), std::string ("<>:\"|?*"), std::string (1000, 'x'), std::string (300, '/'),
          std::string ("%41"), std::string ("~0123456789abcdef")})
        EXPECT_TRUE (isSafe (folder::fileNameFor (name))) << folder::fileNameFor (name);
    EXPECT_EQ (folder::fileNameFor ("My Lead").substr (0, 8), "My Lead~");   // readable where possible
    EXPECT_EQ (folder::fileNameFor ("a/b").substr (0, 6), "a%2Fb~");
    EXPECT_EQ (folder::fileNameFor ("Crunch 2"), folder::fileNameFor ("Crunch 2"));
}

TEST (PresetFileName, DistinctNamesStayDistinctEvenIgnoringCase)
{
    // A case-insensitive folder (a USB stick, a network share) must not merge presets either.
    std::set<std::string> seen;
    for (const std::string& name : {std::string ("Lead"), std::string ("lead"), std::string ("LEAD"),
                                    std::string ("lEAD"), std::string ("a/b"), std::string ("a%2Fb"),
                                    std::string ("a_b"), std::string (".."), std::string ("."), std::string (""),
                                    std::string (" "), std::string ("%"), std::string ("%25"),
                                    std::string (200, 'a') + "1", std::string (200, 'a') + "2",
                                    std::string (200, 'A') + "1", std::string ("x\0", 2), std::string ("x")})
        EXPECT_TRUE (seen.insert (lowerFileNameFor (name)).second) << name;
}
