// SPDX-License-Identifier: GPL-3.0-or-later
// The window's bitmaps on Windows: PNG resources of the plug-in's module (the handle DllMain
// recorded, or the module holding this code when it is linked into a test), by integer name.
// Other scales are the nearest PNG, scaled when drawn.
#include "resources/BitmapSource.h"
#include "entry/CMVXModuleInfo.h"
#include <windows.h>

namespace Morvane::Resources {
namespace {

HMODULE ownModule ()
{
    if (void* recorded = CMVXModuleInfo::getHandle ())
        return static_cast<HMODULE> (recorded);
    HMODULE module = nullptr;
    GetModuleHandleExW (GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS
                            | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                        reinterpret_cast<LPCWSTR> (&ownModule), &module);
    return module;
}

class ResourceSource : public VSTGUI::IBitmapSource
{
public:
    Png findPng (int32_t id, int scale) const override
    {
        // 1x under the bitmap's id, 2x under the id plus 10000 (as the build names them).
        if (id <= 0 || id >= 10000 || scale < 1 || scale > 2)
            return {};
        const HMODULE module = ownModule ();
        HRSRC found = FindResourceW (module, MAKEINTRESOURCEW (id + 10000 * (scale - 1)), L"PNG");
        HGLOBAL loaded = found ? LoadResource (module, found) : nullptr;
        const void* bytes = loaded ? LockResource (loaded) : nullptr;
        const DWORD size = found ? SizeofResource (module, found) : 0;
        return bytes && size > 0 ? Png {bytes, size} : Png {};
    }
};

} // namespace

const VSTGUI::IBitmapSource& bitmapSource ()
{
    static const ResourceSource source;
    return source;
}

} // namespace Morvane::Resources
