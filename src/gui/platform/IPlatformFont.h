// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawing backend's font behind a CFontDesc.
#include "../CBaseObject.h"
#include "../SharedPointer.h"
#include <string>

namespace VSTGUI {

class IPlatformFont : public CBaseObject
{
public:
    // Null when the backend cannot make any font at all; a missing family falls back instead.
    static SharedPointer<IPlatformFont> create (const std::string& name, CCoord sizePixels,
                                                int32_t style);

    virtual CCoord getAscent () const = 0;
    virtual CCoord getDescent () const = 0;
    virtual CCoord getStringWidth (UTF8StringPtr utf8) const = 0;
};

}   // namespace VSTGUI
