// SPDX-License-Identifier: GPL-3.0-or-later
#include "D2DBackend.h"

namespace VSTGUI {
namespace {

struct Shared
{
    D2DBackend* backend {nullptr};
    int uses {0};
};

Shared& shared ()
{
    static Shared instance;
    return instance;
}

}   // namespace

bool D2DBackend::init ()
{
    // The host may have initialised COM in another model on this thread (RPC_E_CHANGED_MODE):
    // then it stays the host's, and only what we initialised is uninitialised.
    const HRESULT com = CoInitializeEx (nullptr, COINIT_APARTMENTTHREADED);
    comInitialised = com == S_OK || com == S_FALSE;
    if (FAILED (com) && com != RPC_E_CHANGED_MODE)
        return false;
    D2D1_FACTORY_OPTIONS options {};
    return SUCCEEDED (D2D1CreateFactory (D2D1_FACTORY_TYPE_SINGLE_THREADED, __uuidof(ID2D1Factory),
                                         &options,
                                         reinterpret_cast<void**> (d2dFactory.GetAddressOf ())))
           && SUCCEEDED (
               DWriteCreateFactory (DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                                    reinterpret_cast<IUnknown**> (dwriteFactory.GetAddressOf ())))
           && SUCCEEDED (CoCreateInstance (CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_PPV_ARGS (wicFactory.GetAddressOf ())));
}

void D2DBackend::shutDown ()
{
    wicFactory.Reset ();
    dwriteFactory.Reset ();
    d2dFactory.Reset ();
    if (comInitialised)
        CoUninitialize ();
    comInitialised = false;
}

D2DBackend* D2DBackend::acquire ()
{
    Shared& s = shared ();
    if (s.uses == 0)
    {
        auto* backend = new D2DBackend;
        if (!backend->init ())
        {
            backend->shutDown ();
            delete backend;
            return nullptr;
        }
        s.backend = backend;
    }
    ++s.uses;
    return s.backend;
}

void D2DBackend::release ()
{
    Shared& s = shared ();
    if (s.uses > 0 && --s.uses == 0)
    {
        s.backend->shutDown ();
        delete s.backend;
        s.backend = nullptr;
    }
}

D2DBackend::Use::Use () : backend (acquire ())
{}

D2DBackend::Use::Use (const Use& other) : backend (other.backend ? acquire () : nullptr)
{}

D2DBackend::Use::~Use ()
{
    if (backend)
        release ();
}

ID2D1Factory* D2DBackend::Use::d2d () const
{
    return backend->d2dFactory.Get ();
}

IDWriteFactory* D2DBackend::Use::dwrite () const
{
    return backend->dwriteFactory.Get ();
}

IWICImagingFactory* D2DBackend::Use::wic () const
{
    return backend->wicFactory.Get ();
}

std::wstring toWide (const char* utf8)
{
    if (!utf8 || !*utf8)
        return {};
    const int length = MultiByteToWideChar (CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (length <= 1)
        return {};
    std::wstring text (static_cast<size_t> (length), L'\0');
    MultiByteToWideChar (CP_UTF8, 0, utf8, -1, text.data (), length);
    text.resize (static_cast<size_t> (length - 1));
    return text;
}

}   // namespace VSTGUI
