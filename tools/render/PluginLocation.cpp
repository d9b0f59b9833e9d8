// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/PluginLocation.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace Morvane {
namespace Render {

namespace
{
const char* const kSystemBundles[] = {"/usr/lib/vst3/Overmoor.vst3", "/usr/local/lib/vst3/Overmoor.vst3"};

bool isDirectory (const std::string& path)
{
    struct stat status {};
    return !path.empty () && ::stat (path.c_str (), &status) == 0 && S_ISDIR (status.st_mode);
}

bool exists (const std::string& path)
{
    struct stat status {};
    return !path.empty () && ::stat (path.c_str (), &status) == 0;
}

// A build tree's bundle, two folders above the tools (tools/render/overmoor-render), or an unpacked
// archive's, one above them (bin/overmoor-render): the first Overmoor.vst3 beside the program or in
// a folder above it, up to two levels.
std::string bundleNearProgram ()
{
    std::error_code error;
    std::filesystem::path folder =
        std::filesystem::read_symlink ("/proc/self/exe", error).parent_path ();
    for (int level = 0; !error && level <= 2 && !folder.empty ();
         ++level, folder = folder.parent_path ())
    {
        const std::string candidate = (folder / "Overmoor.vst3").string ();
        if (isDirectory (candidate))
            return candidate;
        if (folder == folder.root_path ())
            break;
    }
    return {};
}

std::string userBundle ()
{
    const char* home = std::getenv ("HOME");
    return home && *home ? std::string (home) + "/.vst3/Overmoor.vst3" : std::string ();
}
} // namespace

std::string locatePlugin (const std::string& explicitPath, std::string& error)
{
    if (!explicitPath.empty ())
    {
        std::string folder = explicitPath;
        while (folder.size () > 1 && folder.back () == '/')
            folder.pop_back ();
        const bool isBundleName = folder.size () > 5 && folder.compare (folder.size () - 5, 5, ".vst3") == 0;
        if (isDirectory (explicitPath) && !isBundleName)
        {
            error = "'" + explicitPath + "' is a folder but no VST3 bundle (a bundle is a folder "
                    "named NAME.vst3 holding Contents/x86_64-linux/NAME.so)";
            return {};
        }
        if (exists (explicitPath))
            return explicitPath;
        error = "plug-in bundle '" + explicitPath + "' not found (" + std::strerror (errno) + ")";
        return {};
    }
    if (const std::string nearProgram = bundleNearProgram (); !nearProgram.empty ())
        return nearProgram;
    const std::string user = userBundle ();
    // Then where packages put it, in the order Linux hosts search.
    std::string lookedFor = "Overmoor.vst3 in the program's folder and the two above it, ";
    for (const std::string& candidate : {user, std::string (kSystemBundles[0]), std::string (kSystemBundles[1])})
    {
        if (isDirectory (candidate))
            return candidate;
        lookedFor += (candidate.empty () ? std::string ("~/.vst3/Overmoor.vst3") : candidate) + ", ";
    }
    lookedFor.resize (lookedFor.size () - 2);
    error = "no Overmoor.vst3 found (looked for " + lookedFor + "); install or build it, or pass --plugin PATH";
    return {};
}

} // namespace Render
} // namespace Morvane
