// SPDX-License-Identifier: GPL-3.0-or-later
#include "CFontDesc.h"
#include "platform/IPlatformFont.h"

namespace VSTGUI {

CFontDesc::CFontDesc (const std::string& n, CCoord s, int32_t st) : name (n), size (s), style (st)
{}

CFontDesc::CFontDesc (const CFontDesc& other)
: CBaseObject (other), name (other.name), size (other.size), style (other.style)
{}

CFontDesc::~CFontDesc () = default;

void CFontDesc::setName (const std::string& newName)
{
    name = newName;
    platformFont = nullptr;
}

void CFontDesc::setSize (CCoord newSize)
{
    size = newSize;
    platformFont = nullptr;
}

void CFontDesc::setStyle (int32_t newStyle)
{
    style = newStyle;
    platformFont = nullptr;
}

IPlatformFont* CFontDesc::getPlatformFont ()
{
    if (!platformFont)
        platformFont = IPlatformFont::create (name, size, style);
    return platformFont;
}

bool CFontDesc::isTypeOf (IdStringPtr n) const
{
    return std::strcmp (n, "CFontDesc") == 0 || CBaseObject::isTypeOf (n);
}

}   // namespace VSTGUI
