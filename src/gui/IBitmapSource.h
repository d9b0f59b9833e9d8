// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where bitmaps by resource id come from. The widget layer has no pictures of its own: the
// application registers a source (CBitmap::setResourceSource) before it loads any by id.
#include "SharedPointer.h"
#include "platform/IPlatformBitmap.h"
#include <cstddef>
#include <cstdint>

namespace VSTGUI {

class IBitmapSource
{
public:
    struct Png
    {
        const void* bytes = nullptr;
        std::size_t size = 0;
    };

    virtual ~IBitmapSource () = default;
    // The PNG of a picture prepared at an integer scale (pixels per unit); empty when there is
    // none. The bytes stay valid as long as the source.
    virtual Png findPng (int32_t id, int scale) const = 0;
    // The picture drawn for a scale no PNG was prepared at, or null: the nearest prepared
    // rendering is then scaled by the context.
    virtual SharedPointer<IPlatformBitmap> render (int32_t /*id*/, double /*scale*/) const
    {
        return nullptr;
    }
};

}   // namespace VSTGUI
