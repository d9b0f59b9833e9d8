// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/OutputFormat.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <sys/stat.h>

namespace Morvane {
namespace Render {

namespace {
// 0.9 of Vorbis' quality scale: about 170 kbit/s for a mono guitar at 48 kHz, twice the default.
constexpr double kVorbisQuality = 0.9;

struct NamedFormat
{
    const char* extension;
    OutputFormat format;
};

const NamedFormat kFormats[] = {
    {".wav", {".wav", "32-bit float WAV", SF_FORMAT_WAV | SF_FORMAT_FLOAT, false, -1.0}},
    {".flac", {".flac", "24-bit FLAC", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, true, -1.0}},
    {".aif", {".aif/.aiff", "32-bit float AIFF", SF_FORMAT_AIFF | SF_FORMAT_FLOAT, false, -1.0}},
    {".aiff", {".aif/.aiff", "32-bit float AIFF", SF_FORMAT_AIFF | SF_FORMAT_FLOAT, false, -1.0}},
    {".ogg", {".ogg", "Ogg Vorbis", SF_FORMAT_OGG | SF_FORMAT_VORBIS, false, kVorbisQuality}},
};

std::string acceptedFormats ()
{
    std::string text;
    for (const NamedFormat& named : kFormats)
        if (text.find (named.format.extensions) == std::string::npos)
            text += std::string (text.empty () ? "" : ", ") + named.format.extensions + " ("
                    + named.format.description + ")";
    return text;
}

// The extension of the path's last component, lower case, dot included; empty if it has none.
std::string extensionOf (const std::string& path)
{
    const auto slash = path.find_last_of ('/');
    const std::string base = slash == std::string::npos ? path : path.substr (slash + 1);
    const auto dot = base.find_last_of ('.');
    if (dot == std::string::npos || dot == 0)
        return {};
    std::string extension = base.substr (dot);
    std::transform (extension.begin (), extension.end (), extension.begin (),
                    [] (unsigned char c) { return static_cast<char> (std::tolower (c)); });
    return extension;
}

// A path that does not exist yet (or cannot be looked at) is no file at all, so not the input.
bool sameFile (const std::string& a, const std::string& b)
{
    struct stat first
    {
    }, second {};
    return ::stat (a.c_str (), &first) == 0 && ::stat (b.c_str (), &second) == 0
           && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}
}   // namespace

RenderProblem checkOutputRequest (const std::string& inputPath, const std::string& outputPath,
                                  OutputFormat& format)
{
    if (sameFile (inputPath, outputPath))
        return RenderProblem::usage ("output '" + outputPath + "' is the input file '" + inputPath
                                     + "' (the same file on disk); writing it would destroy the "
                                       "input, so nothing was done: choose another output name");
    const std::string extension = extensionOf (outputPath);
    for (const NamedFormat& named : kFormats)
        if (extension == named.extension)
        {
            format = named.format;
            return {};
        }
    const std::string problem =
        extension.empty () ? std::string ("no extension") : "unknown extension '" + extension + "'";
    return RenderProblem::usage ("output '" + outputPath + "': " + problem
                                 + "; the extension chooses the format: " + acceptedFormats ());
}

}   // namespace Render
}   // namespace Morvane
