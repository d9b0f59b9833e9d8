// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the editor asks of the desktop: open a document or web address with the user's default
// application, and find the folder that holds the manual. One source file per system.
#include <functional>
#include <string>

namespace Morvane {
namespace Desktop {

// Starts the default application for a file path or URL (UTF-8) and returns at once; true when
// it was started. Linux: xdg-open from PATH, the text as its one argument, no shell; false when
// a local file is missing or unreadable (addresses such as "https://..." are not checked) or
// xdg-open cannot be started. Windows: the shell's "open" verb, which fails for a missing file.
bool openDocument (const std::string& pathOrUrl);

// The editor's way to open documents; tests put a recorder in its place.
using DocumentOpener = std::function<bool (const std::string& pathOrUrl)>;

// The folder of "Overmoor Manual.pdf", ending in a separator, or empty (the bare file name is
// then opened). Linux: $OVERMOOR_HELP_PATH when set, else the bundle's Contents/Resources folder.
// Windows: the installer's "HelpPath" registry value up to and including its last backslash,
// else the bundle's Contents\Resources folder.
std::string helpDirectory ();

}   // namespace Desktop
}   // namespace Morvane
