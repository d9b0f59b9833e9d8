// SPDX-License-Identifier: GPL-3.0-or-later
// The preset folder on every system: file names, listing, reading, creating and removing. Where
// the folder is by default and the crash-safe replace live in CMVXPresetFolderPosix.cpp and
// CMVXPresetFolderWindows.cpp.
#include "presets/CMVXPresetFolder.h"
#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace CMVXPresetFolder {

namespace fs = std::filesystem;

namespace {

// Paths are UTF-8 here and UTF-16 in the Windows file system; a path that does not convert names
// no file.
std::optional<fs::path> toPath (const std::string& utf8)
{
    try
    {
        return fs::u8path (utf8);
    }
    catch (const std::exception&)
    {
        return std::nullopt;
    }
}

std::optional<std::string> toUtf8 (const fs::path& path)
{
    try
    {
        return path.u8string ();
    }
    catch (const std::exception&)
    {
        return std::nullopt;
    }
}

// Leaves room for " (NN)" and the extension within a Windows path of 260 characters.
constexpr size_t kMaxStemBytes = 150;

bool isForbidden (unsigned char c, FileNameRules rules)
{
    if (c < 0x20 || c == 0x7f || c == '/')   // control characters: no file system shows them well
        return true;
    return rules == FileNameRules::windows && std::strchr ("<>:\"\\|?*", c) != nullptr;
}

bool isReservedOnWindows (const std::string& word)
{
    static const std::array<const char*, 8> kNames = {"CON",    "PRN",     "AUX", "NUL",
                                                      "CONIN$", "CONOUT$", "COM", "LPT"};
    const std::string folded = foldCase (word);
    for (size_t i = 0; i < kNames.size (); ++i)
    {
        const std::string name = foldCase (kNames[i]);
        if (i < 6 && folded == name)
            return true;
        if (i >= 6 && folded.size () == 4 && folded.compare (0, 3, name) == 0 && folded[3] >= '0'
            && folded[3] <= '9')
            return true;
    }
    return false;
}

// Cuts at a character boundary so the stem stays valid UTF-8.
void cutToLength (std::string& text, size_t maxBytes)
{
    if (text.size () <= maxBytes)
        return;
    size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char> (text[end]) & 0xC0) == 0x80)
        --end;
    text.resize (end);
}

}   // namespace

std::string foldCase (const std::string& text)
{
    std::string folded = text;
    for (size_t i = 0; i < folded.size (); ++i)
    {
        unsigned char c = static_cast<unsigned char> (folded[i]);
        if (c >= 'A' && c <= 'Z')
            folded[i] = static_cast<char> (c + 32);
        // Latin-1 capitals À..Þ (not ×), two bytes in UTF-8: C3 80..9E.
        else if (c == 0xC3 && i + 1 < folded.size ())
        {
            const unsigned char next = static_cast<unsigned char> (folded[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97)
                folded[i + 1] = static_cast<char> (next + 0x20);
            ++i;
        }
    }
    return folded;
}

std::string fileStemFor (const std::string& presetName, FileNameRules rules)
{
    std::string stem;
    for (unsigned char c : presetName)
        stem += isForbidden (c, rules) ? '_' : static_cast<char> (c);
    cutToLength (stem, kMaxStemBytes);
    if (stem.empty ())
        stem = "_";
    if (stem[0] == '.')   // a hidden file would not be listed again
        stem[0] = '_';
    if (rules == FileNameRules::windows)
    {
        // "CON", "nul.x" or "COM1 .x" name devices, whatever follows. (Trailing dots and spaces,
        // which Windows drops, cannot occur: the extension always ends the name.)
        const size_t dot = stem.find ('.');
        size_t wordEnd = dot == std::string::npos ? stem.size () : dot;
        while (wordEnd > 0 && stem[wordEnd - 1] == ' ')
            --wordEnd;
        if (isReservedOnWindows (stem.substr (0, wordEnd)))
            stem.insert (wordEnd, "_");
    }
    return stem;
}

std::string fileNameFor (const std::string& presetName, int clashNumber, FileNameRules rules)
{
    std::string name = fileStemFor (presetName, rules);
    if (clashNumber > 1)
        name += " (" + std::to_string (clashNumber) + ")";
    return name + kExtension;
}

int clashNumberOf (const std::string& fileName, const std::string& presetName, FileNameRules rules)
{
    const std::string stem = fileStemFor (presetName, rules);
    const std::string extension = kExtension;
    if (fileName.size () < stem.size () + extension.size ()
        || fileName.compare (0, stem.size (), stem) != 0
        || fileName.compare (fileName.size () - extension.size (), extension.size (), extension)
               != 0)
        return 0;
    const std::string rest =
        fileName.substr (stem.size (), fileName.size () - stem.size () - extension.size ());
    if (rest.empty ())
        return 1;
    // " (N)" with N from 2, without leading zeros
    if (rest.size () < 4 || rest.compare (0, 2, " (") != 0 || rest.back () != ')' || rest[2] == '0'
        || rest.size () > 12)
        return 0;
    int number = 0;
    for (size_t i = 2; i + 1 < rest.size (); ++i)
    {
        if (rest[i] < '0' || rest[i] > '9')
            return 0;
        number = number * 10 + (rest[i] - '0');
    }
    return number >= 2 ? number : 0;
}

bool isPresetFileName (const std::string& name)
{
    const std::string extension = kExtension;
    return !name.empty () && name[0] != '.' && name.size () > extension.size ()
           && name.compare (name.size () - extension.size (), extension.size (), extension) == 0;
}

std::vector<std::string> listPresetFiles (const std::string& directory)
{
    std::vector<std::string> names;
    const auto folder = toPath (directory);
    if (!folder)
        return names;
    std::error_code error;
    for (fs::directory_iterator entry (*folder, error), end; !error && entry != end;
         entry.increment (error))
    {
        const auto name = toUtf8 (entry->path ().filename ());
        std::error_code statError;
        if (name && isPresetFileName (*name) && entry->is_regular_file (statError))
            names.push_back (*name);
    }
    std::sort (names.begin (), names.end ());
    return names;
}

std::optional<std::vector<char>> readFile (const std::string& path)
{
    const auto file = toPath (path);
    std::error_code error;
    if (!file || !fs::is_regular_file (*file, error))
        return std::nullopt;
    const std::uintmax_t size = fs::file_size (*file, error);
    if (error || size > kMaxFileBytes)
        return std::nullopt;
    std::ifstream stream (*file, std::ios::binary);
    if (!stream)
        return std::nullopt;
    std::vector<char> bytes (static_cast<size_t> (size));
    stream.read (bytes.data (), static_cast<std::streamsize> (bytes.size ()));
    if (stream.bad ())
        return std::nullopt;
    // A file that shrank meanwhile is read as it is now.
    bytes.resize (static_cast<size_t> (stream.gcount ()));
    return bytes;
}

bool makeDirectories (const std::string& directory)
{
    const auto folder = toPath (directory);
    if (directory.empty () || !folder)
        return false;
    // Drive roots and network shares refuse creation; only whether the whole path exists counts.
    std::error_code error;
    fs::create_directories (*folder, error);
    return fs::is_directory (*folder, error);
}

bool removeFile (const std::string& path)
{
    const auto file = toPath (path);
    std::error_code error;
    if (!file)
        return false;
    fs::remove (*file, error);   // a file already gone is no error
    return !error;
}

std::string pathOf (const std::string& directory, const std::string& fileName)
{
    const auto isSeparator = [] (char c) {
        return c == '/' || c == char (fs::path::preferred_separator);
    };
    if (directory.empty () || isSeparator (directory.back ()))
        return directory + fileName;
    return directory + char (fs::path::preferred_separator) + fileName;
}

}   // namespace CMVXPresetFolder
