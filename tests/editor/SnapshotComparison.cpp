// SPDX-License-Identifier: GPL-3.0-or-later
#include "SnapshotComparison.h"
#include <cairo.h>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace EditorTest {
namespace {

using Surface = std::unique_ptr<cairo_surface_t, decltype (&cairo_surface_destroy)>;

Surface load (const std::string& path)
{
    Surface surface (cairo_image_surface_create_from_png (path.c_str ()), &cairo_surface_destroy);
    if (cairo_surface_status (surface.get ()) != CAIRO_STATUS_SUCCESS)
        return Surface (nullptr, &cairo_surface_destroy);
    cairo_surface_flush (surface.get ());
    return surface;
}

// Both surfaces are ARGB32 or RGB24: four bytes per pixel.
int channelDifference (const unsigned char* a, const unsigned char* b)
{
    int largest = 0;
    for (int c = 0; c < 4; ++c)
        largest = std::max (largest, std::abs (int (a[c]) - int (b[c])));
    return largest;
}

} // namespace

std::string compareWithReference (const std::string& actualPng, const std::string& referencePng,
                                  const SnapshotTolerance& tolerance)
{
    if (const char* update = std::getenv ("OVERMOOR_UPDATE_SNAPSHOTS");
        update && std::string (update) == "1")
    {
        std::error_code error;
        std::filesystem::copy_file (actualPng, referencePng,
                                    std::filesystem::copy_options::overwrite_existing, error);
        return error ? "cannot update " + referencePng + ": " + error.message () : std::string ();
    }
    Surface actual = load (actualPng), reference = load (referencePng);
    if (!reference)
        return "no reference " + referencePng + " (make it with OVERMOOR_UPDATE_SNAPSHOTS=1)";
    if (!actual)
        return "cannot read " + actualPng;
    const int width = cairo_image_surface_get_width (actual.get ());
    const int height = cairo_image_surface_get_height (actual.get ());
    if (width != cairo_image_surface_get_width (reference.get ()) ||
        height != cairo_image_surface_get_height (reference.get ()))
        return "size differs from " + referencePng;
    const int strideA = cairo_image_surface_get_stride (actual.get ());
    const int strideR = cairo_image_surface_get_stride (reference.get ());
    const unsigned char* a = cairo_image_surface_get_data (actual.get ());
    const unsigned char* r = cairo_image_surface_get_data (reference.get ());
    long differing = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (channelDifference (a + y * strideA + 4 * x, r + y * strideR + 4 * x) >
                tolerance.maxChannelDifference)
                ++differing;
    const double fraction = double (differing) / (double (width) * height);
    if (fraction > tolerance.maxDifferingFraction)
        return std::to_string (differing) + " of " + std::to_string (width * height) +
               " pixels differ from " + referencePng + " (actual: " + actualPng + ")";
    return {};
}

} // namespace EditorTest
