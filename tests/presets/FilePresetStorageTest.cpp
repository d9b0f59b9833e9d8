// SPDX-License-Identifier: GPL-3.0-or-later
// User presets kept as files behind the product's DSP host: saved, overwritten, deleted, seen by
// every later host, robust against odd names, foreign and damaged files and unwritable folders.
#include "PresetTestSupport.h"
#include "framework/CMVXStravelPlugInDSP.h"
#include "presets/CMVXFilePresetStorage.h"
#include "presets/CMVXPresetFileCodec.h"
#include "presets/CMVXPresetFolder.h"
#include "processor/CMVXStravelClassIds.h"
#include "base/source/fobject.h"
#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/vstpresetfile.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

using namespace PresetTest;
using namespace Steinberg;
using namespace Steinberg::Vst;
namespace folder = CMVXPresetFolder;

namespace {

// A DSP host with its own file storage, as one plug-in instance holds them.
struct Instance
{
    explicit Instance (const std::string& directory)
    : storage (kCMVXStravelProcessorUID, directory), dsp (&storage)
    {
    }
    CMVXDSPAlgInterface& algorithm () { return *dsp.getCurrentAlgorithm (); }
    void saveAs (const std::string& name)
    {
        dsp.storeUserPreset (name, false);
        algorithm ().selectPresetByName (name);
        dsp.rebuildPresetLists ();
    }
    void save (const std::string& name = {})
    {
        dsp.storeUserPreset (name, true);
        dsp.rebuildPresetLists ();
    }
    void remove (const std::string& name)
    {
        dsp.deleteUserPreset (name);
        dsp.rebuildPresetLists ();
    }
    // Plain values of the first preset with that name, or nothing.
    std::vector<float> valuesOf (const std::string& name)
    {
        const CMVXPresetRecord* record = algorithm ().findPresetByName (name);
        return record ? record->values : std::vector<float> ();
    }

    CMVXFilePresetStorage storage;
    CMVXStravelPlugInDSP dsp;
};

void expectPlainNear (const std::vector<float>& actual, const std::vector<float>& expected)
{
    ASSERT_EQ (actual.size (), expected.size ());
    // Stored as normalised 32-bit floats: a plain value over 0..100 keeps about 1e-5 of it.
    for (size_t i = 0; i < expected.size (); ++i)
        EXPECT_NEAR (actual[i], expected[i], 1e-4) << "value " << i;
}

} // namespace

class FilePresetStorage : public ::testing::Test
{
protected:
    TemporaryFolder folderUnderTest;
    const std::string& dir () const { return folderUnderTest.path (); }
};

TEST_F (FilePresetStorage, AnEmptyFolderGivesNoUserPresets)
{
    Instance instance (dir ());
    EXPECT_TRUE (instance.dsp.getUserPresetNames ().empty ());
    EXPECT_EQ (instance.dsp.getFactoryPresetNames ().size (), 8u);
    EXPECT_TRUE (filesIn (dir ()).empty ());   // loading writes nothing
}

TEST_F (FilePresetStorage, AMissingFolderIsCreatedOnTheFirstSave)
{
    const std::string nested = dir () + "/a/b/c";
    Instance instance (nested);
    EXPECT_TRUE (instance.dsp.getUserPresetNames ().empty ());
    struct stat info {};
    EXPECT_NE (::stat (nested.c_str (), &info), 0);
    instance.saveAs ("First");
    EXPECT_TRUE (instance.storage.lastChangeSucceeded ());
    EXPECT_EQ (filesIn (nested), std::vector<std::string> {folder::fileNameFor ("First")});
}

TEST_F (FilePresetStorage, SavedPresetsReachTheNextInstanceWithTheirValues)
{
    std::vector<float> saved;
    {
        Instance first (dir ());
        first.dsp.setParameterNormalized (1, 5.0f / 7.0f);
        first.dsp.setParameterNormalized (2, 0.123f);
        first.dsp.setParameterNormalized (7, 0.987f);
        first.saveAs ("Screaming");
        saved = first.valuesOf ("Screaming");
        ASSERT_EQ (saved.size (), 8u);
        EXPECT_EQ (saved[1], 5.0f);
    }
    Instance second (dir ());
    EXPECT_EQ (second.dsp.getUserPresetNames (), std::vector<std::string> {"Screaming"});
    EXPECT_EQ (second.dsp.getUserPresetInfo (), std::vector<std::string> {"Overmoor"});
    expectPlainNear (second.valuesOf ("Screaming"), saved);
    EXPECT_EQ (second.valuesOf ("Screaming")[1], 5.0f);   // a list entry comes back whole

    // Selecting it (user presets follow the eight factory presets) restores the values.
    second.dsp.selectPreset (8);
    EXPECT_NEAR (second.dsp.getParameterNormalized (2), 0.123f, 1e-6);
    EXPECT_NEAR (second.dsp.getParameterNormalized (1), 5.0f / 7.0f, 1e-6);
}

TEST_F (FilePresetStorage, LoadOrderIsByNameAndStable)
{
    {
        Instance instance (dir ());
        for (const char* name : {"delta", "Alpha", "charlie", "Bravo", "alpha"})
            instance.saveAs (name);
    }
    const std::vector<std::string> sorted = {"Alpha", "Bravo", "alpha", "charlie", "delta"};
    EXPECT_EQ (Instance (dir ()).dsp.getUserPresetNames (), sorted);
    EXPECT_EQ (Instance (dir ()).dsp.getUserPresetNames (), sorted);
}

TEST_F (FilePresetStorage, SaveOverwritesTheCurrentPresetWithoutAddingOne)
{
    {
        Instance instance (dir ());
        instance.dsp.setParameterNormalized (3, 0.2f);
        instance.saveAs ("Mine");
        instance.dsp.setParameterNormalized (3, 0.8f);
        instance.save ("ignored name");
        EXPECT_EQ (instance.dsp.getUserPresetNames (), std::vector<std::string> {"Mine"});
        EXPECT_NEAR (instance.valuesOf ("Mine")[3], 80.0f, 1e-4);
    }
    EXPECT_EQ (filesIn (dir ()).size (), 1u);
    Instance later (dir ());
    EXPECT_EQ (later.dsp.getUserPresetNames (), std::vector<std::string> {"Mine"});
    EXPECT_NEAR (later.valuesOf ("Mine")[3], 80.0f, 1e-4);
}

TEST_F (FilePresetStorage, SavingOverAFactoryPresetKeepsTheUsersValuesAsAUserPreset)
{
    {
        Instance instance (dir ());
        instance.dsp.selectPreset (3);   // "Crunch"
        instance.dsp.setParameterNormalized (2, 0.9f);
        instance.save ("Crunch");
        EXPECT_TRUE (instance.dsp.getUserPresetNames ().empty ());
    }
    Instance later (dir ());
    EXPECT_EQ (later.dsp.getUserPresetNames (), std::vector<std::string> {"Crunch"});
    const CMVXPresetRecord& user = later.algorithm ().presets.rbegin ()->second;
    EXPECT_NEAR (user.values[2], 90.0f, 1e-4);
    EXPECT_NEAR (later.algorithm ().presets.at (3).values[2], 38.1f, 1e-4);   // factory unchanged
}

TEST_F (FilePresetStorage, DeleteRemovesTheFile)
{
    {
        Instance instance (dir ());
        instance.saveAs ("Keep");
        instance.saveAs ("Drop");
        instance.remove ("Drop");
        EXPECT_TRUE (instance.storage.lastChangeSucceeded ());
        EXPECT_EQ (instance.dsp.getUserPresetNames (), std::vector<std::string> {"Keep"});
        instance.remove ("Never existed");
        EXPECT_TRUE (instance.storage.lastChangeSucceeded ());
    }
    EXPECT_EQ (filesIn (dir ()), std::vector<std::string> {folder::fileNameFor ("Keep")});
    EXPECT_EQ (Instance (dir ()).dsp.getUserPresetNames (), std::vector<std::string> {"Keep"});
}

TEST_F (FilePresetStorage, OddNamesPersistAndStayApart)
{
    const std::vector<std::string> names = {
        "a/b", "..", ".", "../../escape", "/absolute", "\xC3\xBCn\xC3\xAF c\xC3\xB8" "d\xC3\xA9 \xE9\x9F\xB3",
        "Case", "case", "CASE", std::string (1000, 'L'), std::string (999, 'L') + "l",
        std::string ("nul\0byte", 8), "<xml> & \"quotes\"", "", " ", "-rf", "%2F", "tab\there"};
    {
        Instance instance (dir ());
        for (size_t i = 0; i < names.size (); ++i)
        {
            instance.dsp.setParameterNormalized (2, static_cast<float> (i) / 100.0f);
            instance.saveAs (names[i]);
            ASSERT_TRUE (instance.storage.lastChangeSucceeded ()) << i;
        }
    }
    // Nothing escaped the folder, and every name has its own file.
    EXPECT_EQ (filesIn (dir ()).size (), names.size ());
    struct stat info {};
    EXPECT_NE (::stat ((dir () + "/../escape.vstpreset").c_str (), &info), 0);

    Instance later (dir ());
    std::vector<std::string> loaded = later.dsp.getUserPresetNames ();
    std::vector<std::string> expected = names;
    std::sort (expected.begin (), expected.end ());
    EXPECT_EQ (loaded, expected);
    for (size_t i = 0; i < names.size (); ++i)
        EXPECT_NEAR (later.valuesOf (names[i])[2], static_cast<float> (i), 1e-4) << i;
}

TEST_F (FilePresetStorage, ForeignAndDamagedFilesAreSkippedAndLeftAlone)
{
    {
        Instance instance (dir ());
        instance.saveAs ("Good");
    }
    const std::vector<char> good = readBytes (folderUnderTest.file (folder::fileNameFor ("Good")));
    std::vector<char> truncated (good.begin (), good.begin () + static_cast<long> (good.size () / 2));
    std::vector<char> otherPlugIn = encodePresetFile (kCMVXStravelControllerUID, "Foreign",
                                                      std::vector<float> (8, 0.5f));
    const std::vector<std::pair<std::string, std::vector<char>>> strays = {
        {"truncated.vstpreset", truncated},
        {"empty.vstpreset", {}},
        {"text.vstpreset", std::vector<char> {'h', 'e', 'l', 'l', 'o'}},
        {"other plug-in.vstpreset", otherPlugIn},
        {"notes.txt", std::vector<char> {'x'}},
        {".overmoor-1-1.tmp", truncated},
        {".hidden.vstpreset", good}};
    for (const auto& stray : strays)
        writeBytes (folderUnderTest.file (stray.first), stray.second);
    ASSERT_EQ (::mkdir (folderUnderTest.file ("folder.vstpreset").c_str (), 0755), 0);
    ASSERT_EQ (::symlink ("/nonexistent/target", folderUnderTest.file ("dangling.vstpreset").c_str ()), 0);

    {
        Instance instance (dir ());
        EXPECT_EQ (instance.dsp.getUserPresetNames (), std::vector<std::string> {"Good"});
        instance.saveAs ("Another");
        instance.remove ("Good");
        instance.remove ("truncated");
        instance.remove ("Foreign");
    }
    for (const auto& stray : strays)
        EXPECT_EQ (readBytes (folderUnderTest.file (stray.first)), stray.second) << stray.first;
    EXPECT_EQ (Instance (dir ()).dsp.getUserPresetNames (), std::vector<std::string> {"Another"});
}

TEST_F (FilePresetStorage, APresetAHostSavedHereIsNamedByItsFile)
{
    // What a host's own "save preset" writes: our component state, no meta-info of ours.
    IPtr<MemoryStream> state = owned (new MemoryStream ());
    for (float value : {1.0f, 2.0f / 7.0f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f})
        state->write (&value, 4, nullptr);
    state->seek (0, IBStream::kIBSeekSet, nullptr);
    IPtr<MemoryStream> file = owned (new MemoryStream ());
    ASSERT_TRUE (PresetFile::savePreset (file, kCMVXStravelProcessorUID, state));
    writeBytes (folderUnderTest.file ("Host Saved.vstpreset"),
                std::vector<char> (file->getData (), file->getData () + file->getSize ()));
    {
        Instance instance (dir ());
        EXPECT_EQ (instance.dsp.getUserPresetNames (), std::vector<std::string> {"Host Saved"});
        EXPECT_EQ (instance.valuesOf ("Host Saved")[1], 2.0f);
        instance.remove ("Host Saved");
    }
    EXPECT_TRUE (filesIn (dir ()).empty ());
}

TEST_F (FilePresetStorage, TheFileOfTheSameNameWinsOverACopy)
{
    {
        Instance instance (dir ());
        instance.dsp.setParameterNormalized (4, 0.25f);
        instance.saveAs ("Twin");
    }
    const auto canonical = folderUnderTest.file (folder::fileNameFor ("Twin"));
    std::vector<char> copy = encodePresetFile (kCMVXStravelProcessorUID, "Twin", std::vector<float> (8, 0.75f));
    writeBytes (folderUnderTest.file ("AAA copy of twin.vstpreset"), copy);
    {
        Instance instance (dir ());
        EXPECT_EQ (instance.dsp.getUserPresetNames (), std::vector<std::string> {"Twin"});
        EXPECT_NEAR (instance.valuesOf ("Twin")[4], 25.0f, 1e-4);
        instance.remove ("Twin");   // both files hold "Twin": both go, or it would come back
    }
    EXPECT_TRUE (filesIn (dir ()).empty ());
}

TEST_F (FilePresetStorage, UnwritableFolderKeepsExistingPresets)
{
    {
        Instance instance (dir ());
        instance.saveAs ("Existing");
    }
    const auto existing = readBytes (folderUnderTest.file (folder::fileNameFor ("Existing")));

    // A folder path that runs through a regular file can never be written, even by root.
    writeBytes (folderUnderTest.file ("plain-file"), {'x'});
    {
        Instance blocked (dir () + "/plain-file/presets");
        blocked.saveAs ("Lost");
        EXPECT_FALSE (blocked.storage.lastChangeSucceeded ());
        EXPECT_EQ (blocked.dsp.getUserPresetNames (), std::vector<std::string> {"Lost"});   // kept for the session
    }

    if (!runningAsRoot ())
    {
        ASSERT_EQ (::chmod (dir ().c_str (), 0555), 0);
        {
            Instance readOnly (dir ());
            EXPECT_EQ (readOnly.dsp.getUserPresetNames (), std::vector<std::string> {"Existing"});
            readOnly.dsp.setParameterNormalized (2, 0.99f);
            readOnly.save ();
            EXPECT_FALSE (readOnly.storage.lastChangeSucceeded ());
            readOnly.saveAs ("New");
            EXPECT_FALSE (readOnly.storage.lastChangeSucceeded ());
            readOnly.remove ("Existing");
            EXPECT_FALSE (readOnly.storage.lastChangeSucceeded ());
        }
        ASSERT_EQ (::chmod (dir ().c_str (), 0755), 0);
    }
    EXPECT_EQ (readBytes (folderUnderTest.file (folder::fileNameFor ("Existing"))), existing);
    std::vector<std::string> files = filesIn (dir ());
    EXPECT_EQ (files, (std::vector<std::string> {folder::fileNameFor ("Existing"), "plain-file"}));
}

TEST_F (FilePresetStorage, NamesTooLongToReadBackAreNotWritten)
{
    Instance instance (dir ());
    instance.saveAs (std::string (CMVXFilePresetStorage::kMaxNameBytes + 1, 'n'));
    EXPECT_FALSE (instance.storage.lastChangeSucceeded ());
    instance.saveAs (std::string (CMVXFilePresetStorage::kMaxNameBytes, '\x01'));   // six bytes each in XML
    EXPECT_TRUE (instance.storage.lastChangeSucceeded ());
    EXPECT_EQ (Instance (dir ()).dsp.getUserPresetNames ().size (), 1u);
}

TEST_F (FilePresetStorage, NoTemporaryFilesStayBehind)
{
    Instance instance (dir ());
    for (int i = 0; i < 20; ++i)
        instance.saveAs ("P" + std::to_string (i % 5));
    for (const std::string& name : filesIn (dir ()))
        EXPECT_EQ (name.find (".tmp"), std::string::npos) << name;
    EXPECT_EQ (filesIn (dir ()).size (), 5u);
}

TEST (PresetFolderLocation, EnvironmentOverrideThenHome)
{
    {
        ScopedEnvironment overrideDir ("OVERMOOR_PRESET_DIR", "/tmp/somewhere else");
        EXPECT_EQ (folder::defaultDirectory (), "/tmp/somewhere else");
        EXPECT_EQ (CMVXFilePresetStorage (kCMVXStravelProcessorUID).getDirectory (), "/tmp/somewhere else");
    }
    ScopedEnvironment noOverride ("OVERMOOR_PRESET_DIR", nullptr);
    {
        ScopedEnvironment home ("HOME", "/home/tester");
        EXPECT_EQ (folder::defaultDirectory (), "/home/tester/.vst3/presets/Morvane/Overmoor");
    }
    {
        ScopedEnvironment home ("HOME", "/home/tester/");
        EXPECT_EQ (folder::defaultDirectory (), "/home/tester/.vst3/presets/Morvane/Overmoor");
    }
    {
        ScopedEnvironment emptyOverride ("OVERMOOR_PRESET_DIR", "");
        ScopedEnvironment relativeHome ("HOME", "relative");   // not a home: the password entry is
        const std::string found = folder::defaultDirectory ();
        EXPECT_TRUE (found.empty () || found[0] == '/') << found;
    }
}
