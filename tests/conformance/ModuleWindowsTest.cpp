// SPDX-License-Identifier: GPL-3.0-or-later
// The bundle as a Windows host's scanner sees it: folder layout, the library's export table, and
// LoadLibraryW, InitDll, GetPluginFactory, ExitDll, FreeLibrary twice in one process.
#include "support/BundleFixture.h"
#include "support/EntryPoints.h"
#include <windows.h>
#include <filesystem>
#include <set>

namespace {

namespace fs = std::filesystem;
using namespace Steinberg;
using namespace Morvane::Test;
using VST3::Hosting::Module;

std::wstring libraryPath ()
{
    return widenedForTest (Module::libraryPathForBundle (overmoorBundlePath ()));
}

// The names in a loaded image's export directory.
std::set<std::string> exportedNames (HMODULE module)
{
    const auto* base = reinterpret_cast<const BYTE*> (module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*> (base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*> (base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    std::set<std::string> names;
    if (directory.Size == 0)
        return names;
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*> (base + directory.VirtualAddress);
    const auto* nameOffsets = reinterpret_cast<const DWORD*> (base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        names.insert (reinterpret_cast<const char*> (base + nameOffsets[i]));
    EXPECT_EQ (exports->NumberOfFunctions, exports->NumberOfNames) << "exports by ordinal only";
    return names;
}

// One library and nothing a scanner could take for a second one.
TEST (ConformanceModule, BundleLayout)
{
    const fs::path bundle = Module::normalizedBundlePath (overmoorBundlePath ());
    ASSERT_TRUE (fs::is_directory (bundle)) << bundle;
    EXPECT_EQ (bundle.filename (), "Overmoor.vst3");
    const fs::path architectureFolder = bundle / "Contents" / "x86_64-win";
    EXPECT_EQ (fs::path (Module::libraryPathForBundle (bundle.string ())),
               architectureFolder / "Overmoor.vst3");
    std::set<std::string> entries;
    for (const auto& entry : fs::directory_iterator (architectureFolder))
        entries.insert (entry.path ().filename ().string ());
    EXPECT_EQ (entries, std::set<std::string> {"Overmoor.vst3"});
}

TEST (ConformanceModule, ExportsExactlyTheThreeEntryPoints)
{
    HMODULE module = LoadLibraryW (libraryPath ().c_str ());
    ASSERT_NE (module, nullptr) << GetLastError ();
    EXPECT_EQ (exportedNames (module),
               (std::set<std::string> {"ExitDll", "GetPluginFactory", "InitDll"}));
    FreeLibrary (module);
}

// The hosting library loads the bundle by its folder (with a trailing separator of either kind)
// or by the library itself, whose name also ends in ".vst3"; a missing bundle is an error text.
TEST (ConformanceModule, HostLoaderTakesBundleOrLibraryPath)
{
    const std::string bundle = Module::normalizedBundlePath (overmoorBundlePath ());
    const std::string library = Module::libraryPathForBundle (bundle);
    for (const std::string& path : {bundle + "\\", bundle + "/", library})
    {
        std::string error;
        auto module = Module::create (path, error);
        ASSERT_NE (module, nullptr) << path << ": " << error;
        EXPECT_EQ (module->getLibraryPath (), library) << path;
        EXPECT_EQ (module->getName (), "Overmoor") << path;
        EXPECT_NE (module->getSymbol ("ExitDll"), nullptr);
        EXPECT_EQ (module->getSymbol ("ModuleEntry"), nullptr);
    }
    std::string error;
    EXPECT_EQ (Module::create (bundle + "-missing.vst3", error), nullptr);
    EXPECT_NE (error.find ("Cannot open"), std::string::npos) << error;
}

// The factory's reference counting is checked in tests/entry.
TEST (ConformanceModule, EntryFactoryExitInHostOrderTwice)
{
    for (int round = 0; round < 2; ++round)
    {
        SCOPED_TRACE ("round " + std::to_string (round));
        HMODULE module = LoadLibraryW (libraryPath ().c_str ());
        ASSERT_NE (module, nullptr) << GetLastError ();
        auto initDll = symbolOf<ExitFunc> (module, "InitDll");
        auto exitDll = symbolOf<ExitFunc> (module, "ExitDll");
        auto getFactory = symbolOf<FactoryFunc> (module, "GetPluginFactory");
        ASSERT_TRUE (initDll && exitDll && getFactory);
        ASSERT_TRUE (initDll ());
        IPluginFactory* factory = getFactory ();
        ASSERT_NE (factory, nullptr);
        ASSERT_NO_FATAL_FAILURE (processABlockThenReleaseFactory (factory));
        EXPECT_TRUE (exitDll ());
        EXPECT_TRUE (FreeLibrary (module));
        EXPECT_EQ (GetModuleHandleW (libraryPath ().c_str ()), nullptr)
            << "the library stays mapped";
    }
}

} // namespace
