// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Direct2D, DirectWrite and WIC factories shared by every context, bitmap and font of the
// process (user-interface thread only). Each object that uses them holds a D2DBackend::Use: the
// factories, and COM if we had to initialise it, go when the last use ends.
#include <d2d1.h>
#include <dwrite.h>
#include <string>
#include <wincodec.h>
#include <wrl/client.h>

namespace VSTGUI {

using Microsoft::WRL::ComPtr;

class D2DBackend
{
public:
    class Use
    {
    public:
        Use ();
        ~Use ();
        Use (const Use&);
        Use& operator= (const Use&) = delete;
        // False when COM or a factory could not be had; nothing else may be called then.
        bool ok () const { return backend != nullptr; }
        ID2D1Factory* d2d () const;
        IDWriteFactory* dwrite () const;
        IWICImagingFactory* wic () const;

    private:
        D2DBackend* backend;
    };

private:
    D2DBackend () = default;
    bool init ();
    void shutDown ();
    static D2DBackend* acquire ();
    static void release ();

    ComPtr<ID2D1Factory> d2dFactory;
    ComPtr<IDWriteFactory> dwriteFactory;
    ComPtr<IWICImagingFactory> wicFactory;
    bool comInitialised {false};
};

// UTF-8 to UTF-16, for every text and path handed to Windows.
std::wstring toWide (const char* utf8);

}   // namespace VSTGUI
