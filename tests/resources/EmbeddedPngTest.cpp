// SPDX-License-Identifier: GPL-3.0-or-later
// The embedded bitmaps at their sizes and frame counts, at 1x and 2x, and the hammered finish
// drawn as a layer against cairo's own gradient fills.
#include "resources/EmbeddedPng.h"
#include "resources/artwork/Artwork.h"
#include "resources/artwork/HammeredDimples.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <vector>

// fontconfig keeps its process-wide font cache until exit; in sanitizer builds that is not a leak.
extern "C" __attribute__ ((visibility ("default"))) const char* __lsan_default_suppressions ()
{
    return "leak:libfontconfig.so\n";
}

namespace {

using namespace Morvane::Artwork::Paint;

struct ExpectedBitmap
{
    int id;
    int width;
    int height;
    int frames;
};

// What the editor's layout relies on: size and frame count of every bitmap it loads.
const ExpectedBitmap kExpected[] = {
    {100, 44, 86, 2},     {101, 171, 156, 2},   {102, 85, 82, 2},     {103, 135, 20, 1},
    {104, 37, 17, 1},     {105, 37, 17, 1},     {106, 37, 17, 1},     {107, 37, 17, 1},
    {108, 18, 34, 2},     {109, 18, 34, 2},     {110, 37, 17, 1},     {111, 135, 20, 1},
    {200, 22, 44, 2},     {201, 36, 80, 4},     {300, 40, 5600, 140}, {301, 40, 5600, 140},
    {302, 40, 5600, 140}, {303, 40, 5600, 140}, {500, 180, 300, 1},   {502, 180, 24, 1},
    {600, 180, 1760, 8},  {900, 180, 300, 1},   {901, 180, 300, 1},
};

struct Reader
{
    const unsigned char* bytes;
    std::size_t size;
    std::size_t offset = 0;
};

cairo_status_t readPng (void* closure, unsigned char* data, unsigned int length)
{
    auto* reader = static_cast<Reader*> (closure);
    if (reader->size - reader->offset < length)
        return CAIRO_STATUS_READ_ERROR;
    std::memcpy (data, reader->bytes + reader->offset, length);
    reader->offset += length;
    return CAIRO_STATUS_SUCCESS;
}

struct DecodedSize
{
    bool ok = false;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;   // ARGB, row after row
};

DecodedSize decode (const unsigned char* bytes, std::size_t size)
{
    Reader reader {bytes, size};
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream (readPng, &reader);
    DecodedSize decoded;
    decoded.ok = cairo_surface_status (surface) == CAIRO_STATUS_SUCCESS;
    if (decoded.ok)
    {
        // An opaque picture decodes without alpha: all of it is drawn.
        const std::uint32_t opaque =
            cairo_image_surface_get_format (surface) == CAIRO_FORMAT_RGB24 ? 0xff000000u : 0u;
        decoded.width = cairo_image_surface_get_width (surface);
        decoded.height = cairo_image_surface_get_height (surface);
        const unsigned char* data = cairo_image_surface_get_data (surface);
        const int stride = cairo_image_surface_get_stride (surface);
        for (int row = 0; row < decoded.height; ++row)
        {
            const auto* line = reinterpret_cast<const std::uint32_t*> (data + row * stride);
            for (int x = 0; x < decoded.width; ++x)
                decoded.pixels.push_back (line[x] | opaque);
        }
    }
    cairo_surface_destroy (surface);
    return decoded;
}

// Every bitmap at its size and twice that at 2x. A drawing that ignored its frame would leave a
// knob that never turns or a lamp that never lights: every frame must show something and differ
// from the frame before it.
TEST (EmbeddedPng, EveryBitmapAtItsSizesWithEveryFrameDrawnAndNew)
{
    auto isDrawn = [] (std::uint32_t pixel) { return (pixel >> 24) != 0; };
    for (const ExpectedBitmap& bitmap : kExpected)
    {
        SCOPED_TRACE (bitmap.id);
        for (int scale : {1, 2})
        {
            const Morvane::Resources::PngData png = Morvane::Resources::findPng (bitmap.id, scale);
            ASSERT_TRUE (png);
            const DecodedSize decoded = decode (png.bytes, png.size);
            ASSERT_TRUE (decoded.ok);
            EXPECT_EQ (decoded.width, bitmap.width * scale);
            EXPECT_EQ (decoded.height, bitmap.height * scale);
            const auto frameSize =
                static_cast<std::ptrdiff_t> (decoded.pixels.size ()) / bitmap.frames;
            for (int frame = 0; frame < bitmap.frames; ++frame)
            {
                const auto begin = decoded.pixels.begin () + frame * frameSize;
                EXPECT_TRUE (std::any_of (begin, begin + frameSize, isDrawn)) << frame << " empty";
                EXPECT_TRUE (frame == 0
                             || !std::equal (begin, begin + frameSize, begin - frameSize))
                    << frame << " repeats the frame before";
            }
        }
        const Morvane::Artwork::BitmapSize logical = Morvane::Artwork::bitmapSize (bitmap.id);
        EXPECT_EQ (logical.frames, bitmap.frames);
        EXPECT_EQ (logical.frameHeight () * bitmap.frames, bitmap.height);
    }
    EXPECT_EQ (Morvane::Artwork::bitmapIds ().size (), std::size (kExpected));
}

TEST (EmbeddedPng, RunTimeRenderingMatchesTheBuildAndKeepsFramesOnWholeRows)
{
    // the status lamp and a lettered button: shapes and text come out the same at run time
    std::vector<unsigned char> png;
    for (int id : {201, 104})
    {
        const Morvane::Resources::PngData embedded = Morvane::Resources::findPng (id, 2);
        ASSERT_TRUE (Morvane::Artwork::renderPng (id, 2.0, png));
        EXPECT_EQ (std::vector<unsigned char> (embedded.bytes, embedded.bytes + embedded.size), png)
            << id;
    }

    // 1.25 x 43 = 53.75: each of the two frames takes 54 rows, the strip 108
    ASSERT_TRUE (Morvane::Artwork::renderPng (100, 1.25, png));
    const DecodedSize decoded = decode (png.data (), png.size ());
    EXPECT_EQ (decoded.width, 55);
    EXPECT_EQ (decoded.height, 108);
}

// The hammered finish's dimple layer against the same blobs drawn as cairo radial-gradient fills,
// at whole and fractional scales and off the pixel grid: the layer must sit where cairo would
// draw and look the same.
constexpr double kX = 2.0, kY = 3.0, kW = 60.0, kH = 45.0;
const Rgb kBase = hex (0x6a1a1b);

// The dimples as separate cairo fills: each blob's alpha falls from its centre to nothing at
// its rim. Same grid, same random sequence.
void cairoDimples (cairo_t* cr, Random& rnd)
{
    const double cell = 5.5;
    auto blob = [cr] (double x, double y, double r, Rgb c, double alpha) {
        cairo_pattern_t* p = cairo_pattern_create_radial (x, y, 0.0, x, y, r);
        addStop (p, 0.0, c, alpha);
        addStop (p, 1.0, c, 0.0);
        cairo_set_source (cr, p);
        cairo_arc (cr, x, y, r, 0, 2 * M_PI);
        cairo_fill (cr);
        cairo_pattern_destroy (p);
    };
    for (double cy = kY - cell; cy < kY + kH + cell; cy += cell * 0.8)
        for (double cx = kX - cell; cx < kX + kW + cell; cx += cell * 0.9)
        {
            const double px = cx + rnd.range (-2.0, 2.0), py = cy + rnd.range (-2.0, 2.0);
            const double pr = rnd.range (2.8, 4.6);
            const double shade = rnd.range (0.18, 0.32), light = rnd.range (0.14, 0.26);
            blob (px - pr * 0.3, py - pr * 0.3, pr * 0.85, darker (kBase, 0.6), shade);
            blob (px + pr * 0.35, py + pr * 0.35, pr * 0.7, lighter (kBase, 0.6), light);
        }
}

cairo_surface_t* paintFace (double offsetY, double sx, double sy, bool asLayer)
{
    cairo_surface_t* surface = cairo_image_surface_create (
        CAIRO_FORMAT_ARGB32, static_cast<int> (std::ceil ((kX + kW + 2) * sx)),
        static_cast<int> (std::ceil (offsetY + (kY + kH + 2) * sy)));
    cairo_t* cr = cairo_create (surface);
    cairo_translate (cr, 0, offsetY);
    cairo_scale (cr, sx, sy);
    roundedRect (cr, kX, kY, kW, kH, 9.0);
    cairo_clip (cr);
    set (cr, kBase);
    cairo_paint (cr);
    Random rnd (1007u);
    if (asLayer)
        paintDimples (cr, kX, kY, kW, kH, kBase, rnd);
    else
        cairoDimples (cr, rnd);
    cairo_destroy (cr);
    cairo_surface_flush (surface);
    return surface;
}

TEST (HammeredDimples, LayerLooksLikeCairoFillsAtWholeAndFractionalScales)
{
    struct Case
    {
        double offsetY, sx, sy;
    } cases[] = {
        {0.0, 1.0, 1.0}, {7.0, 2.0, 2.0}, {0.0, 3.0, 3.0}, {275.0, 1.25, 1.25}, {0.0, 1.5, 1.51}};
    for (const Case& c : cases)
    {
        cairo_surface_t* layer = paintFace (c.offsetY, c.sx, c.sy, true);
        cairo_surface_t* fills = paintFace (c.offsetY, c.sx, c.sy, false);
        const int width = cairo_image_surface_get_width (layer);
        const int height = cairo_image_surface_get_height (layer);
        const int stride = cairo_image_surface_get_stride (layer);
        const unsigned char* a = cairo_image_surface_get_data (layer);
        const unsigned char* b = cairo_image_surface_get_data (fills);
        int largest = 0;
        long total = 0;
        for (int row = 0; row < height; ++row)
            for (int byte = 0; byte < width * 4; ++byte)
            {
                const int d = std::abs (a[row * stride + byte] - b[row * stride + byte]);
                largest = std::max (largest, d);
                total += d;
            }
        // 8-bit rounding of thousands of overlapping blobs against one rounding of the layer
        EXPECT_LE (largest, 5) << "scale " << c.sx << " x " << c.sy;
        EXPECT_LT (double (total) / (width * height * 4.0), 0.5) << "scale " << c.sx;
        cairo_surface_destroy (layer);
        cairo_surface_destroy (fills);
    }
}

}   // namespace
