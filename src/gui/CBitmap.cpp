// SPDX-License-Identifier: GPL-3.0-or-later
#include "CBitmap.h"
#include "CDrawContext.h"
#include "platform/IPlatformBitmap.h"
#include <algorithm>
#include <cmath>

namespace VSTGUI {
namespace {

const IBitmapSource*& resourceSource ()
{
    static const IBitmapSource* source = nullptr;
    return source;
}

SharedPointer<IPlatformBitmap> loadResource (const CResourceDescription& desc, int scale = 1)
{
    if (desc.type == CResourceDescription::kStringType)
        return scale == 1 ? IPlatformBitmap::createFromPngFile (desc.name) : nullptr;
    const IBitmapSource* source = resourceSource ();
    if (desc.type != CResourceDescription::kIntegerType || !source)
        return nullptr;
    const IBitmapSource::Png png = source->findPng (desc.id, scale);
    if (!png.bytes || png.size == 0)
        return nullptr;
    auto bitmap = IPlatformBitmap::createFromPngMemory (png.bytes, png.size);
    if (bitmap)
        bitmap->setScaleFactor (scale);
    return bitmap;
}

}   // namespace

void CBitmap::setResourceSource (const IBitmapSource* source)
{
    resourceSource () = source;
}

CBitmap::CBitmap (const CResourceDescription& desc)
: resourceDesc (desc), platformBitmap (loadResource (desc))
{}

CBitmap::CBitmap (CCoord width, CCoord height)
: platformBitmap (
    IPlatformBitmap::create (static_cast<int> (width + 0.5), static_cast<int> (height + 0.5)))
{}

CBitmap::CBitmap (SharedPointer<IPlatformBitmap> bitmap) : platformBitmap (std::move (bitmap))
{}

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

bool CBitmap::addBitmap (SharedPointer<IPlatformBitmap> bitmap)
{
    if (!bitmap || !platformBitmap)
        return false;
    const CPoint logical (bitmap->getSize ().x / bitmap->getScaleFactor (),
                          bitmap->getSize ().y / bitmap->getScaleFactor ());
    if (std::abs (logical.x - getWidth ()) > 0.5 || std::abs (logical.y - getHeight ()) > 0.5)
        return false;
    higherScales.push_back (std::move (bitmap));
    return true;
}

IPlatformBitmap* CBitmap::getBestPlatformBitmapForScaleFactor (double scaleFactor)
{
    bool exact = false;
    if (scaleFactor != 1. && scaleFactor != 2. && platformBitmap
        && resourceDesc.type == CResourceDescription::kIntegerType)
    {
        if (std::find (artworkScalesTried.begin (), artworkScalesTried.end (), scaleFactor)
            == artworkScalesTried.end ())
        {
            artworkScalesTried.push_back (scaleFactor);
            // Frames are whole pixel rows at every scale, so the total may differ from the
            // logical height times the scale by a fraction of a pixel per frame: no size check.
            const IBitmapSource* source = resourceSource ();
            if (auto drawn = source ? source->render (resourceDesc.id, scaleFactor) : nullptr)
                higherScales.push_back (std::move (drawn));
        }
        const auto atThisScale = [scaleFactor] (const auto& b) {
            return b->getScaleFactor () == scaleFactor;
        };
        exact = std::any_of (higherScales.begin (), higherScales.end (), atThisScale);
    }
    // The prepared 2x serves 2x, and any scale above 1 the source could not draw at.
    if (scaleFactor > 1. && !exact && !higherScaleTried && platformBitmap)
    {
        higherScaleTried = true;
        addBitmap (loadResource (resourceDesc, 2));
    }
    // The lowest scale that is at least the context's, else the highest there is.
    IPlatformBitmap* best = platformBitmap;
    for (const auto& candidate : higherScales)
    {
        const double have = best ? best->getScaleFactor () : 0.;
        const double offer = candidate->getScaleFactor ();
        if ((have < scaleFactor && offer > have) || (offer >= scaleFactor && offer < have))
            best = candidate;
    }
    return best;
}

bool CBitmap::isTypeOf (IdStringPtr n) const
{
    return std::strcmp (n, "CBitmap") == 0 || CBaseObject::isTypeOf (n);
}

}   // namespace VSTGUI
