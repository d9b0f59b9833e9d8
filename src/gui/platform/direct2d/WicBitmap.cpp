// SPDX-License-Identifier: GPL-3.0-or-later
#include "WicBitmap.h"
#include <algorithm>
#include <cmath>

namespace VSTGUI {
namespace {

SharedPointer<IPlatformBitmap> fromDecoder (const D2DBackend::Use& backend,
                                            IWICBitmapDecoder* decoder)
{
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    ComPtr<IWICBitmap> bitmap;
    if (!decoder || FAILED (decoder->GetFrame (0, &frame))
        || FAILED (backend.wic ()->CreateFormatConverter (&converter))
        || FAILED (converter->Initialize (frame.Get (), GUID_WICPixelFormat32bppPBGRA,
                                          WICBitmapDitherTypeNone, nullptr, 0.,
                                          WICBitmapPaletteTypeCustom))
        || FAILED (backend.wic ()->CreateBitmapFromSource (converter.Get (), WICBitmapCacheOnLoad,
                                                           &bitmap)))
        return nullptr;
    return owned<IPlatformBitmap> (new WicBitmap (backend, bitmap));
}

}   // namespace

WicBitmap::WicBitmap (const D2DBackend::Use& b, ComPtr<IWICBitmap> wic, double scaleFactor)
: backend (b), bitmap (std::move (wic)), scale (scaleFactor > 0 ? scaleFactor : 1.)
{}

CPoint WicBitmap::getSize () const
{
    UINT width = 0, height = 0;
    bitmap->GetSize (&width, &height);
    return {static_cast<CCoord> (width), static_cast<CCoord> (height)};
}

ID2D1Bitmap* WicBitmap::bitmapFor (ID2D1RenderTarget* target, double top, double bottom,
                                   double& bandTop)
{
    UINT width = 0, height = 0;
    bitmap->GetSize (&width, &height);
    const UINT first = static_cast<UINT> (std::clamp (std::floor (top), 0., double (height)));
    const UINT last = static_cast<UINT> (std::clamp (std::ceil (bottom), 0., double (height)));
    if (copy && copyTarget == target && first >= copyTop && last <= copyTop + copyRows)
    {
        bandTop = copyTop;
        return copy.Get ();
    }
    copy.Reset ();
    copyTarget = nullptr;
    const UINT most = target->GetMaximumBitmapSize ();
    if (height <= most)
    {
        if (FAILED (target->CreateBitmapFromWicBitmap (bitmap.Get (), nullptr, &copy)))
            return nullptr;
        copyTop = 0;
        copyRows = height;
    }
    else
    {
        ComPtr<IWICBitmapClipper> band;
        const WICRect rows {0, static_cast<INT> (std::min (first, height - most)),
                            static_cast<INT> (width), static_cast<INT> (most)};
        if (last - first > most || FAILED (backend.wic ()->CreateBitmapClipper (&band))
            || FAILED (band->Initialize (bitmap.Get (), &rows))
            || FAILED (target->CreateBitmapFromWicBitmap (band.Get (), nullptr, &copy)))
            return nullptr;
        copyTop = static_cast<UINT> (rows.Y);
        copyRows = most;
    }
    copyTarget = target;
    bandTop = copyTop;
    return copy.Get ();
}

bool WicBitmap::writePng (const std::string& path) const
{
    IWICImagingFactory* wic = backend.wic ();
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    const std::wstring widePath = toWide (path.c_str ());
    UINT width = 0, height = 0;
    bitmap->GetSize (&width, &height);
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    // PNG stores straight alpha: the premultiplied pixels are converted on the way out.
    ComPtr<IWICFormatConverter> straight;
    return SUCCEEDED (wic->CreateStream (&stream))
           && SUCCEEDED (stream->InitializeFromFilename (widePath.c_str (), GENERIC_WRITE))
           && SUCCEEDED (wic->CreateEncoder (GUID_ContainerFormatPng, nullptr, &encoder))
           && SUCCEEDED (encoder->Initialize (stream.Get (), WICBitmapEncoderNoCache))
           && SUCCEEDED (encoder->CreateNewFrame (&frame, nullptr))
           && SUCCEEDED (frame->Initialize (nullptr)) && SUCCEEDED (frame->SetSize (width, height))
           && SUCCEEDED (frame->SetPixelFormat (&format))
           && SUCCEEDED (wic->CreateFormatConverter (&straight))
           && SUCCEEDED (straight->Initialize (bitmap.Get (), format, WICBitmapDitherTypeNone,
                                               nullptr, 0., WICBitmapPaletteTypeCustom))
           && SUCCEEDED (frame->WriteSource (straight.Get (), nullptr))
           && SUCCEEDED (frame->Commit ()) && SUCCEEDED (encoder->Commit ());
}

SharedPointer<IPlatformBitmap> IPlatformBitmap::create (int width, int height)
{
    D2DBackend::Use backend;
    ComPtr<IWICBitmap> bitmap;
    if (!backend.ok () || width <= 0 || height <= 0 || width > 32767 || height > 32767
        || FAILED (backend.wic ()->CreateBitmap (
            static_cast<UINT> (width), static_cast<UINT> (height), GUID_WICPixelFormat32bppPBGRA,
            WICBitmapCacheOnLoad, &bitmap)))
        return nullptr;
    return owned<IPlatformBitmap> (new WicBitmap (backend, bitmap));
}

SharedPointer<IPlatformBitmap> IPlatformBitmap::createFromPngMemory (const void* bytes,
                                                                     std::size_t size)
{
    D2DBackend::Use backend;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    if (!backend.ok () || !bytes || size == 0 || size > 0x7fffffff
        || FAILED (backend.wic ()->CreateStream (&stream))
        || FAILED (stream->InitializeFromMemory (static_cast<BYTE*> (const_cast<void*> (bytes)),
                                                 static_cast<DWORD> (size)))
        || FAILED (backend.wic ()->CreateDecoderFromStream (
            stream.Get (), nullptr, WICDecodeMetadataCacheOnDemand, &decoder)))
        return nullptr;
    return fromDecoder (backend, decoder.Get ());
}

SharedPointer<IPlatformBitmap> IPlatformBitmap::createFromPngFile (const std::string& path)
{
    D2DBackend::Use backend;
    ComPtr<IWICBitmapDecoder> decoder;
    const std::wstring widePath = toWide (path.c_str ());
    if (!backend.ok () || widePath.empty ()
        || FAILED (backend.wic ()->CreateDecoderFromFilename (
            widePath.c_str (), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, &decoder)))
        return nullptr;
    return fromDecoder (backend, decoder.Get ());
}

}   // namespace VSTGUI
