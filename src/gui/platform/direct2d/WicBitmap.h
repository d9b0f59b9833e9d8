// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A bitmap held as a WIC bitmap of premultiplied BGRA pixels; PNG decoded and encoded by WIC. The
// Direct2D copy a render target draws from is made once per target and kept.
#include "D2DBackend.h"
#include "gui/platform/IPlatformBitmap.h"

namespace VSTGUI {

class WicBitmap : public IPlatformBitmap
{
public:
    WicBitmap (const D2DBackend::Use& backend, ComPtr<IWICBitmap> bitmap, double scaleFactor = 1.);

    CPoint getSize () const override;
    double getScaleFactor () const override { return scale; }
    void setScaleFactor (double factor) override { scale = factor > 0 ? factor : 1.; }
    bool writePng (const std::string& path) const override;

    IWICBitmap* getWicBitmap () const { return bitmap.Get (); }
    // Pixel rows top to bottom as a bitmap of target, whose first row is bandTop; null on
    // failure. A bitmap taller than the target takes (a long stack of frames) is copied in bands.
    ID2D1Bitmap* bitmapFor (ID2D1RenderTarget* target, double top, double bottom, double& bandTop);
    // Drawing into the pixels changed them: copies made for targets are stale.
    void invalidateCopies ()
    {
        copy.Reset ();
        copyTarget = nullptr;
    }

private:
    D2DBackend::Use backend;
    ComPtr<IWICBitmap> bitmap;
    double scale;
    ComPtr<ID2D1Bitmap> copy;
    ID2D1RenderTarget* copyTarget {nullptr};
    UINT copyTop {0}, copyRows {0};
};

}   // namespace VSTGUI
