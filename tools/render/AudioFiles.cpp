// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/AudioFiles.h"

#include <sndfile.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace Morvane {
namespace Render {

namespace {
// mkstemp creates 0600; the finished file gets the permissions any new file of the user would.
mode_t newFileMode ()
{
    const mode_t mask = ::umask (0);
    ::umask (mask);
    return 0666 & ~mask;
}
}   // namespace

AudioFileReader::~AudioFileReader ()
{
    if (file)
        sf_close (file);
}

bool AudioFileReader::open (const std::string& path, std::string& error)
{
    struct stat status
    {};
    if (::stat (path.c_str (), &status) != 0)
    {
        error = "cannot open input '" + path + "': " + std::strerror (errno);
        return false;
    }
    if (S_ISDIR (status.st_mode))
    {
        error = "cannot open input '" + path + "': it is a directory";
        return false;
    }
    SF_INFO info {};
    file = sf_open (path.c_str (), SFM_READ, &info);
    if (!file)
    {
        const int code = sf_error (nullptr);
        if (::access (path.c_str (), R_OK) != 0)
            error = "cannot read input '" + path + "': " + std::strerror (errno);
        else if (code == SF_ERR_UNRECOGNISED_FORMAT)
            error = "input '" + path + "' is not in an audio format libsndfile reads";
        else
            error = "cannot read input '" + path + "': " + sf_error_number (code);
        return false;
    }
    if (info.channels < 1 || info.channels > kMaxChannels)
    {
        error = "input '" + path + "' has " + std::to_string (info.channels)
                + " channels; only mono and stereo files can be rendered";
        return false;
    }
    if (info.samplerate <= 0)
    {
        error = "input '" + path + "' has no valid sample rate";
        return false;
    }
    channelCount = info.channels;
    rateHz = info.samplerate;
    frameCount = info.frames;
    return true;
}

int64_t AudioFileReader::read (std::vector<std::vector<float>>& channelBuffers, int64_t maxFrames)
{
    if (!file || maxFrames <= 0)
        return 0;
    interleaved.resize (static_cast<size_t> (maxFrames * channelCount));
    const sf_count_t got = sf_readf_float (file, interleaved.data (), maxFrames);
    if (got < 0 || sf_error (file) != SF_ERR_NO_ERROR)
        return -1;
    channelBuffers.resize (static_cast<size_t> (channelCount));
    for (int32_t c = 0; c < channelCount; ++c)
    {
        auto& buffer = channelBuffers[static_cast<size_t> (c)];
        if (buffer.size () < static_cast<size_t> (maxFrames))
            buffer.resize (static_cast<size_t> (maxFrames));
        for (sf_count_t i = 0; i < got; ++i)
            buffer[static_cast<size_t> (i)] =
                interleaved[static_cast<size_t> (i * channelCount + c)];
    }
    return got;
}

AudioFileWriter::~AudioFileWriter ()
{
    discard ();
}

bool AudioFileWriter::open (const std::string& path, const OutputFormat& format, int32_t channels,
                            double sampleRateHz, std::string& error)
{
    finalPath = path;
    channelCount = channels;
    clips = format.integerSamples;
    const auto slash = path.find_last_of ('/');
    const std::string folder =
        slash == std::string::npos ? std::string (".") : path.substr (0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr (slash + 1);
    if (base.empty ())
    {
        error = "output '" + path + "' names a directory, not a file";
        return false;
    }
    std::string pattern =
        (slash == std::string::npos ? std::string () : folder) + "." + base + ".partial-XXXXXX";
    std::vector<char> name (pattern.begin (), pattern.end ());
    name.push_back ('\0');
    const int fd = ::mkstemp (name.data ());
    if (fd < 0)
    {
        error = "cannot write output '" + path + "': " + std::strerror (errno);
        return false;
    }
    temporaryPath = name.data ();
    ::fchmod (fd, newFileMode ());

    SF_INFO info {};
    info.channels = channels;
    info.samplerate = static_cast<int> (sampleRateHz);
    info.format = format.sndfileFormat;
    file = sf_open_fd (fd, SFM_WRITE, &info, SF_TRUE);
    if (!file)
    {
        error = std::string ("cannot write output '") + path + "' as " + format.description + ": "
                + sf_strerror (nullptr);
        ::close (fd);
        discard ();
        return false;
    }
    if ((format.sndfileFormat & SF_FORMAT_SUBMASK) == SF_FORMAT_FLOAT)
        // Samples are written as they are; the plug-in's output is not normalised here.
        sf_command (file, SFC_SET_NORM_FLOAT, nullptr, SF_FALSE);
    if (clips)
        // Without this, samples beyond full scale would wrap around to the opposite sign.
        sf_command (file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    if (format.vbrQuality >= 0.0)
    {
        double quality = format.vbrQuality;
        sf_command (file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
    }
    return true;
}

bool AudioFileWriter::write (const std::vector<std::vector<float>>& channelBuffers, int64_t frames,
                             std::string& error)
{
    if (!file)
        return false;
    interleaved.resize (static_cast<size_t> (frames * channelCount));
    for (int32_t c = 0; c < channelCount; ++c)
        for (int64_t i = 0; i < frames; ++i)
        {
            const float sample = channelBuffers[static_cast<size_t> (c)][static_cast<size_t> (i)];
            const float magnitude = std::fabs (sample);
            peakMagnitude = std::max (peakMagnitude, magnitude);
            // Full scale itself is kept (to within one step); only what lies beyond it clips.
            clippedCount += clips && magnitude > 1.0f;
            interleaved[static_cast<size_t> (i * channelCount + c)] = sample;
        }
    if (sf_writef_float (file, interleaved.data (), frames) != frames)
    {
        error = "cannot write output '" + finalPath + "': " + sf_strerror (file);
        return false;
    }
    return true;
}

bool AudioFileWriter::commit (std::string& error)
{
    if (!file)
        return false;
    const int closed = sf_close (file);
    file = nullptr;
    if (closed != 0)
    {
        error = "cannot finish output '" + finalPath + "': " + sf_error_number (closed);
        discard ();
        return false;
    }
    if (std::rename (temporaryPath.c_str (), finalPath.c_str ()) != 0)
    {
        error = "cannot write output '" + finalPath + "': " + std::strerror (errno);
        discard ();
        return false;
    }
    temporaryPath.clear ();
    return true;
}

void AudioFileWriter::discard ()
{
    if (file)
    {
        sf_close (file);
        file = nullptr;
    }
    if (!temporaryPath.empty ())
    {
        ::unlink (temporaryPath.c_str ());
        temporaryPath.clear ();
    }
}

}   // namespace Render
}   // namespace Morvane
