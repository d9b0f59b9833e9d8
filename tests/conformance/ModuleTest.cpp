// SPDX-License-Identifier: GPL-3.0-or-later
// The bundle as a host's scanner sees it: folder layout, the library's exports, and the entry
// points called in a host's order twice in one process. One body for both systems over the
// loader of each (dlopen and nm's dynamic symbols; LoadLibraryW and the PE export table).
#include "support/BundleFixture.h"
#include "support/EntryPoints.h"
#include <filesystem>
#include <set>
#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <cstdio>
#endif

namespace {

namespace fs = std::filesystem;
using namespace Steinberg;
using namespace Morvane::Test;
using VST3::Hosting::Module;

#ifdef _WIN32
const char* const kArchitectureFolder = "x86_64-win";
const char* const kLibraryFile = "Overmoor.vst3";
const std::set<std::string> kEntryPoints {"ExitDll", "GetPluginFactory", "InitDll"};
using Library = HMODULE;

Library load (const std::string& path)
{
    return LoadLibraryW (widenedForTest (path).c_str ());
}
template <typename Function>
Function symbol (Library library, const char* name)
{
    return symbolOf<Function> (library, name);
}
bool enter (Library library)
{
    auto initDll = symbol<ExitFunc> (library, "InitDll");
    return initDll && initDll ();
}
const char* const kExit = "ExitDll";
bool unload (Library library)
{
    return FreeLibrary (library);
}
bool stillLoaded (const std::string& path)
{
    return GetModuleHandleW (widenedForTest (path).c_str ()) != nullptr;
}

// The names in the loaded image's export directory.
std::set<std::string> exportedNames (const std::string& path)
{
    std::set<std::string> names;
    Library library = load (path);
    if (library == nullptr)
    {
        ADD_FAILURE () << GetLastError ();
        return names;
    }
    const auto* base = reinterpret_cast<const BYTE*> (library);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*> (base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*> (base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (directory.Size != 0)
    {
        const auto* exports =
            reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*> (base + directory.VirtualAddress);
        const auto* nameOffsets = reinterpret_cast<const DWORD*> (base + exports->AddressOfNames);
        for (DWORD i = 0; i < exports->NumberOfNames; ++i)
            names.insert (reinterpret_cast<const char*> (base + nameOffsets[i]));
        EXPECT_EQ (exports->NumberOfFunctions, exports->NumberOfNames) << "exports by ordinal only";
    }
    FreeLibrary (library);
    return names;
}
#else
const char* const kArchitectureFolder = "x86_64-linux";
const char* const kLibraryFile = "Overmoor.so";
const std::set<std::string> kEntryPoints {"ExitDll", "GetPluginFactory", "InitDll", "ModuleEntry",
                                          "ModuleExit"};
using Library = void*;

Library load (const std::string& path)
{
    return dlopen (path.c_str (), RTLD_LAZY);
}
template <typename Function>
Function symbol (Library library, const char* name)
{
    return reinterpret_cast<Function> (dlsym (library, name));
}
bool enter (Library library)
{
    auto moduleEntry = symbol<EntryFunc> (library, "ModuleEntry");
    return moduleEntry && moduleEntry (library);
}
const char* const kExit = "ModuleExit";
bool unload (Library library)
{
    return dlclose (library) == 0;
}
bool stillLoaded (const std::string& path)
{
    void* library = dlopen (path.c_str (), RTLD_LAZY | RTLD_NOLOAD);
    if (library)
        dlclose (library);
    return library != nullptr;
}

// "<address> <type> <name>" per dynamic symbol, all functions in the text section; a versioned
// name would carry "@".
std::set<std::string> exportedNames (const std::string& path)
{
    const std::string command = std::string (OVERMOOR_NM) + " -D --defined-only '" + path + "'";
    std::set<std::string> names;
    FILE* pipe = popen (command.c_str (), "r");
    EXPECT_NE (pipe, nullptr) << command;
    char address[64], type[8], name[256];
    while (pipe && fscanf (pipe, "%63s %7s %255s", address, type, name) == 3)
    {
        EXPECT_STREQ (type, "T") << name;
        names.insert (name);
    }
    EXPECT_TRUE (pipe && pclose (pipe) == 0) << command;
    return names;
}
#endif

// One library and nothing a scanner could take for a second one.
TEST (ConformanceModule, BundleLayout)
{
    const fs::path bundle = Module::normalizedBundlePath (overmoorBundlePath ());
    ASSERT_TRUE (fs::is_directory (bundle)) << bundle;
    EXPECT_EQ (bundle.filename (), "Overmoor.vst3");
    const fs::path architectureFolder = bundle / "Contents" / kArchitectureFolder;
    EXPECT_EQ (fs::path (Module::libraryPathForBundle (bundle.string ())),
               architectureFolder / kLibraryFile);
    std::set<std::string> entries;
    for (const auto& entry : fs::directory_iterator (architectureFolder))
        entries.insert (entry.path ().filename ().string ());
    EXPECT_EQ (entries, std::set<std::string> {kLibraryFile});
}

TEST (ConformanceModule, ExportsExactlyTheEntryPointsOfItsSystem)
{
    EXPECT_EQ (exportedNames (Module::libraryPathForBundle (overmoorBundlePath ())), kEntryPoints);
}

// Load, enter, GetPluginFactory, an instance that processes, exit, unload; twice. The factory's
// reference counting is checked in tests/entry.
TEST (ConformanceModule, EntryFactoryExitInHostOrderTwice)
{
    const std::string path = Module::libraryPathForBundle (overmoorBundlePath ());
    for (int round = 0; round < 2; ++round)
    {
        SCOPED_TRACE ("round " + std::to_string (round));
        Library library = load (path);
        ASSERT_NE (library, nullptr);
        auto exitFunc = symbol<ExitFunc> (library, kExit);
        auto getFactory = symbol<FactoryFunc> (library, "GetPluginFactory");
        ASSERT_TRUE (exitFunc && getFactory);
        ASSERT_TRUE (enter (library));
        IPluginFactory* factory = getFactory ();
        ASSERT_NE (factory, nullptr);
        ASSERT_NO_FATAL_FAILURE (processABlockThenReleaseFactory (factory));
        EXPECT_TRUE (exitFunc ());
        EXPECT_TRUE (unload (library));
        EXPECT_FALSE (stillLoaded (path)) << "the library stays mapped after it was unloaded";
    }
}

#ifdef _WIN32
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
#endif

}   // namespace
