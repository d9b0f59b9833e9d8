// SPDX-License-Identifier: GPL-3.0-or-later
// The platform-independent half of the preset folder: file names. The file system side lives in
// CMVXPresetFolderPosix.cpp and CMVXPresetFolderWindows.cpp.
#include "presets/CMVXPresetFolder.h"
#include <cstdio>

namespace CMVXPresetFolder {

namespace {

constexpr size_t kMaxEscapedStem = 150;   // leaves room for the hash and extension in NAME_MAX

uint64_t fnv1a64 (const std::string& text)
{
    uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char c : text)
    {
        hash ^= c;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

bool isPlainByte (unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' '
           || c == '_' || c == '-';
}

} // namespace

std::string fileNameFor (const std::string& presetName)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string stem;
    for (unsigned char c : presetName)
    {
        std::string piece;
        if (isPlainByte (c) && !(stem.empty () && c == '-'))   // no name that reads as an option
            piece = static_cast<char> (c);
        else
            piece = {'%', kHex[c >> 4], kHex[c & 15]};
        if (stem.size () + piece.size () > kMaxEscapedStem)
            break;
        stem += piece;
    }
    char hash[24];
    std::snprintf (hash, sizeof hash, "~%016llx", static_cast<unsigned long long> (fnv1a64 (presetName)));
    return stem + hash + kExtension;
}

bool isPresetFileName (const std::string& name)
{
    const std::string extension = kExtension;
    return !name.empty () && name[0] != '.' && name.size () > extension.size ()
           && name.compare (name.size () - extension.size (), extension.size (), extension) == 0;
}

} // namespace CMVXPresetFolder
