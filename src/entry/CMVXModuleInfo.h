// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the plug-in library lives: its module handle and the folder of its file, recorded when the
// host loads it. Code that reads files next to the library (the editor's resources) asks here.
#include <string>

class CMVXModuleInfo
{
public:
    // Called from the library's load entry (ModuleEntry, or DllMain on Windows).
    static void recordModule (void* moduleHandle);
    static void forgetModule ();

    // Null until the host has loaded the library through its entry point.
    static void* getHandle ();
    // Folder that holds the library file, without a trailing separator. Before the entry point ran
    // (tests linking the code statically) it is the folder of the binary that contains this code.
    static std::string getFolder ();
    // The bundle's Contents/Resources folder, derived from getFolder ().
    static std::string getResourcesFolder ();
};
