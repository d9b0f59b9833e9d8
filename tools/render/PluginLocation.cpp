// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/PluginLocation.h"

#include <cstdlib>
#include <sys/stat.h>

#ifndef OVERMOOR_BUILD_TREE_BUNDLE
#define OVERMOOR_BUILD_TREE_BUNDLE ""
#endif

namespace Morvane {
namespace Render {

namespace
{
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
        if (exists (explicitPath))
            return explicitPath;
        error = "plug-in bundle '" + explicitPath + "' not found";
        return {};
    }
    const std::string buildTree = OVERMOOR_BUILD_TREE_BUNDLE;
    if (isDirectory (buildTree))
        return buildTree;
    const std::string user = userBundle ();
    if (isDirectory (user))
        return user;
    error = "no Overmoor.vst3 found (looked for " + (buildTree.empty () ? std::string () : buildTree + " and ") +
            (user.empty () ? std::string ("~/.vst3/Overmoor.vst3") : user) + "); build it or pass --plugin PATH";
    return {};
}

} // namespace Render
} // namespace Morvane
