// SPDX-License-Identifier: GPL-3.0-or-later
// Save-as, save and delete on the product's DSP host and what the preset storage is told; the
// preset list and selected-number texts they are reported in.
#include "framework/CMVXPresetListText.h"
#include "framework/CMVXStravelPlugInDSP.h"
#include "params/CMVXParamTable.h"
#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

// Calls recorded as "load", "save <name>", "overwrite <name>" or "delete <name>".
class RecordingStorage : public CMVXPresetStorageInterface
{
public:
    void loadPresets (CMVXDSPAlgInterface& algorithm) override
    {
        calls.push_back ("load");
        for (const auto& preset : stored)
            algorithm.addUserPreset (preset);
    }
    bool deletePreset (const std::string& name, CMVXDSPAlgInterface&) override
    {
        calls.push_back ("delete " + name);
        return !refuse;
    }
    bool savePreset (const CMVXPresetRecord& preset, CMVXDSPAlgInterface&, bool overwrite) override
    {
        calls.push_back ((overwrite ? "overwrite " : "save ") + preset.name);
        savedValues = preset.values;
        return !refuse;
    }
    bool refuse = false;   // a full disk or a read-only folder
    std::vector<CMVXPresetRecord> stored;
    Names calls;
    std::vector<float> savedValues;
};

std::string userListText (const CMVXPlugInDSP& dsp)
{
    return presetListText (CMVXPresetText::kUserListKey, dsp.getUserPresetInfo (),
                           dsp.getUserPresetNames ());
}

// What the processor does for a save-as request.
void saveAs (CMVXStravelPlugInDSP& dsp, const std::string& name)
{
    dsp.storeUserPreset (name, false);
    dsp.getCurrentAlgorithm ()->selectPresetByName (name);
    dsp.rebuildPresetLists ();
}

const std::string kUserKey = "CMVXSetUserPresetsMessage";
const std::string kEntryPrefix = "<CMVXPRESET><CMVXPRESETINFO>Overmoor</CMVXPRESETINFO>";

}   // namespace

TEST (PresetStorage, CommandsWithoutAStorageChangeNothing)
{
    CMVXStravelPlugInDSP dsp;
    const size_t presets = dsp.getCurrentAlgorithm ()->presets.size ();
    dsp.storeUserPreset ("Mine", false);
    dsp.storeUserPreset ("Mine", true);
    dsp.deleteUserPreset ("Crunch");
    dsp.rebuildPresetLists ();
    EXPECT_EQ (dsp.getCurrentAlgorithm ()->presets.size (), presets);
    EXPECT_EQ (userListText (dsp), kUserKey);
}

// The lists, files and selection these commands leave behind through the processor are the
// message suite's; here: what the storage is told, and the cases only the host decides. The
// editor refuses taken names, the store does not; every delete reaches the storage, since another
// instance may have saved a preset this one does not list.
TEST (PresetStore, RepeatedNamesEveryDeleteAndASaveWithNoneCurrent)
{
    RecordingStorage storage;
    CMVXStravelPlugInDSP dsp (&storage);
    saveAs (dsp, "Twin");
    saveAs (dsp, "Twin");
    dsp.deleteUserPreset ("Missing");
    EXPECT_EQ (storage.calls, (Names {"load", "save Twin", "save Twin", "delete Missing"}));
    EXPECT_EQ (dsp.getUserPresetNames (), (Names {"Twin", "Twin"}));
    EXPECT_EQ (dsp.getSelectedPresetNumber (), 8);   // the first of that name
    dsp.deleteUserPreset ("Twin");   // the current one: none is current after it
    dsp.rebuildPresetLists ();
    EXPECT_EQ (dsp.getSelectedPresetNumber (), 9);   // one past the list
    dsp.storeUserPreset ("Fresh", true);   // a save with none current adds the name it is given
    dsp.rebuildPresetLists ();
    EXPECT_EQ (dsp.getUserPresetNames (), (Names {"Twin", "Fresh"}));
}

TEST (PresetStore, ChangesTheStorageRefusesAreTakenBack)
{
    RecordingStorage storage;
    CMVXStravelPlugInDSP dsp (&storage);
    saveAs (dsp, "Kept");
    const auto before = dsp.getCurrentAlgorithm ()->presets;
    dsp.setParameterNormalized (kParamKnob1, 0.9f);
    storage.refuse = true;
    EXPECT_FALSE (dsp.storeUserPreset ("Lost", false));
    EXPECT_FALSE (dsp.storeUserPreset ("Kept", true));
    EXPECT_FALSE (dsp.deleteUserPreset ("Kept"));
    dsp.selectPreset (2);
    EXPECT_FALSE (dsp.storeUserPreset ("Rock Distorion", true));   // a factory preset too
    const auto& after = dsp.getCurrentAlgorithm ()->presets;
    ASSERT_EQ (after.size (), before.size ());
    for (const auto& [key, preset] : before)
        EXPECT_EQ (after.at (key).values, preset.values) << preset.name;
    dsp.rebuildPresetLists ();
    EXPECT_EQ (userListText (dsp), kUserKey + kEntryPrefix + "Kept");
}

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
    const auto entries =
        parsePresetListText (presetListText ("CMVXSetUserPresetsMessage", infos, names));
    ASSERT_EQ (entries.size (), names.size ());
    for (size_t i = 0; i < names.size (); ++i)
        EXPECT_EQ (std::make_pair (entries[i].info, entries[i].name),
                   std::make_pair (infos[i], names[i]))
            << i;
    EXPECT_TRUE (parsePresetListText ("CMVXSetUserPresetsMessage").empty ());
    EXPECT_TRUE (parsePresetListText ("").empty ());
}

TEST (PresetListText, ParserToleratesMalformedEntries)
{
    const auto entries =
        parsePresetListText ("x<CMVXPRESET>plain<CMVXPRESET><CMVXPRESETINFO>open only"
                             "<CMVXPRESET></CMVXPRESETINFO>close first<CMVXPRESET>"
                             "<CMVXPRESETINFO>a</CMVXPRESETINFO>b</CMVXPRESETINFO>c<CMVXPRESET>");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"", "plain"},
        {"", "<CMVXPRESETINFO>open only"},
        {"", "</CMVXPRESETINFO>close first"},
        {"a", "b</CMVXPRESETINFO>c"},
        {"", ""}};
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
    for (const auto& [number, text] :
         {std::pair {3, "3"}, {0, "0"}, {12, "12"}, {-7, "-7"}, {INT32_MIN, "-2147483648"}})
    {
        EXPECT_EQ (selectedPresetNumberText (key, number), key + text);
        EXPECT_EQ (parseSelectedPresetNumberText (key + text, key), number) << text;
    }
    // Bad input reads as 0 or saturates; only the key's length is dropped, whatever it holds.
    for (const auto& [text, number] : {std::pair {key + "  -12xyz", -12},
                                       {key + "+8", 8},
                                       {key + "abc", 0},
                                       {key, 0},
                                       {std::string ("short"), 0},
                                       {key + "99999999999999999999", INT32_MAX},
                                       {key + "-99999999999999999999", INT32_MIN},
                                       {std::string ("XXXXXXXXXXXXXXXXXXXXXXXXXXX42"), 42}})
        EXPECT_EQ (parseSelectedPresetNumberText (text, key), number) << text;
}
