// SPDX-License-Identifier: GPL-3.0-or-later
#include "COffscreenContext.h"
#include "platform/IPlatformBitmap.h"

namespace VSTGUI {

COffscreenContext::COffscreenContext (SharedPointer<CBitmap> b, double scale)
: CDrawContext (CRect (0, 0, b->getWidth (), b->getHeight ()), scale), bitmap (std::move (b))
{}

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
