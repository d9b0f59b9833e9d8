// SPDX-License-Identifier: GPL-3.0-or-later
// Windows hosts: LoadLibraryW of Contents/x86_64-win/<stem>.vst3, InitDll () and ExitDll ().
#include "sdk/hosting/moduleplatform.h"
#include "framework/CMVXUtf16Text.h"
#include <windows.h>

namespace VST3 {
namespace Hosting {
namespace Platform {

std::string architectureFolder ()
{
#if defined(_M_ARM64) || defined(__aarch64__)
    return "arm64-win";
#else
    return "x86_64-win";
#endif
}

const char* librarySuffix ()
{
    return ".vst3";
}
const char* entryName ()
{
    return "InitDll";
}
const char* exitName ()
{
    return "ExitDll";
}

bool callEntry (void* entrySymbol, void*)
{
    return reinterpret_cast<bool (*) ()> (entrySymbol) ();
}

void* openLibrary (const std::string& libraryPath, std::string& errorDescription)
{
    std::wstring widePath;
    try
    {
        widePath = CMVXUtf16Text::fromUtf8 (libraryPath);
    }
    catch (const CMVXTextConversionError& error)
    {
        errorDescription = "Cannot open " + libraryPath + ": " + error.what ();
        return nullptr;
    }
    // No "cannot find the module" message box when a dependency is missing.
    const UINT previousMode = SetErrorMode (SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE handle = LoadLibraryW (widePath.c_str ());
    const DWORD code = GetLastError ();
    SetErrorMode (previousMode);
    if (!handle)
        errorDescription = "Cannot open " + libraryPath + ": error " + std::to_string (code);
    return handle;
}

void* findSymbol (void* libraryHandle, const char* symbolName)
{
    FARPROC symbol = GetProcAddress (static_cast<HMODULE> (libraryHandle), symbolName);
    return reinterpret_cast<void*> (symbol);
}

void closeLibrary (void* libraryHandle)
{
    FreeLibrary (static_cast<HMODULE> (libraryHandle));
}

}   // namespace Platform
}   // namespace Hosting
}   // namespace VST3
