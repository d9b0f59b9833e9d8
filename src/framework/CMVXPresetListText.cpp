// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/CMVXPresetListText.h"
#include <cctype>
#include <algorithm>
#include <climits>

using namespace CMVXPresetText;

std::string presetListText (const std::string& key, const std::vector<std::string>& infos,
                            const std::vector<std::string>& names)
{
    std::string text = key;
    for (size_t i = 0; i < names.size (); ++i)
    {
        text += kPresetMarker;
        text += kInfoOpen;
        if (i < infos.size ())
            text += infos[i];
        text += kInfoClose;
        text += names[i];
    }
    return text;
}

std::vector<CMVXPresetListEntry> parsePresetListText (const std::string& text)
{
    const std::string marker = kPresetMarker;
    const std::string open = kInfoOpen;
    const std::string close = kInfoClose;

    std::vector<CMVXPresetListEntry> entries;
    size_t start = text.find (marker);
    while (start != std::string::npos)
    {
        start += marker.size ();
        const size_t next = text.find (marker, start);
        const size_t end = next == std::string::npos ? text.size () : next;
        const std::string entry = text.substr (start, end - start);

        CMVXPresetListEntry parsed;
        const bool opened = entry.compare (0, open.size (), open) == 0;
        const size_t closeAt = opened ? entry.find (close, open.size ()) : std::string::npos;
        if (closeAt != std::string::npos)
        {
            parsed.info = entry.substr (open.size (), closeAt - open.size ());
            parsed.name = entry.substr (closeAt + close.size ());
        }
        else
            parsed.name = entry;
        entries.push_back (std::move (parsed));
        start = next;
    }
    return entries;
}

std::string selectedPresetNumberText (const std::string& key, int32_t number)
{
    return key + std::to_string (number);
}

int32_t parseSelectedPresetNumberText (const std::string& text, const std::string& key)
{
    size_t i = key.size ();
    while (i < text.size () && std::isspace (static_cast<unsigned char> (text[i])))
        ++i;
    bool negative = false;
    if (i < text.size () && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    int64_t value = 0;
    constexpr int64_t kLimit = static_cast<int64_t> (INT32_MAX) + 1;
    for (; i < text.size () && std::isdigit (static_cast<unsigned char> (text[i])); ++i)
        value = std::min<int64_t> (value * 10 + (text[i] - '0'), kLimit);
    if (negative)
        value = -value;
    return static_cast<int32_t> (
        std::min<int64_t> (std::max<int64_t> (value, INT32_MIN), INT32_MAX));
}
