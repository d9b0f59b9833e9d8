// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/PluginLocation.h"
#include "render/PluginLocationPlatform.h"
#include <cstdlib>

namespace Morvane {
namespace Render {

const char* const kInstalledFolders = "~/.vst3, /usr/lib/vst3 or /usr/local/lib/vst3";
const char* const kBundleLibraryInside = "Contents/x86_64-linux/NAME.so";

std::filesystem::path programFolder ()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink ("/proc/self/exe", error);
    return error ? std::filesystem::path () : program.parent_path ();
}

std::vector<InstalledBundle> installedBundles ()
{
    const char* home = std::getenv ("HOME");
    const std::string user =
        home && *home ? std::string (home) + "/.vst3/Overmoor.vst3" : std::string ();
    return {{user, user.empty () ? "~/.vst3/Overmoor.vst3" : user},
            {"/usr/lib/vst3/Overmoor.vst3", "/usr/lib/vst3/Overmoor.vst3"},
            {"/usr/local/lib/vst3/Overmoor.vst3", "/usr/local/lib/vst3/Overmoor.vst3"}};
}

}   // namespace Render
}   // namespace Morvane
