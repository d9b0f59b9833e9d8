// SPDX-License-Identifier: GPL-3.0-or-later
// The library's load and unload entry points. Hosts on Linux call ModuleEntry/ModuleExit around
// their use of the factory; Windows hosts call InitDll/ExitDll, which do nothing: DllMain records
// the module there.
#include "entry/CMVXModuleInfo.h"
#include "pluginterfaces/base/fplatform.h"

#ifdef _WIN32
#include <windows.h>
#endif

#ifndef _WIN32
namespace {
// Hosts may pair several ModuleEntry/ModuleExit calls; the record lives until the last exit.
int gModuleEntryCount = 0;
}   // namespace
#endif

extern "C"
{
    SMTG_EXPORT_SYMBOL bool InitDll ()
    {
        return true;
    }

    SMTG_EXPORT_SYMBOL bool ExitDll ()
    {
        return true;
    }

#ifndef _WIN32
    SMTG_EXPORT_SYMBOL bool ModuleEntry (void* sharedLibraryHandle)
    {
        if (gModuleEntryCount++ == 0)
            CMVXModuleInfo::recordModule (sharedLibraryHandle);
        return true;
    }

    SMTG_EXPORT_SYMBOL bool ModuleExit ()
    {
        if (gModuleEntryCount > 0 && --gModuleEntryCount == 0)
            CMVXModuleInfo::forgetModule ();
        return true;
    }
#endif

}   // extern "C"

#ifdef _WIN32
BOOL WINAPI DllMain (HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        CMVXModuleInfo::recordModule (instance);
    return TRUE;
}
#endif
