// SPDX-License-Identifier: GPL-3.0-or-later
#include "CMovieBitmap.h"
#include "CBitmap.h"

namespace VSTGUI {

CMovieBitmap::CMovieBitmap (const CRect& s, CControlListener* l, int32_t t, CBitmap* background,
                            const CPoint& offset)
: CControl (s, l, t, background), bitmapOffset (offset)
{
    heightOfOneImage = s.getHeight ();
    autoComputeHeightOfOneImage (background);
    setMouseEnabled (false);
}

CMovieBitmap::CMovieBitmap (const CRect& s, CControlListener* l, int32_t t, int32_t frames,
                            CCoord frameHeight, CBitmap* background, const CPoint& offset)
: CControl (s, l, t, background), bitmapOffset (offset)
{
    subPixmaps = frames;
    heightOfOneImage = frameHeight;
    setMouseEnabled (false);
}

int32_t CMovieBitmap::getFrameIndex () const
{
    return frameIndexFor (getValueNormalized ());
}

void CMovieBitmap::draw (CDrawContext* context)
{
    if (CBitmap* bitmap = getBackground ())
    {
        const CPoint where (bitmapOffset.x, bitmapOffset.y + heightOfOneImage * getFrameIndex ());
        bitmap->draw (context, size, where, getAlphaValue ());
    }
    setDirty (false);
}

bool CMovieBitmap::isTypeOf (IdStringPtr name) const
{
    return std::strcmp (name, "CMovieBitmap") == 0 || CControl::isTypeOf (name);
}

}   // namespace VSTGUI
