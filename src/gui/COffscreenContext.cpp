// SPDX-License-Identifier: GPL-3.0-or-later
#include "COffscreenContext.h"
#include "platform/IPlatformBitmap.h"
#include <cmath>

namespace VSTGUI {

COffscreenContext::COffscreenContext (SharedPointer<CBitmap> b, double scale)
: CDrawContext (CRect (0, 0, b->getWidth (), b->getHeight ()), scale), bitmap (std::move (b))
{}

SharedPointer<COffscreenContext> COffscreenContext::create (CCoord width, CCoord height,
                                                            double scaleFactor)
{
    if (!(scaleFactor > 0))
        scaleFactor = 1.;
    auto pixels = IPlatformBitmap::create (static_cast<int> (std::ceil (width * scaleFactor)),
                                           static_cast<int> (std::ceil (height * scaleFactor)));
    if (!pixels)
        return nullptr;
    pixels->setScaleFactor (scaleFactor);
    return createOnBitmap (owned (new CBitmap (pixels)), scaleFactor);
}

void COffscreenContext::copyFrom (CDrawContext* destination, const CRect& destRect,
                                  const CPoint& srcOffset)
{
    if (destination)
        destination->drawBitmap (bitmap, destRect, srcOffset, 1.f);
}

bool COffscreenContext::writePng (const std::string& path) const
{
    return bitmap && bitmap->getPlatformBitmap () && bitmap->getPlatformBitmap ()->writePng (path);
}

}   // namespace VSTGUI
