// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The preset list text carried in preset messages, and the selected preset number text:
// builders for the processing side, tolerant parsers for the editor side.
#include <cstdint>
#include <string>
#include <vector>

namespace CMVXPresetText {
constexpr const char* kPresetMarker = "<CMVXPRESET>";
constexpr const char* kInfoOpen = "<CMVXPRESETINFO>";
constexpr const char* kInfoClose = "</CMVXPRESETINFO>";
constexpr const char* kFactoryListKey = "CMVXSetFactoryPresetsMessage";
constexpr const char* kUserListKey = "CMVXSetUserPresetsMessage";
constexpr const char* kSelectedNumberKey = "CMVXSetSelectedPresetNumber";
}   // namespace CMVXPresetText

struct CMVXPresetListEntry
{
    std::string info;
    std::string name;
};

// key, then per preset: marker, info open tag, info, info close tag, name. Missing infos are empty.
std::string presetListText (const std::string& key, const std::vector<std::string>& infos,
                            const std::vector<std::string>& names);

// Everything before the first marker (the key) is skipped; an entry runs to the next marker.
// Any input is accepted: an entry without info tags yields its whole text as the name.
std::vector<CMVXPresetListEntry> parsePresetListText (const std::string& text);

// key followed by the number in decimal ("-" for negatives, no padding).
std::string selectedPresetNumberText (const std::string& key, int32_t number);

// Drops key-length characters, skips blanks and reads a decimal integer; 0 when none can be
// read, saturated to the 32-bit range.
int32_t parseSelectedPresetNumberText (const std::string& text, const std::string& key);
