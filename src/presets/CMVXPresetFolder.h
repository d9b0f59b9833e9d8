// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder of user preset files: where it is, safe file names, listing, crash-safe writes;
// also where the user's other Overmoor settings live.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace CMVXPresetFolder {

constexpr const char* kExtension = ".vstpreset";
constexpr size_t kMaxFileBytes = 1 << 20;   // larger files are not presets of ours

// OVERMOOR_PRESET_DIR when set, else $HOME/.vst3/presets/Morvane/Overmoor (HOME from the
// environment, else the password database); on Windows the user's Documents folder (usually
// %USERPROFILE%\Documents) + "\VST3 Presets\Morvane\Overmoor". Empty when no home can be found.
// Paths are UTF-8 on every platform.
std::string defaultDirectory ();

// The user's settings folder for Overmoor (window zoom, the live host's state):
// $XDG_CONFIG_HOME/Overmoor when that is absolute, else $HOME/.config/Overmoor; on Windows
// %APPDATA%\Overmoor. Empty when no such folder can be found.
std::string settingsDirectory ();

// How file names are checked: the rules of the system the plug-in runs on, or of another one
// (tests look at both).
enum class FileNameRules
{
    posix,
    windows
};
#ifdef _WIN32
constexpr FileNameRules kNativeRules = FileNameRules::windows;
#else
constexpr FileNameRules kNativeRules = FileNameRules::posix;
#endif

// The preset name as a file name stem, changed only where the file system forbids it: "/",
// control characters and (Windows) <>:"\|?* become "_"; a leading "." (hidden) and an empty
// name become "_"; Windows device names (CON, NUL, COM1, ...) get "_" appended; long names are
// cut at a character boundary.
std::string fileStemFor (const std::string& presetName, FileNameRules rules = kNativeRules);

// The stem, " (N)" when clashNumber > 1 (another preset holds the plain name), and kExtension.
std::string fileNameFor (const std::string& presetName, int clashNumber = 1,
                         FileNameRules rules = kNativeRules);

// N when fileName equals fileNameFor (presetName, N), else 0.
int clashNumberOf (const std::string& fileName, const std::string& presetName,
                   FileNameRules rules = kNativeRules);

// File names compared ignoring case, as Windows and most removable and network file systems do
// (ASCII and Latin-1 letters).
std::string foldCase (const std::string& text);

// A name listPresetFiles accepts: not hidden, ending in kExtension.
bool isPresetFileName (const std::string& name);

// Names of the regular, non-hidden *.vstpreset files in the folder, sorted; empty if unreadable.
std::vector<std::string> listPresetFiles (const std::string& directory);

// The whole file, or nothing when it is missing, unreadable, not regular or too large.
std::optional<std::vector<char>> readFile (const std::string& path);

// Creates the folder and its parents (with the user's default permissions); true when it exists
// afterwards.
bool makeDirectories (const std::string& directory);

// Writes a temporary file in the same folder, flushes it to disk and renames it over the target,
// so the target holds either its old or its new content at every moment. False on any failure,
// in which case the target is untouched and the temporary file removed.
bool writeFileAtomically (const std::string& directory, const std::string& fileName,
                          const std::vector<char>& bytes);

bool removeFile (const std::string& path);

std::string pathOf (const std::string& directory, const std::string& fileName);

}   // namespace CMVXPresetFolder
