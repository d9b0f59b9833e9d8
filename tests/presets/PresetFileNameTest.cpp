// SPDX-License-Identifier: GPL-3.0-or-later
// File names derived from preset names: safe on every file system, readable, one per name.
#include "presets/CMVXPresetFolder.h"
#include <gtest/gtest.h>
#include <cctype>
#include <set>

namespace folder = CMVXPresetFolder;
using namespace std::string_literals;

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
