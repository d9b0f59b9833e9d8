// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/FrameResampler.h"
#include <algorithm>
#include <cmath>

namespace Morvane::Resources {
namespace {

// For each of `to` target pixels, the source pixels it covers and how much of each.
struct Taps
{
    std::vector<int> first;
    std::vector<std::vector<float>> weights;
};

Taps areaTaps (int from, int to)
{
    Taps taps;
    const double ratio = static_cast<double> (from) / to;
    for (int target = 0; target < to; ++target)
    {
        const double low = target * ratio, high = std::min ((target + 1) * ratio, double (from));
        const int first = static_cast<int> (std::floor (low));
        std::vector<float> weights;
        for (int source = first; source < high; ++source)
            weights.push_back (static_cast<float> (
                (std::min (high, source + 1.) - std::max (low, double (source))) / (high - low)));
        taps.first.push_back (first);
        taps.weights.push_back (std::move (weights));
    }
    return taps;
}

}   // namespace

std::vector<uint32_t> resampleFrames (const uint32_t* pixels, int width, int frameHeight,
                                      int frames, int toWidth, int toFrameHeight)
{
    const Taps across = areaTaps (width, toWidth), down = areaTaps (frameHeight, toFrameHeight);
    std::vector<uint32_t> out (static_cast<size_t> (toWidth) * toFrameHeight * frames);
    std::vector<float> rows (static_cast<size_t> (toWidth) * frameHeight * 4);
    for (int frame = 0; frame < frames; ++frame)
    {
        // Across first, into floats for the frame's rows; then down, into whole pixels.
        for (int y = 0; y < frameHeight; ++y)
        {
            const uint32_t* row = pixels + (static_cast<size_t> (frame) * frameHeight + y) * width;
            for (int x = 0; x < toWidth; ++x)
            {
                float* sum = &rows[(static_cast<size_t> (y) * toWidth + x) * 4];
                std::fill (sum, sum + 4, 0.f);
                for (size_t k = 0; k < across.weights[x].size (); ++k)
                {
                    const uint32_t pixel = row[across.first[x] + static_cast<int> (k)];
                    for (int channel = 0; channel < 4; ++channel)
                        sum[channel] += across.weights[x][k] * ((pixel >> (8 * channel)) & 0xFF);
                }
            }
        }
        for (int y = 0; y < toFrameHeight; ++y)
            for (int x = 0; x < toWidth; ++x)
            {
                uint32_t pixel = 0;
                for (int channel = 0; channel < 4; ++channel)
                {
                    float sum = 0.f;
                    for (size_t k = 0; k < down.weights[y].size (); ++k)
                        sum += down.weights[y][k]
                               * rows[(static_cast<size_t> (down.first[y] + static_cast<int> (k))
                                           * toWidth
                                       + x)
                                          * 4
                                      + channel];
                    const auto value =
                        static_cast<uint32_t> (std::clamp (std::lround (sum), 0L, 255L));
                    pixel |= value << (8 * channel);
                }
                out[(static_cast<size_t> (frame) * toFrameHeight + y) * toWidth + x] = pixel;
            }
    }
    return out;
}

}   // namespace Morvane::Resources
