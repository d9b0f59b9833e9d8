// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the tools look for the plug-in when not told: an Overmoor.vst3 beside the program
// or up to two folders above it (a build tree's, an unpacked archive's), else the user's VST3
// folder, else the system's (/usr/lib/vst3, then /usr/local/lib/vst3; on Windows
// %CommonProgramFiles%\VST3).
#include <string>

namespace Morvane {
namespace Render {

// The bundle to load: explicit if given, else the first existing default. Empty with a reason
// when nothing is found.
std::string locatePlugin (const std::string& explicitPath, std::string& error);

// The installed bundles' folders, for help texts ("~/.vst3, /usr/lib/vst3 or /usr/local/lib/vst3").
extern const char* const kInstalledFolders;

}   // namespace Render
}   // namespace Morvane
