// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in library with the plug-in's own entry code (DllMain included) that reports what the
// entry code recorded, so a test can load it as a host loads the bundle.
#include "entry/CMVXModuleInfo.h"
#include <string>

extern "C"
{
    __declspec(dllexport) void* overmoorProbeModuleHandle ()
    {
        return CMVXModuleInfo::getHandle ();
    }

    __declspec(dllexport) const char* overmoorProbeModuleFolder ()
    {
        static std::string folder;
        folder = CMVXModuleInfo::getFolder ();
        return folder.c_str ();
    }

}   // extern "C"
