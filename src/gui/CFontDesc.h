// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A font by family name, size in pixels and style; the backend font is made on first use.
#include "CBaseObject.h"
#include "SharedPointer.h"
#include <string>

namespace VSTGUI {

class IPlatformFont;

enum CTxtFace : int32_t
{
    kNormalFace = 0,
    kBoldFace = 1 << 1,
    kItalicFace = 1 << 2,
    kUnderlineFace = 1 << 3,
    kStrikethroughFace = 1 << 4,
};

class CFontDesc : public CBaseObject
{
public:
    explicit CFontDesc (const std::string& name = "", CCoord size = 0, int32_t style = kNormalFace);
    CFontDesc (const CFontDesc& other);
    ~CFontDesc () override;

    const std::string& getName () const { return name; }
    CCoord getSize () const { return size; }
    int32_t getStyle () const { return style; }
    void setName (const std::string& newName);
    void setSize (CCoord newSize);
    void setStyle (int32_t newStyle);

    // The backend's font, made when first asked for; null when no font could be made.
    IPlatformFont* getPlatformFont ();

    bool isTypeOf (IdStringPtr n) const override;
    CBaseObject* newCopy () const override { return new CFontDesc (*this); }
    bool operator== (const CFontDesc& o) const
    {
        return name == o.name && size == o.size && style == o.style;
    }

private:
    std::string name;
    CCoord size;
    int32_t style;
    SharedPointer<IPlatformFont> platformFont;
};

using CFontRef = CFontDesc*;

}   // namespace VSTGUI
