// SPDX-License-Identifier: GPL-3.0-or-later
#include "CBitmap.h"
#include "CDrawContext.h"
#include "platform/IPlatformBitmap.h"
#ifdef OVERMOOR_GUI_EMBEDDED_PNG
#include "resources/EmbeddedPng.h"
#endif

namespace VSTGUI {
namespace {

SharedPointer<IPlatformBitmap> loadResource (const CResourceDescription& desc)
{
    if (desc.type == CResourceDescription::kStringType)
        return IPlatformBitmap::createFromPngFile (desc.name);
#ifdef OVERMOOR_GUI_EMBEDDED_PNG
    if (desc.type == CResourceDescription::kIntegerType)
    {
        const auto png = Morvane::Resources::findPng (desc.id, 1);
        if (png.bytes && png.size > 0)
            return IPlatformBitmap::createFromPngMemory (png.bytes, png.size);
    }
#endif
    return nullptr;
}

} // namespace

CBitmap::CBitmap (const CResourceDescription& desc)
    : resourceDesc (desc), platformBitmap (loadResource (desc))
{
}

CBitmap::CBitmap (CCoord width, CCoord height)
    : platformBitmap (IPlatformBitmap::create (static_cast<int> (width + 0.5),
                                               static_cast<int> (height + 0.5)))
{
}

CBitmap::CBitmap (SharedPointer<IPlatformBitmap> bitmap) : platformBitmap (std::move (bitmap)) {}

CBitmap::~CBitmap () = default;

SharedPointer<CBitmap> CBitmap::fromPngFile (const std::string& path)
{
    auto bitmap = IPlatformBitmap::createFromPngFile (path);
    return bitmap ? owned (new CBitmap (bitmap)) : nullptr;
}

SharedPointer<CBitmap> CBitmap::fromPngMemory (const void* bytes, std::size_t size)
{
    auto bitmap = IPlatformBitmap::createFromPngMemory (bytes, size);
    return bitmap ? owned (new CBitmap (bitmap)) : nullptr;
}

CCoord CBitmap::getWidth () const
{
    return platformBitmap ? platformBitmap->getSize ().x / platformBitmap->getScaleFactor () : 0;
}

CCoord CBitmap::getHeight () const
{
    return platformBitmap ? platformBitmap->getSize ().y / platformBitmap->getScaleFactor () : 0;
}

void CBitmap::draw (CDrawContext* context, const CRect& rect, const CPoint& offset, float alpha)
{
    if (context)
        context->drawBitmap (this, rect, offset, alpha);
}

void CBitmap::setPlatformBitmap (SharedPointer<IPlatformBitmap> bitmap)
{
    platformBitmap = std::move (bitmap);
}

bool CBitmap::isTypeOf (IdStringPtr n) const
{
    return std::strcmp (n, "CBitmap") == 0 || CBaseObject::isTypeOf (n);
}

} // namespace VSTGUI
