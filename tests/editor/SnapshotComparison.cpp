// SPDX-License-Identifier: GPL-3.0-or-later
#include "SnapshotComparison.h"
#include "SnapshotPicture.h"
#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace EditorTest {
namespace {

int channelDifference (uint32_t a, uint32_t b)
{
    int largest = 0;
    for (int shift = 0; shift < 32; shift += 8)
        largest =
            std::max (largest, std::abs (int ((a >> shift) & 255) - int ((b >> shift) & 255)));
    return largest;
}

}   // namespace

double meanChannelDifference (const std::string& aPng, const std::string& bPng)
{
    Picture a, b;
    if (!loadPicture (aPng, a) || !loadPicture (bPng, b) || a.width != b.width
        || a.height != b.height || a.pixels.empty ())
        return -1;
    double sum = 0;
    for (size_t i = 0; i < a.pixels.size (); ++i)
        for (int shift = 0; shift < 32; shift += 8)
            sum +=
                std::abs (int ((a.pixels[i] >> shift) & 255) - int ((b.pixels[i] >> shift) & 255));
    return sum / (4. * a.pixels.size ());
}

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
    Picture actual, reference;
    if (!loadPicture (referencePng, reference))
        return "no reference " + referencePng + " (make it with OVERMOOR_UPDATE_SNAPSHOTS=1)";
    if (!loadPicture (actualPng, actual))
        return "cannot read " + actualPng;
    if (actual.width != reference.width || actual.height != reference.height)
        return "size differs from " + referencePng;
    long differing = 0;
    for (size_t i = 0; i < actual.pixels.size (); ++i)
        if (channelDifference (actual.pixels[i], reference.pixels[i])
            > tolerance.maxChannelDifference)
            ++differing;
    const int width = actual.width, height = actual.height;
    const double fraction = double (differing) / (double (width) * height);
    if (fraction > tolerance.maxDifferingFraction)
        return std::to_string (differing) + " of " + std::to_string (width * height)
               + " pixels differ from " + referencePng + " (actual: " + actualPng + ")";
    return {};
}

}   // namespace EditorTest
