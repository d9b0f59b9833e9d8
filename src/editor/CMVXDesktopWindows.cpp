// SPDX-License-Identifier: GPL-3.0-or-later
#ifdef _WIN32
#include "editor/CMVXDesktop.h"
#include "entry/CMVXModuleInfo.h"
#include "framework/CMVXUtf16Text.h"
#include <windows.h>
#include <shellapi.h>
#include <cstdint>

namespace Morvane {
namespace Desktop {

bool openDocument (const std::string& pathOrUrl)
{
    if (pathOrUrl.empty ())
        return false;
    try
    {
        const HINSTANCE result =
            ShellExecuteW (nullptr, L"open", CMVXUtf16Text::fromUtf8 (pathOrUrl).c_str (), nullptr,
                           nullptr, SW_SHOWDEFAULT);
        return reinterpret_cast<intptr_t> (result) > 32;
    }
    catch (const CMVXTextConversionError&)
    {
        return false;
    }
}

namespace {

// The bundle's Contents\Resources folder, with a closing backslash.
std::string bundleResources ()
{
    std::string folder = CMVXModuleInfo::getResourcesFolder () + "\\";
    for (char& c : folder)
        if (c == '/')
            c = '\\';
    return folder;
}

}   // namespace

// The installer records where it put the manual; without it, the bundle's own copy.
std::string helpDirectory ()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW (HKEY_LOCAL_MACHINE, L"Software\\Morvane\\Stravel\\Overmoor", 0, KEY_READ,
                       &key)
        != ERROR_SUCCESS)
        return bundleResources ();
    wchar_t value[260] = {};   // 520 bytes
    DWORD size = sizeof (value) - sizeof (wchar_t);   // room for the end the registry may omit
    DWORD type = 0;
    const LONG read = RegQueryValueExW (key, L"HelpPath", nullptr, &type,
                                        reinterpret_cast<LPBYTE> (value), &size);
    RegCloseKey (key);
    if (read != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return bundleResources ();
    std::string path;
    try
    {
        path = CMVXUtf16Text::toUtf8 (value);
    }
    catch (const CMVXTextConversionError&)
    {
        return {};
    }
    const size_t slash = path.rfind ('\\');
    return slash == std::string::npos ? bundleResources () : path.substr (0, slash + 1);
}

}   // namespace Desktop
}   // namespace Morvane
#endif
