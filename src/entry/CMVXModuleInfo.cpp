// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry/CMVXModuleInfo.h"
#include <mutex>

#ifdef _WIN32
#include "framework/CMVXUtf16Text.h"
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

#ifdef _WIN32
// The UTF-8 folder of a loaded module's file; paths longer than MAX_PATH included.
std::string folderOfModule (HMODULE module)
{
    std::wstring path (MAX_PATH, L'\0');
    for (;;)
    {
        const auto capacity = static_cast<DWORD> (path.size ());
        const DWORD length = GetModuleFileNameW (module, path.data (), capacity);
        if (length == 0)
            return {};
        if (length < path.size ())
        {
            path.resize (length);
            break;
        }
        path.resize (path.size () * 2);
    }
    try
    {
        return folderOf (CMVXUtf16Text::toUtf8 (path));
    }
    catch (const CMVXTextConversionError&)
    {
        return {};
    }
}
#endif

// The file that holds this very function: the plug-in library when loaded as one.
std::string folderOfThisCode ()
{
#ifdef _WIN32
    HMODULE module = nullptr;
    if (!GetModuleHandleExW (GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS
                                 | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             reinterpret_cast<LPCWSTR> (&folderOfThisCode), &module))
        return {};
    return folderOfModule (module);
#else
    Dl_info info {};
    if (dladdr (reinterpret_cast<void*> (&folderOfThisCode), &info) == 0 || !info.dli_fname)
        return {};
    return folderOf (info.dli_fname);
#endif
}

}   // namespace

void CMVXModuleInfo::recordModule (void* moduleHandle)
{
#ifdef _WIN32
    // DllMain hands over the library's own handle.
    std::string folder =
        moduleHandle ? folderOfModule (static_cast<HMODULE> (moduleHandle)) : folderOfThisCode ();
#else
    std::string folder = folderOfThisCode ();
#endif
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
