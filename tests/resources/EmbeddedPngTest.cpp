// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/EmbeddedPng.h"
#include "resources/artwork/Artwork.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

// fontconfig keeps its process-wide font cache until exit; in sanitizer builds that is not a leak.
extern "C" __attribute__ ((visibility ("default"))) const char* __lsan_default_suppressions ()
{
    return "leak:libfontconfig.so\n";
}

namespace {

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

}   // namespace
