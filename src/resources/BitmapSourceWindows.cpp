// SPDX-License-Identifier: GPL-3.0-or-later
// The window's bitmaps on Windows: PNG resources of the plug-in's module (the handle DllMain
// recorded, or the module holding this code when it is linked into a test), by integer name, at
// 1x, 2x and 3x. Another scale is the next larger PNG averaged down once, frame by frame.
#include "resources/BitmapSource.h"
#include "entry/CMVXModuleInfo.h"
#include "gui/platform/direct2d/WicBitmap.h"
#include "resources/FrameResampler.h"
#include "resources/artwork/Artwork.h"
#include <algorithm>
#include <cmath>
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
        // 1x under the bitmap's id, each scale above under the id plus 10000 more (as the build
        // names them).
        if (id <= 0 || id >= 10000 || scale < 1 || scale > kLargestScale)
            return {};
        const HMODULE module = ownModule ();
        HRSRC found = FindResourceW (module, MAKEINTRESOURCEW (id + 10000 * (scale - 1)), L"PNG");
        HGLOBAL loaded = found ? LoadResource (module, found) : nullptr;
        const void* bytes = loaded ? LockResource (loaded) : nullptr;
        const DWORD size = found ? SizeofResource (module, found) : 0;
        return bytes && size > 0 ? Png {bytes, size} : Png {};
    }

    VSTGUI::SharedPointer<VSTGUI::IPlatformBitmap> render (int32_t id, double scale) const override
    {
        const Artwork::BitmapSize size = Artwork::bitmapSize (id);
        if (size.frames == 0 || !(scale > 0.) || scale > 16.)
            return nullptr;
        // Above the largest the context scales that one up.
        const int from = std::clamp (static_cast<int> (std::ceil (scale)), 1, kLargestScale);
        const Png png = findPng (id, from);
        auto prepared = VSTGUI::IPlatformBitmap::createFromPngMemory (png.bytes, png.size);
        if (!prepared || from <= scale)
        {
            if (prepared)
                prepared->setScaleFactor (from);
            return prepared;
        }
        auto* decoded = static_cast<VSTGUI::WicBitmap*> (prepared.get ());
        const int width = Artwork::pixelWidth (id, from), frameHeight = size.frameHeight () * from;
        std::vector<uint32_t> pixels (static_cast<size_t> (width) * frameHeight * size.frames);
        if (decoded->getSize () != VSTGUI::CPoint (width, frameHeight * size.frames)
            || FAILED (decoded->getWicBitmap ()->CopyPixels (
                nullptr, 4 * width, static_cast<UINT> (4 * pixels.size ()),
                reinterpret_cast<BYTE*> (pixels.data ()))))
            return nullptr;
        const int toWidth = Artwork::pixelWidth (id, scale);
        const int toFrameHeight = Artwork::framePixelHeight (id, scale);
        if (toWidth <= 0 || toFrameHeight <= 0)
            return nullptr;
        std::vector<uint32_t> scaled = resampleFrames (pixels.data (), width, frameHeight,
                                                       size.frames, toWidth, toFrameHeight);
        VSTGUI::D2DBackend::Use backend;
        VSTGUI::ComPtr<IWICBitmap> bitmap;
        if (!backend.ok ()
            || FAILED (backend.wic ()->CreateBitmapFromMemory (
                toWidth, toFrameHeight * size.frames, GUID_WICPixelFormat32bppPBGRA, 4 * toWidth,
                static_cast<UINT> (4 * scaled.size ()), reinterpret_cast<BYTE*> (scaled.data ()),
                &bitmap)))
            return nullptr;
        return VSTGUI::owned<VSTGUI::IPlatformBitmap> (
            new VSTGUI::WicBitmap (backend, bitmap, scale));
    }

private:
    static constexpr int kLargestScale = 3;
};

}   // namespace

const VSTGUI::IBitmapSource& bitmapSource ()
{
    static const ResourceSource source;
    return source;
}

}   // namespace Morvane::Resources
