// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry/CMVXModuleInfo.h"
#include <mutex>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

std::mutex& moduleMutex ()
{
    static std::mutex mutex;
    return mutex;
}

void* gModuleHandle = nullptr;
std::string gModuleFolder;

std::string folderOf (const std::string& filePath)
{
    const auto slash = filePath.find_last_of ("/\\");
    return slash == std::string::npos ? std::string (".") : filePath.substr (0, slash);
}

// The file that holds this very function: the plug-in library when loaded as one.
std::string folderOfThisCode ()
{
#ifdef _WIN32
    HMODULE module = nullptr;
    if (!GetModuleHandleExW (GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                 GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             reinterpret_cast<LPCWSTR> (&folderOfThisCode), &module))
        return {};
    char path[MAX_PATH] = {};
    if (GetModuleFileNameA (module, path, MAX_PATH) == 0)
        return {};
    return folderOf (path);
#else
    Dl_info info {};
    if (dladdr (reinterpret_cast<void*> (&folderOfThisCode), &info) == 0 || !info.dli_fname)
        return {};
    return folderOf (info.dli_fname);
#endif
}

} // namespace

void CMVXModuleInfo::recordModule (void* moduleHandle)
{
    std::string folder = folderOfThisCode ();
    std::lock_guard<std::mutex> lock (moduleMutex ());
    gModuleHandle = moduleHandle;
    gModuleFolder = std::move (folder);
}

void CMVXModuleInfo::forgetModule ()
{
    std::lock_guard<std::mutex> lock (moduleMutex ());
    gModuleHandle = nullptr;
    gModuleFolder.clear ();
}

void* CMVXModuleInfo::getHandle ()
{
    std::lock_guard<std::mutex> lock (moduleMutex ());
    return gModuleHandle;
}

std::string CMVXModuleInfo::getFolder ()
{
    {
        std::lock_guard<std::mutex> lock (moduleMutex ());
        if (!gModuleFolder.empty ())
            return gModuleFolder;
    }
    return folderOfThisCode ();
}

std::string CMVXModuleInfo::getResourcesFolder ()
{
    return folderOf (getFolder ()) + "/Resources";
}
