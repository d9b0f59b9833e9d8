// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing seam: bitmaps from good and bad PNG data, the context's clip and origin, text.
#include "gui/CBitmap.h"
#include "gui/CFontDesc.h"
#include "gui/COffscreenContext.h"
#include "gui/CParamDisplay.h"
#include "gui/IBitmapSource.h"
#include "gui/platform/IPlatformBitmap.h"
#include "Pixels.h"
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

using namespace VSTGUI;

namespace {

int countPixels (COffscreenContext& context, uint32_t argb)
{
    int n = 0;
    for (int y = 0; y < context.getHeight (); ++y)
        for (int x = 0; x < context.getWidth (); ++x)
            n += pixelAt (context, x, y) == argb;
    return n;
}

std::string readFile (const std::string& path)
{
    std::ifstream in (path, std::ios::binary);
    return {std::istreambuf_iterator<char> (in), std::istreambuf_iterator<char> ()};
}

}   // namespace

TEST (Bitmaps, DecodeGoodPngDataAndRefuseBadDataQuietly)
{
    auto context = COffscreenContext::create (30, 20);
    context->setFillColor (CColor (10, 200, 30));
    context->drawRect (CRect (0, 0, 30, 20), kDrawFilled);
    const std::string path = ::testing::TempDir () + "gui-bitmap.png";
    ASSERT_TRUE (context->writePng (path));
    const std::string bytes = readFile (path);

    auto fromMemory = CBitmap::fromPngMemory (bytes.data (), bytes.size ());
    ASSERT_TRUE (fromMemory);
    EXPECT_EQ (fromMemory->getSize (), CPoint (30, 20));
    auto fromPath = owned (new CBitmap (CResourceDescription (path)));
    EXPECT_TRUE (fromPath->isLoaded ());
    EXPECT_EQ (fromPath->getWidth (), 30);

    EXPECT_FALSE (CBitmap::fromPngMemory (bytes.data (), bytes.size () / 2));   // truncated
    EXPECT_FALSE (CBitmap::fromPngMemory ("not a png at all", 16));
    EXPECT_FALSE (CBitmap::fromPngMemory (nullptr, 100));
    EXPECT_FALSE (CBitmap::fromPngFile (path + ".missing"));
    EXPECT_FALSE (owned (new CBitmap (CResourceDescription (-12345)))->isLoaded ());
    EXPECT_FALSE (owned (new CBitmap (0, 10))->isLoaded ());
    EXPECT_EQ (owned (new CBitmap (0, 10))->getWidth (), 0);
    std::remove (path.c_str ());

    // Drawing an unloaded bitmap or into an empty rectangle draws nothing and fails nothing.
    auto target = COffscreenContext::create (8, 8);
    target->drawBitmap (owned (new CBitmap (0, 0)), CRect (0, 0, 8, 8));
    target->drawBitmap (nullptr, CRect (0, 0, 8, 8));
    EXPECT_EQ (countPixels (*target, 0), 64);
}

TEST (Bitmaps, PicturesByIdComeFromTheRegisteredSourceAtEachScale)
{
    // A picture prepared as PNG at 1x and 2x, and drawn afresh at any other scale.
    struct Source : IBitmapSource
    {
        Png findPng (int32_t id, int scale) const override
        {
            const std::string& png = scale == 1 ? one : two;
            return id == 7 && scale <= 2 ? Png {png.data (), png.size ()} : Png {};
        }
        SharedPointer<IPlatformBitmap> render (int32_t id, double scale) const override
        {
            ++renders;
            auto bitmap = id == 7 ? IPlatformBitmap::create (10 * scale, 6 * scale) : nullptr;
            if (bitmap)
                bitmap->setScaleFactor (scale);
            return bitmap;
        }
        std::string one, two;
        mutable int renders = 0;
    } source;
    for (int scale : {1, 2})
    {
        auto context = COffscreenContext::create (10, 6, scale);
        context->endDraw ();
        const std::string path = ::testing::TempDir () + "gui-source.png";
        ASSERT_TRUE (context->writePng (path));
        (scale == 1 ? source.one : source.two) = readFile (path);
    }
    EXPECT_FALSE (owned (new CBitmap (CResourceDescription (7)))->isLoaded ());   // no source yet
    CBitmap::setResourceSource (&source);
    auto bitmap = owned (new CBitmap (CResourceDescription (7)));
    EXPECT_FALSE (owned (new CBitmap (CResourceDescription (8)))->isLoaded ());
    ASSERT_TRUE (bitmap->isLoaded ());
    EXPECT_EQ (bitmap->getSize (), CPoint (10, 6));
    for (double scale : {1., 2., 3., 3.})
    {
        IPlatformBitmap* best = bitmap->getBestPlatformBitmapForScaleFactor (scale);
        ASSERT_NE (best, nullptr);
        EXPECT_EQ (best->getScaleFactor (), scale);
        EXPECT_EQ (best->getSize (), CPoint (10 * scale, 6 * scale));
    }
    EXPECT_EQ (source.renders, 1);   // once per scale
    CBitmap::setResourceSource (nullptr);
}

TEST (Bitmaps, AHigherScaleRenderingIsDrawnByContextsOfThatScale)
{
    auto paint = [] (int pixels, double scale, CColor colour) {
        auto context = COffscreenContext::create (pixels / scale, pixels / scale, scale);
        context->setFillColor (colour);
        context->drawRect (CRect (0, 0, 10, 10), kDrawFilled);
        context->endDraw ();
        return SharedPointer<IPlatformBitmap> (context->getBitmap ()->getPlatformBitmap ());
    };
    auto bitmap = owned (new CBitmap (paint (10, 1., CColor (255, 0, 0))));
    EXPECT_FALSE (bitmap->addBitmap (paint (30, 2., kBlackCColor)));   // 15 x 15: not the same
    EXPECT_TRUE (bitmap->addBitmap (paint (20, 2., CColor (0, 0, 255))));
    EXPECT_EQ (bitmap->getSize (), CPoint (10, 10));

    for (double scale : {1., 2.})
    {
        auto context = COffscreenContext::create (10, 10, scale);
        context->drawBitmap (bitmap, CRect (0, 0, 10, 10));
        EXPECT_EQ (pixelAt (*context, 3, 3), scale == 1. ? 0xFFFF0000u : 0xFF0000FFu) << scale;
    }
}

TEST (Context, ClipAndOriginComposeAndRestore)
{
    auto context = COffscreenContext::create (20, 20);
    context->setFillColor (kWhiteCColor);
    context->saveGlobalState ();
    {
        CDrawContext::Transform shift (*context, CPoint (5, 5));
        context->setClipRect (CRect (0, 0, 4, 4));   // (5, 5)-(9, 9) on the surface
        CRect clip;
        EXPECT_EQ (context->getClipRect (clip), CRect (0, 0, 4, 4));
        context->drawRect (CRect (-5, -5, 15, 15), kDrawFilled);
    }
    context->restoreGlobalState ();
    EXPECT_EQ (countPixels (*context, 0xFFFFFFFFu), 16);
    EXPECT_EQ (pixelAt (*context, 5, 5), 0xFFFFFFFFu);
    EXPECT_EQ (pixelAt (*context, 9, 9), 0u);
    CRect clip;
    EXPECT_EQ (context->getClipRect (clip), CRect (0, 0, 20, 20));
    EXPECT_EQ (context->getOffset (), CPoint (0, 0));

    // Half-transparent black over white at half global alpha: a quarter darker.
    context->setGlobalAlpha (0.5f);
    context->setFillColor (CColor (0, 0, 0, 128));
    context->drawRect (CRect (5, 5, 6, 6), kDrawFilled);
    const uint32_t grey = pixelAt (*context, 5, 5) & 0xFF;
    EXPECT_NEAR (grey, 255 * 0.75, 2);
}

TEST (Text, MissingFamilyFallsBackAndSizesAndStylesTakeEffect)
{
    auto context = COffscreenContext::create (120, 30);
    auto font = owned (new CFontDesc ("Tahoma", 11));
    context->setFont (font);
    const CCoord small = context->getStringWidth ("Overdrive");
    EXPECT_GT (small, 20);
    context->setFont (font, 22);   // a sized copy; the original stays
    EXPECT_GT (context->getStringWidth ("Overdrive"), 1.8 * small);
    EXPECT_EQ (font->getSize (), 11);
    context->setFont (font, 0, kBoldFace);
    EXPECT_GT (context->getStringWidth ("Overdrive"), small);

    // Text lands inside its rectangle only, in the font colour.
    context->setFont (font);
    context->setFontColor (CColor (255, 0, 0));
    context->setClipRect (CRect (10, 5, 60, 25));
    context->drawString ("WWWWWWWWWWWWWWW", CRect (10, 5, 60, 25), kLeftText, false);
    int inside = 0, outside = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x)
            (CRect (10, 5, 60, 25).pointInside (CPoint (x, y)) ? inside : outside) +=
                pixelAt (*context, x, y) == 0xFFFF0000u;
    EXPECT_GT (inside, 30);
    EXPECT_EQ (outside, 0);
}

TEST (Text, ParamDisplayShowsItsValueThroughTheHook)
{
    auto display = owned (new CParamDisplay (CRect (0, 0, 80, 20)));
    display->setFontColor (CColor (255, 0, 0));
    display->setAntialias (false);   // pure font-colour pixels to count
    display->setValue (0.5f);
    auto context = COffscreenContext::create (80, 20);
    display->draw (context);
    const int plain = countPixels (*context, 0xFFFF0000u);
    EXPECT_GT (plain, 0);   // "0.50"

    display->setValueToStringFunction ([] (float v, std::string& text, CParamDisplay*) {
        text = v > 0.4f ? "" : "low";
        return true;
    });
    context = COffscreenContext::create (80, 20);
    display->draw (context);
    EXPECT_EQ (countPixels (*context, 0xFFFF0000u), 0);   // the hook said: nothing
    EXPECT_GT (countPixels (*context, 0xFF000000u), 0);   // back colour still drawn
}
