// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawing backend's pixel store behind a CBitmap: PNG decoding and encoding included.
#include "../CBaseObject.h"
#include "../CPoint.h"
#include "../SharedPointer.h"
#include <cstddef>
#include <string>

namespace VSTGUI {

class IPlatformBitmap : public CBaseObject
{
public:
    // Each returns null on failure (bad PNG data, unreadable file, impossible size).
    static SharedPointer<IPlatformBitmap> create (int width, int height);
    static SharedPointer<IPlatformBitmap> createFromPngMemory (const void* bytes, std::size_t size);
    static SharedPointer<IPlatformBitmap> createFromPngFile (const std::string& path);

    // Size in pixels.
    virtual CPoint getSize () const = 0;
    // Pixels per logical unit: a 2x bitmap draws at half its pixel size.
    virtual double getScaleFactor () const = 0;
    virtual void setScaleFactor (double factor) = 0;
    virtual bool writePng (const std::string& path) const = 0;
};

}   // namespace VSTGUI
