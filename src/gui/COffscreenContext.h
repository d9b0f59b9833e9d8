// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drawing context over a bitmap of its own: back buffers, snapshots, PNG files.
#include "CBitmap.h"
#include "CDrawContext.h"
#include <string>

namespace VSTGUI {

class COffscreenContext : public CDrawContext
{
public:
    // A transparent surface of width x height logical units; pixels = units x scale factor.
    // Null when the backend cannot make one.
    static SharedPointer<COffscreenContext> create (CCoord width, CCoord height,
                                                    double scaleFactor = 1.);

    CBitmap* getBitmap () const { return bitmap; }
    CCoord getWidth () const { return getSurfaceRect ().getWidth (); }
    CCoord getHeight () const { return getSurfaceRect ().getHeight (); }
    // Copies part of this surface (srcOffset, size of destRect) into another context.
    void copyFrom (CDrawContext* destination, const CRect& destRect,
                   const CPoint& srcOffset = CPoint ());
    bool writePng (const std::string& path) const;

protected:
    COffscreenContext (SharedPointer<CBitmap> bitmap, double scaleFactor);

    // The drawing backend's context on a bitmap (each backend defines it); null on failure.
    static SharedPointer<COffscreenContext> createOnBitmap (SharedPointer<CBitmap> bitmap,
                                                            double scaleFactor);

private:
    SharedPointer<CBitmap> bitmap;
};

}   // namespace VSTGUI
