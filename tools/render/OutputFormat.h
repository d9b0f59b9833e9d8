// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What OUT may be, settled before anything is read or written: its extension names the format,
// and it must never be the input file itself under another name.
#include "render/RenderProblem.h"

#include <string>

namespace Morvane {
namespace Render {

struct OutputFormat
{
    const char* extensions;   // as listed to the user, e.g. ".aif/.aiff"
    const char* description;   // e.g. "24-bit FLAC"
    int sndfileFormat;   // libsndfile's format word
    bool integerSamples;   // samples beyond full scale clip
    double vbrQuality;   // libsndfile's 0 … 1 encoding quality; negative: not a lossy format
};

// The format for OUT's extension (case-insensitive), or a usage problem listing the accepted ones.
// Then, if OUT already exists as the same file as IN (device and inode: hard and symbolic links,
// other spellings of the path), a usage problem: rendering would destroy the input.
RenderProblem checkOutputRequest (const std::string& inputPath, const std::string& outputPath,
                                  OutputFormat& format);

}   // namespace Render
}   // namespace Morvane
