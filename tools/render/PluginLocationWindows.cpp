// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/PluginLocation.h"
#include "render/PluginLocationPlatform.h"
#include <windows.h>

namespace Morvane {
namespace Render {

const char* const kInstalledFolders = "%CommonProgramFiles%\\VST3";
const char* const kBundleLibraryInside = "Contents\\x86_64-win\\NAME.vst3";

std::filesystem::path programFolder ()
{
    std::wstring path (MAX_PATH, L'\0');
    for (;;)
    {
        const DWORD length =
            GetModuleFileNameW (nullptr, path.data (), static_cast<DWORD> (path.size ()));
        if (length == 0)
            return {};
        if (length < path.size ())
        {
            path.resize (length);
            return std::filesystem::path (path).parent_path ();
        }
        path.resize (path.size () * 2);   // truncated: a long path
    }
}

std::vector<InstalledBundle> installedBundles ()
{
    const DWORD length = GetEnvironmentVariableW (L"CommonProgramFiles", nullptr, 0);
    std::wstring folder (length, L'\0');
    if (length == 0
        || GetEnvironmentVariableW (L"CommonProgramFiles", folder.data (), length) + 1 != length)
        return {{{}, "%CommonProgramFiles%\\VST3\\Overmoor.vst3"}};
    folder.resize (length - 1);
    const std::filesystem::path bundle =
        std::filesystem::path (folder) / L"VST3" / L"Overmoor.vst3";
    return {{bundle, bundle.u8string ()}};
}

}   // namespace Render
}   // namespace Morvane
