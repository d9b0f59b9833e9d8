// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzBytes.h"
#include "FuzzSupport.h"
#include "OvermoorHarnesses.h"
#include "framework/CMVXPresetListText.h"
#include <vector>

namespace OvermoorFuzz {
namespace {

bool contains (const std::string& text, const char* part)
{
    return text.find (part) != std::string::npos;
}

// The whole input as a text from the processor: any text parses, every entry stays inside it.
void parseAnything (const std::string& text, Problems& problems)
{
    size_t total = 0;
    for (const CMVXPresetListEntry& entry : parsePresetListText (text))
        total += entry.info.size () + entry.name.size ();
    problems.expect (total <= text.size (), "parsed entries hold more text than the input");
    parseSelectedPresetNumberText (text, CMVXPresetText::kSelectedNumberKey);
    parseSelectedPresetNumberText (text, text.substr (0, text.size () / 2));
}

// Names and infos from the input (a selector byte, then a length-prefixed text each): a list
// built from them parses back entry for entry when no text carries a tag that would split it.
void roundTrip (FuzzBytes& input, Problems& problems)
{
    const std::string key = input.byte () % 2 == 0 ? CMVXPresetText::kFactoryListKey : CMVXPresetText::kUserListKey;
    std::vector<std::string> infos, names;
    while (!input.empty () && names.size () < 64)
    {
        infos.push_back (input.lengthPrefixed ());
        names.push_back (input.lengthPrefixed ());
    }
    for (size_t i = 0; i < names.size (); ++i)
        if (contains (names[i], CMVXPresetText::kPresetMarker) || contains (infos[i], CMVXPresetText::kPresetMarker)
            || contains (infos[i], CMVXPresetText::kInfoClose))
            return;
    const std::vector<CMVXPresetListEntry> parsed = parsePresetListText (presetListText (key, infos, names));
    problems.expect (parsed.size () == names.size (), "round trip changed the number of entries");
    for (size_t i = 0; i < parsed.size () && i < names.size (); ++i)
        problems.expect (parsed[i].info == infos[i] && parsed[i].name == names[i], "round trip changed an entry");
}

} // namespace

std::string runPresetListText (const uint8_t* data, size_t size)
{
    Problems problems;
    parseAnything (std::string (reinterpret_cast<const char*> (data), size), problems);

    FuzzBytes input (data, size);
    const int32_t number = static_cast<int32_t> (input.u32 ());
    const std::string key = input.lengthPrefixed ();
    problems.expect (parseSelectedPresetNumberText (selectedPresetNumberText (key, number), key) == number,
                     "selected number does not survive its text");
    roundTrip (input, problems);
    return problems.text ();
}

} // namespace OvermoorFuzz
