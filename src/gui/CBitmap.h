// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture: decoded from a PNG by resource id (from the registered IBitmapSource), a PNG file or
// PNG bytes, or a blank one to draw into.
#include "CBaseObject.h"
#include "CRect.h"
#include "CResourceDescription.h"
#include "IBitmapSource.h"
#include "SharedPointer.h"
#include <cstddef>
#include <string>
#include <vector>

namespace VSTGUI {

class CDrawContext;
class IPlatformBitmap;

class CBitmap : public CBaseObject
{
public:
    // Where pictures by id come from, for the whole process (null: none load). Set it on the
    // user-interface thread before loading; the source must outlive every load.
    static void setResourceSource (const IBitmapSource* source);

    // A picture by id from the resource source, or a PNG file when the description holds a
    // path. Check isLoaded ().
    explicit CBitmap (const CResourceDescription& desc);
    // A transparent bitmap of the given logical size.
    CBitmap (CCoord width, CCoord height);
    explicit CBitmap (SharedPointer<IPlatformBitmap> platformBitmap);
    ~CBitmap () override;

    static SharedPointer<CBitmap> fromPngFile (const std::string& path);
    static SharedPointer<CBitmap> fromPngMemory (const void* bytes, std::size_t size);

    bool isLoaded () const { return platformBitmap != nullptr; }
    CCoord getWidth () const;
    CCoord getHeight () const;
    CPoint getSize () const { return {getWidth (), getHeight ()}; }
    const CResourceDescription& getResourceDescription () const { return resourceDesc; }

    // Draws the part starting at offset within the bitmap into rect of the context.
    virtual void draw (CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint (),
                       float alpha = 1.f);

    // The bitmap that sizes this one (its own scale factor, usually 1).
    IPlatformBitmap* getPlatformBitmap () const { return platformBitmap; }
    void setPlatformBitmap (SharedPointer<IPlatformBitmap> bitmap);
    // Another rendering of the same picture at a higher scale (same logical size); false if
    // the size does not match.
    bool addBitmap (SharedPointer<IPlatformBitmap> bitmap);
    // The sharpest rendering for a context of that scale; a resource's 2x PNG is decoded the
    // first time a context above 1x asks for it, and any other scale is asked of the source's
    // render once, the first time a context of that scale asks.
    IPlatformBitmap* getBestPlatformBitmapForScaleFactor (double scaleFactor);

    bool isTypeOf (IdStringPtr n) const override;

private:
    CResourceDescription resourceDesc;
    SharedPointer<IPlatformBitmap> platformBitmap;
    std::vector<SharedPointer<IPlatformBitmap>> higherScales;
    bool higherScaleTried {false};
    std::vector<double> artworkScalesTried;
};

}   // namespace VSTGUI
