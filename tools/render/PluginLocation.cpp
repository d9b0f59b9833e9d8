// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/PluginLocation.h"
#include "render/PluginLocationPlatform.h"

#include <filesystem>
#include <system_error>

namespace Morvane {
namespace Render {

namespace {
namespace fs = std::filesystem;

bool isDirectory (const fs::path& path)
{
    std::error_code error;
    return !path.empty () && fs::is_directory (path, error);
}

// A build tree's bundle, two folders above the tools (tools/render/overmoor-render), or an unpacked
// archive's, one above them (bin/overmoor-render): the first Overmoor.vst3 beside the program or in
// a folder above it, up to two levels.
std::string bundleNearProgram ()
{
    fs::path folder = programFolder ();
    for (int level = 0; level <= 2 && !folder.empty (); ++level, folder = folder.parent_path ())
    {
        const fs::path candidate = folder / "Overmoor.vst3";
        if (isDirectory (candidate))
            return candidate.u8string ();
        if (folder == folder.root_path ())
            break;
    }
    return {};
}
}   // namespace

std::string locatePlugin (const std::string& explicitPath, std::string& error)
{
    if (!explicitPath.empty ())
    {
        const fs::path path = fs::u8path (explicitPath);
        std::string folder = explicitPath;
        while (folder.size () > 1
               && (folder.back () == '/' || folder.back () == fs::path::preferred_separator))
            folder.pop_back ();
        const bool isBundleName =
            folder.size () > 5 && folder.compare (folder.size () - 5, 5, ".vst3") == 0;
        if (isDirectory (path) && !isBundleName)
        {
            error = "'" + explicitPath
                    + "' is a folder but no VST3 bundle (a bundle is a folder "
                      "named NAME.vst3 holding "
                    + std::string (kBundleLibraryInside) + ")";
            return {};
        }
        std::error_code status;
        if (fs::exists (fs::status (path, status)))
            return explicitPath;
        error = "plug-in bundle '" + explicitPath + "' not found (" + status.message () + ")";
        return {};
    }
    if (const std::string nearProgram = bundleNearProgram (); !nearProgram.empty ())
        return nearProgram;
    // Then where the system's hosts look, in their order.
    std::string lookedFor = "Overmoor.vst3 in the program's folder and the two above it";
    for (const InstalledBundle& candidate : installedBundles ())
    {
        if (isDirectory (candidate.path))
            return candidate.path.u8string ();
        lookedFor += ", " + candidate.shownAs;
    }
    error = "no Overmoor.vst3 found (looked for " + lookedFor
            + "); install or build it, or pass --plugin PATH";
    return {};
}

}   // namespace Render
}   // namespace Morvane
