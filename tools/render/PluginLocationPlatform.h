// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's side of the bundle lookup: where the running program is and where installed
// bundles live.
#include <filesystem>
#include <vector>
#include <string>

namespace Morvane {
namespace Render {

// What a bundle holds, for messages.
extern const char* const kBundleLibraryInside;

// The running program's folder; empty when the system does not say.
std::filesystem::path programFolder ();

struct InstalledBundle
{
    std::filesystem::path path;   // empty when its folder is unknown (no home folder)
    std::string shownAs;   // for the message listing where we looked
};

// The user's and the system's VST3 folders' Overmoor.vst3, in the order hosts search them.
std::vector<InstalledBundle> installedBundles ();

}   // namespace Render
}   // namespace Morvane
