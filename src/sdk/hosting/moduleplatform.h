// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What loading a library means on one platform; module.cpp holds the rest of Module.
#include <string>

namespace VST3 {
namespace Hosting {
namespace Platform {

// The bundle's folder for this machine's libraries, e.g. "x86_64-linux" or "x86_64-win".
std::string architectureFolder ();
// The library's file name ending inside that folder: ".so" or ".vst3".
const char* librarySuffix ();
// Entry and exit functions hosts call around the factory, in the order they look them up.
const char* entryName ();
const char* exitName ();
// Calls the entry function found under entryName () with the platform's arguments.
bool callEntry (void* entrySymbol, void* libraryHandle);

// Null with errorDescription set when the library cannot be opened.
void* openLibrary (const std::string& libraryPath, std::string& errorDescription);
void* findSymbol (void* libraryHandle, const char* symbolName);
void closeLibrary (void* libraryHandle);

}   // namespace Platform
}   // namespace Hosting
}   // namespace VST3
