// SPDX-License-Identifier: GPL-3.0-or-later
// User presets kept as files behind the product's DSP host: the folder, its load order, odd
// names, foreign and damaged files, unwritable folders and writers in other processes.
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
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif
#include <algorithm>
#include <filesystem>

using namespace PresetTest;
using namespace Steinberg;
using namespace Steinberg::Vst;
namespace folder = CMVXPresetFolder;
using Names = std::vector<std::string>;

namespace {

// A DSP host with its own file storage, as one plug-in instance holds them.
struct Instance
{
    explicit Instance (const std::string& directory)
    : storage (kCMVXStravelProcessorUID, directory), dsp (&storage)
    {}
    // As the processor answers save-as, save and delete requests.
    void saveAs (const std::string& name)
    {
        dsp.storeUserPreset (name, false);
        dsp.getCurrentAlgorithm ()->selectPresetByName (name);
        dsp.rebuildPresetLists ();
    }
    void save () { dsp.storeUserPreset ({}, true), dsp.rebuildPresetLists (); }
    void remove (const std::string& name)
    {
        dsp.deleteUserPreset (name), dsp.rebuildPresetLists ();
    }
    std::vector<float> valuesOf (const std::string& name)   // plain values, or nothing
    {
        const CMVXPresetRecord* record = dsp.getCurrentAlgorithm ()->findPresetByName (name);
        return record ? record->values : std::vector<float> ();
    }
    Names names () const { return dsp.getUserPresetNames (); }

    CMVXFilePresetStorage storage;
    CMVXStravelPlugInDSP dsp;
};

}   // namespace

class FilePresetStorage : public ::testing::Test
{
protected:
    TemporaryFolder presets;
    const std::string& dir () const { return presets.path (); }
};

TEST_F (FilePresetStorage, AMissingFolderIsCreatedOnTheFirstSaveAndLoadingWritesNothing)
{
    const std::string nested = dir () + "/a/b/c";
    Instance instance (nested);
    EXPECT_TRUE (instance.names ().empty ());
    EXPECT_FALSE (std::filesystem::exists (nested));
    instance.saveAs ("First");
    EXPECT_TRUE (instance.storage.lastChangeSucceeded ());
    EXPECT_EQ (filesIn (nested), Names {folder::fileNameFor ("First")});
    instance.remove ("Never existed");
    EXPECT_TRUE (instance.storage.lastChangeSucceeded ());
}

TEST_F (FilePresetStorage, SavingOverAFactoryPresetKeepsTheUsersValuesAsAUserPreset)
{
    {
        Instance instance (dir ());
        instance.dsp.selectPreset (3);   // "Crunch"
        instance.dsp.setParameterNormalized (2, 0.9f);
        instance.save ();
        EXPECT_TRUE (instance.names ().empty ());   // this session's factory entry holds them
        EXPECT_NEAR (instance.dsp.getCurrentAlgorithm ()->presets.at (3).values[2], 90.0f, 1e-4);
    }
    Instance later (dir ());
    EXPECT_EQ (later.names (), Names {"Crunch"});
    EXPECT_NEAR (later.dsp.getCurrentAlgorithm ()->presets.rbegin ()->second.values[2], 90.0f,
                 1e-4);
    EXPECT_NEAR (later.dsp.getCurrentAlgorithm ()->presets.at (3).values[2], 38.1f,
                 1e-4);   // factory unchanged
}

// Names persist apart, sorted by bytes on load, each in a file of its own inside the folder; what
// names a file holds and how file names are made: the codec's and the file names' tables.
TEST_F (FilePresetStorage, NamesPersistApartInFilesNamedAfterThemWithASuffixOnlyOnAClash)
{
    const std::string cafe = "Caf\xC3\xA9: A/B";
#ifdef _WIN32
    const std::string cafeFile = "Caf\xC3\xA9_ A_B.vstpreset";
#else
    const std::string cafeFile = "Caf\xC3\xA9: A_B.vstpreset";
#endif
    const Names odd = {"..",
                       ".",
                       "../../escape",
                       "/absolute",
                       "Case",
                       "case",
                       std::string (1000, 'L'),
                       std::string (999, 'L') + "l",
                       std::string ("nul\0byte", 8),
                       "",
                       "-rf",
                       "%2F"};
    const std::vector<std::pair<Names, Names>> cases = {
        // saved in this order, the files (sorted; none given: one each)
        {{cafe}, {cafeFile}},
        {{"Lead", "lead", "LEAD"}, {"LEAD (3).vstpreset", "Lead.vstpreset", "lead (2).vstpreset"}},
        {{"A/B", "A_B"}, {"A_B (2).vstpreset", "A_B.vstpreset"}},
        {odd, {}}};
    for (const auto& [saved, files] : cases)
    {
        TemporaryFolder folder;
        {
            Instance instance (folder.path ());
            for (size_t i = 0; i < saved.size (); ++i)
            {
                instance.dsp.setParameterNormalized (1, static_cast<float> (i % 8) / 7.0f);
                instance.dsp.setParameterNormalized (2, static_cast<float> (i) / 100.0f);
                instance.saveAs (saved[i]);
                ASSERT_TRUE (instance.storage.lastChangeSucceeded ()) << i;
            }
        }
        const Names written = filesIn (folder.path ());
        EXPECT_EQ (written.size (), saved.size ());
        if (!files.empty ())
            EXPECT_EQ (written, files);
        Instance later (folder.path ());
        Names sorted = saved;
        std::sort (sorted.begin (), sorted.end ());
        EXPECT_EQ (later.names (), sorted);
        // Stored normalised as 32-bit floats: a plain value over 0..100 keeps about 1e-5 of it.
        // The model comes back as a whole list entry.
        for (size_t i = 0; i < saved.size (); ++i)
            EXPECT_EQ (later.valuesOf (saved[i])[1], static_cast<float> (i % 8)) << i;
        for (size_t i = 0; i < saved.size (); ++i)
            EXPECT_NEAR (later.valuesOf (saved[i])[2], static_cast<float> (i), 1e-4) << i;
        later.dsp.selectPreset (8);   // a save keeps the file it has
        later.save ();
        EXPECT_EQ (filesIn (folder.path ()), written);
        EXPECT_FALSE (std::filesystem::exists (folder.path () + "/../escape.vstpreset"));
    }
}

// Files a save would not have written: one of the older naming, renamed at its next save, and a
// copy of a preset that has its own file, which wins; a delete removes both, or it would return.
TEST_F (FilePresetStorage, FilesOfOtherNamesLoadAndSavesAndDeletesTidyThem)
{
    {
        Instance first (dir ());
        first.dsp.setParameterNormalized (4, 0.25f);
        first.saveAs ("Twin");
    }
    writeBytes (
        presets.file ("mylead~636d10d2041c265c.vstpreset"),
        encodePresetFile (kCMVXStravelProcessorUID, "mylead", std::vector<float> (8, 0.75f)));
    writeBytes (presets.file ("AAA copy of twin.vstpreset"),
                encodePresetFile (kCMVXStravelProcessorUID, "Twin", std::vector<float> (8, 0.75f)));
    {
        Instance instance (dir ());
        ASSERT_EQ (instance.names (), (Names {"Twin", "mylead"}));
        EXPECT_NEAR (instance.valuesOf ("Twin")[4], 25.0f, 1e-4);
        instance.dsp.selectPreset (9);   // "mylead"
        instance.save ();
        instance.remove ("Twin");
    }
    EXPECT_EQ (filesIn (dir ()), Names {"mylead.vstpreset"});
    EXPECT_NEAR (Instance (dir ()).valuesOf ("mylead")[2], 75.0f, 1e-4);
}

TEST_F (FilePresetStorage, ForeignAndDamagedFilesAreSkippedAndNeverTouched)
{
    Instance (dir ()).saveAs ("Good");
    const std::vector<char> good = readBytes (presets.file (folder::fileNameFor ("Good")));
    const std::vector<char> truncated (good.begin (),
                                       good.begin () + static_cast<long> (good.size () / 2));
    const std::vector<std::pair<std::string, std::vector<char>>> strays = {
        {"truncated.vstpreset", truncated},
        {"empty.vstpreset", {}},
        {"text.vstpreset", {'h', 'e', 'l', 'l', 'o'}},
        {"other plug-in.vstpreset",
         encodePresetFile (kCMVXStravelControllerUID, "Foreign", std::vector<float> (8, 0.5f))},
        {"notes.txt", {'x'}},
        {".overmoor-1-1.tmp", truncated},
        {".hidden.vstpreset", good}};
    for (const auto& [name, bytes] : strays)
        writeBytes (presets.file (name), bytes);
    ASSERT_TRUE (std::filesystem::create_directory (presets.file ("folder.vstpreset")));
#ifndef _WIN32   // symbolic links need a privilege on Windows
    ASSERT_EQ (::symlink ("/nonexistent/target", presets.file ("dangling.vstpreset").c_str ()), 0);
#endif
    {
        Instance instance (dir ());
        EXPECT_EQ (instance.names (), Names {"Good"});
        instance.saveAs ("Another");
        instance.saveAs ("text");   // named like a damaged file, which stays as it is
        for (const char* name : {"Good", "truncated", "Foreign"})
            instance.remove (name);
    }
    for (const auto& [name, bytes] : strays)
        EXPECT_EQ (readBytes (presets.file (name)), bytes) << name;
    EXPECT_EQ (Instance (dir ()).names (), (Names {"Another", "text"}));
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
    writeBytes (presets.file ("Host Saved.vstpreset"),
                std::vector<char> (file->getData (), file->getData () + file->getSize ()));
    {
        Instance instance (dir ());
        EXPECT_EQ (instance.names (), Names {"Host Saved"});
        EXPECT_EQ (instance.valuesOf ("Host Saved")[1], 2.0f);
        instance.remove ("Host Saved");
    }
    EXPECT_TRUE (filesIn (dir ()).empty ());
}

// A folder that cannot be created at all: the preset bar and the message suite.
TEST_F (FilePresetStorage, UnwritableFolderKeepsExistingPresets)
{
    Instance (dir ()).saveAs ("Existing");
    const auto existing = readBytes (presets.file (folder::fileNameFor ("Existing")));

#ifndef _WIN32   // a read-only attribute on a Windows folder does not stop writes into it
    if (::geteuid () != 0)
    {
        ASSERT_EQ (::chmod (dir ().c_str (), 0555), 0);
        {
            Instance readOnly (dir ());
            EXPECT_EQ (readOnly.names (), Names {"Existing"});
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
#endif
    EXPECT_EQ (readBytes (presets.file (folder::fileNameFor ("Existing"))), existing);
    EXPECT_EQ (filesIn (dir ()), Names {folder::fileNameFor ("Existing")});
}

TEST_F (FilePresetStorage, NamesTooLongToReadBackAreNotWritten)
{
    Instance instance (dir ());
    instance.saveAs (std::string (CMVXFilePresetStorage::kMaxNameBytes + 1, 'n'));
    EXPECT_FALSE (instance.storage.lastChangeSucceeded ());
    instance.saveAs (
        std::string (CMVXFilePresetStorage::kMaxNameBytes, '\x01'));   // six bytes each in XML
    EXPECT_TRUE (instance.storage.lastChangeSucceeded ());
    EXPECT_EQ (Instance (dir ()).names ().size (), 1u);
}

#ifndef _WIN32
TEST_F (FilePresetStorage, TwoProcessesSavingAtOnceLoseNoPreset)
{
    constexpr int kEach = 25;
    Names expected = {"Shared"};   // a name every writer saves, besides its own
    std::vector<pid_t> children;
    for (const std::string prefix : {"process A ", "process B "})
    {
        for (int i = 0; i < kEach; ++i)
            expected.push_back (prefix + std::to_string (i));
        const pid_t child = ::fork ();
        ASSERT_GE (child, 0);
        if (child == 0)
        {
            CMVXFilePresetStorage storage (kCMVXStravelProcessorUID, dir ());
            CMVXStravelPlugInDSP dsp (&storage);
            for (int i = 0; i < kEach; ++i)
            {
                dsp.setParameterNormalized (2, static_cast<float> (i) / kEach);
                dsp.storeUserPreset (prefix + std::to_string (i), false);
                dsp.storeUserPreset ("Shared", false);
            }
            ::_exit (0);
        }
        children.push_back (child);
    }
    for (pid_t child : children)
    {
        int status = 0;
        ASSERT_EQ (::waitpid (child, &status, 0), child);
        EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 0);
    }
    std::sort (expected.begin (), expected.end ());
    EXPECT_EQ (Instance (dir ()).names (), expected);
    EXPECT_EQ (filesIn (dir ()).size (), expected.size ());
}

TEST (PresetFolderLocation, EnvironmentOverrideThenHome)
{
    {
        ScopedEnvironment overrideDir ("OVERMOOR_PRESET_DIR", "/tmp/somewhere else");
        EXPECT_EQ (folder::defaultDirectory (), "/tmp/somewhere else");
        EXPECT_EQ (CMVXFilePresetStorage (kCMVXStravelProcessorUID).getDirectory (),
                   "/tmp/somewhere else");
    }
    ScopedEnvironment noOverride ("OVERMOOR_PRESET_DIR", nullptr);
    for (const char* home : {"/home/tester", "/home/tester/"})
    {
        ScopedEnvironment homeDir ("HOME", home);
        EXPECT_EQ (folder::defaultDirectory (), "/home/tester/.vst3/presets/Morvane/Overmoor")
            << home;
    }
    ScopedEnvironment emptyOverride ("OVERMOOR_PRESET_DIR", "");
    ScopedEnvironment relativeHome ("HOME", "relative");   // not a home: the password entry is
    const std::string found = folder::defaultDirectory ();
    EXPECT_TRUE (found.empty () || found[0] == '/') << found;
}
#endif

#ifdef _WIN32
#include "framework/CMVXUtf16Text.h"
#include <windows.h>

// Non-ASCII preset names in a non-ASCII folder survive a save and a new session, and the
// override names that folder exactly.
TEST_F (FilePresetStorage, WindowsWideNamesRoundTrip)
{
    const std::string nested =
        dir () + "\\Pr\xC3\xA9r\xC3\xA9glages \xE6\x97\xA5\xE6\x9C\xAC\\\xF0\x9F\x8E\xB8";
    const std::string name =
        "Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9\x65 \xE2\x80\x93 \xE6\xAD\xAA\xE3\x81\xBF";
    Instance (nested).saveAs (name);
    EXPECT_EQ (Instance (nested).names (), Names {name});
    ScopedEnvironment overrideDir ("OVERMOOR_PRESET_DIR", nested.c_str ());
    EXPECT_EQ (folder::defaultDirectory (), nested);
    EXPECT_EQ (CMVXFilePresetStorage (kCMVXStravelProcessorUID).getDirectory (), nested);
}

// Bytes a text-mode file would change come back as written, and a second write replaces the
// first (a plain rename would refuse an existing target).
TEST_F (FilePresetStorage, WindowsFilesAreBinaryAndReplacedInPlace)
{
    const std::vector<char> tricky = {'\n', '\x1a', '\r', '\n', '\0', '\r', 'x', '\n'};
    ASSERT_TRUE (folder::writeFileAtomically (dir (), "a.vstpreset", {'o', 'l', 'd'}));
    ASSERT_TRUE (folder::writeFileAtomically (dir (), "a.vstpreset", tricky));
    EXPECT_EQ (folder::readFile (folder::pathOf (dir (), "a.vstpreset")), tricky);
    EXPECT_EQ (readBytes (presets.file ("a.vstpreset")), tricky);
    EXPECT_EQ (filesIn (dir ()), Names {"a.vstpreset"});
    EXPECT_TRUE (folder::removeFile (folder::pathOf (dir (), "a.vstpreset")));
    EXPECT_TRUE (folder::removeFile (folder::pathOf (dir (), "a.vstpreset"))) << "already gone";
    EXPECT_FALSE (folder::readFile (dir () + "\\bad \xFF name").has_value ());
    EXPECT_FALSE (folder::writeFileAtomically (dir () + "\\bad \xFF", "b.vstpreset", tricky));
}

TEST (PresetFolderLocation, WindowsDocumentsUnlessOverridden)
{
    ScopedEnvironment noOverride ("OVERMOOR_PRESET_DIR", nullptr);
    const std::string found = folder::defaultDirectory ();
    const std::string tail = "\\Documents\\VST3 Presets\\Morvane\\Overmoor";
    ASSERT_GT (found.size (), tail.size ());
    EXPECT_EQ (found.substr (found.size () - tail.size ()), tail);
    EXPECT_EQ (found[1], ':') << found;
}

TEST (Utf16Text, ConversionsAndTheirErrors)
{
    const std::string text = "Gain \xC2\xB1 6 dB \xF0\x9F\x8E\xB8";
    EXPECT_EQ (CMVXUtf16Text::fromUtf8 (text), L"Gain \u00B1 6 dB \U0001F3B8");
    EXPECT_EQ (CMVXUtf16Text::toUtf8 (CMVXUtf16Text::fromUtf8 (text)), text);
    EXPECT_EQ (CMVXUtf16Text::fromUtf8 (""), L"");
    try
    {
        CMVXUtf16Text::fromUtf8 ("cut \xE2\x80");
        ADD_FAILURE () << "no error";
    }
    catch (const CMVXTextConversionError& error)
    {
        EXPECT_STREQ (error.what (), "Invalid UTF-8 sequence found in input string.");
        EXPECT_EQ (error.code (), unsigned (ERROR_NO_UNICODE_TRANSLATION));
    }
    try
    {
        CMVXUtf16Text::toUtf8 (std::wstring (1, wchar_t (0xD800)));
        ADD_FAILURE () << "no error";
    }
    catch (const CMVXTextConversionError& error)
    {
        EXPECT_STREQ (error.what (),
                      "Can't get length of UTF-8 string (WideCharToMultiByte failed).");
    }
}
#endif
