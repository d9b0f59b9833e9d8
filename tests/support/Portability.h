// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The few process facilities tests need, on Linux and on Windows (under Wine).
#include <filesystem>
#include <string>
#ifdef _WIN32
#include <windows.h>
#include <cstdlib>
#else
#include <stdlib.h>
#endif

namespace Morvane {
namespace Test {

#ifdef _WIN32
inline std::wstring widenedForTest (const std::string& text)
{
    const int size = int (text.size ());
    const int length = MultiByteToWideChar (CP_UTF8, 0, text.data (), size, nullptr, 0);
    std::wstring wide (size_t (length), L'\0');
    MultiByteToWideChar (CP_UTF8, 0, text.data (), size, wide.data (), length);
    return wide;
}

// An exported function of a loaded library, or null.
template <typename Function>
Function symbolOf (HMODULE module, const char* name)
{
    return reinterpret_cast<Function> (reinterpret_cast<void*> (GetProcAddress (module, name)));
}
#endif

// Sets a variable of this process's environment (UTF-8 value), or removes it for nullptr.
inline void setEnvironment (const char* name, const char* value)
{
#ifdef _WIN32
    // The wide form, so that values outside the ANSI code page reach _wgetenv intact.
    _wputenv_s (widenedForTest (name).c_str (), value ? widenedForTest (value).c_str () : L"");
#else
    value ? ::setenv (name, value, 1) : ::unsetenv (name);
#endif
}

// A new, empty folder "<temporary folder>/<prefix><unique>"; empty when none can be made.
inline std::string makeTemporaryFolder (const std::string& prefix)
{
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path (error);
    if (error)
        return {};
#ifdef _WIN32
    for (unsigned attempt = 0; attempt < 1000; ++attempt)
    {
        const std::string unique = std::to_string (GetCurrentProcessId ()) + "-"
                                   + std::to_string (GetTickCount () + attempt);
        const std::filesystem::path folder = base / (prefix + unique);
        if (std::filesystem::create_directory (folder, error))
            return folder.u8string ();
    }
    return {};
#else
    std::string pattern = (base / (prefix + "XXXXXX")).string ();
    return ::mkdtemp (pattern.data ()) ? pattern : std::string ();
#endif
}

}   // namespace Test
}   // namespace Morvane
