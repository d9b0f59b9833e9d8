// SPDX-License-Identifier: GPL-3.0-or-later
#include "CDrawContext.h"
#include "CFontDesc.h"

namespace VSTGUI {

CDrawContext::CDrawContext (const CRect& surface, double scale)
: surfaceRect (surface), scaleFactor (scale > 0 ? scale : 1.)
{
    state.clipAbsolute = surfaceRect;
    state.font = owned (new CFontDesc ("Tahoma", 11));
}

CDrawContext::~CDrawContext () = default;

void CDrawContext::setFont (CFontDesc* font, CCoord size, int32_t style)
{
    if (!font)
        return;
    const bool sameSize = size <= 0 || size == font->getSize ();
    const bool sameStyle = style < 0 || style == font->getStyle ();
    if (sameSize && sameStyle)
    {
        state.font = font;
        return;
    }
    state.font = owned (new CFontDesc (font->getName (), sameSize ? font->getSize () : size,
                                       sameStyle ? font->getStyle () : style));
}

void CDrawContext::setClipRect (const CRect& clip)
{
    CRect absolute = clip;
    absolute.offset (state.offset);
    state.clipAbsolute = absolute.bound (surfaceRect);
}

CRect& CDrawContext::getClipRect (CRect& clip) const
{
    clip = state.clipAbsolute;
    return clip.offset (-state.offset.x, -state.offset.y);
}

void CDrawContext::resetClipRect ()
{
    state.clipAbsolute = surfaceRect;
}

void CDrawContext::saveGlobalState ()
{
    stateStack.push_back (state);
}

void CDrawContext::restoreGlobalState ()
{
    if (stateStack.empty ())
        return;
    state = stateStack.back ();
    stateStack.pop_back ();
}

CPoint CDrawContext::textOrigin (const CRect& rect, CHoriTxtAlign align, CCoord width,
                                 CCoord ascent, CCoord descent)
{
    CCoord x = rect.left;
    if (align == kCenterText)
        x = rect.left + (rect.getWidth () - width) / 2;
    else if (align == kRightText)
        x = rect.right - width;
    return CPoint (x, rect.top + (rect.getHeight () - ascent - descent) / 2 + ascent);
}

CDrawContext::Transform::Transform (CDrawContext& c, const CPoint& translation)
: context (c), saved (c.state.offset)
{
    context.state.offset += translation;
}

CDrawContext::Transform::~Transform ()
{
    context.state.offset = saved;
}

}   // namespace VSTGUI
