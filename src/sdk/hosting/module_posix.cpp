// SPDX-License-Identifier: GPL-3.0-or-later
// Linux hosts: dlopen of Contents/<machine>-linux/<stem>.so, ModuleEntry (handle) and ModuleExit.
#include "sdk/hosting/moduleplatform.h"
#include <dlfcn.h>
#include <sys/utsname.h>

namespace VST3 {
namespace Hosting {
namespace Platform {

std::string architectureFolder ()
{
    utsname info {};
    return std::string (uname (&info) == 0 ? info.machine : "x86_64") + "-linux";
}

const char* librarySuffix ()
{
    return ".so";
}
const char* entryName ()
{
    return "ModuleEntry";
}
const char* exitName ()
{
    return "ModuleExit";
}

bool callEntry (void* entrySymbol, void* libraryHandle)
{
    return reinterpret_cast<bool (*) (void*)> (entrySymbol) (libraryHandle);
}

void* openLibrary (const std::string& libraryPath, std::string& errorDescription)
{
    dlerror ();
    void* handle = dlopen (libraryPath.c_str (), RTLD_LAZY);
    if (!handle)
    {
        const char* text = dlerror ();
        errorDescription = "Cannot open " + libraryPath + ": " + (text ? text : "unknown error");
    }
    return handle;
}

void* findSymbol (void* libraryHandle, const char* symbolName)
{
    return dlsym (libraryHandle, symbolName);
}

void closeLibrary (void* libraryHandle)
{
    dlclose (libraryHandle);
}

}   // namespace Platform
}   // namespace Hosting
}   // namespace VST3
