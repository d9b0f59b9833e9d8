// SPDX-License-Identifier: GPL-3.0-or-later
#include "WicBitmap.h"

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

} // namespace

WicBitmap::WicBitmap (const D2DBackend::Use& b, ComPtr<IWICBitmap> wic, double scaleFactor)
    : backend (b), bitmap (std::move (wic)), scale (scaleFactor > 0 ? scaleFactor : 1.)
{
}

CPoint WicBitmap::getSize () const
{
    UINT width = 0, height = 0;
    bitmap->GetSize (&width, &height);
    return {static_cast<CCoord> (width), static_cast<CCoord> (height)};
}

ID2D1Bitmap* WicBitmap::bitmapFor (ID2D1RenderTarget* target)
{
    if (copy && copyTarget == target)
        return copy.Get ();
    copy.Reset ();
    copyTarget = nullptr;
    if (FAILED (target->CreateBitmapFromWicBitmap (bitmap.Get (), nullptr, &copy)))
        return nullptr;
    copyTarget = target;
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
        || FAILED (backend.wic ()->CreateBitmap (static_cast<UINT> (width),
                                                 static_cast<UINT> (height),
                                                 GUID_WICPixelFormat32bppPBGRA,
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
        || FAILED (stream->InitializeFromMemory (
            static_cast<BYTE*> (const_cast<void*> (bytes)), static_cast<DWORD> (size)))
        || FAILED (backend.wic ()->CreateDecoderFromStream (stream.Get (), nullptr,
                                                            WICDecodeMetadataCacheOnDemand,
                                                            &decoder)))
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

} // namespace VSTGUI
