// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Streaming audio file access through libsndfile: a reader for any format it knows and a writer of
// the output formats that only replaces its destination once everything was written.
#include "render/OutputFormat.h"

#include <cstdint>
#include <string>
#include <vector>

typedef struct sf_private_tag SNDFILE;

namespace Morvane {
namespace Render {

class AudioFileReader
{
public:
    static constexpr int32_t kMaxChannels = 2;

    AudioFileReader () = default;
    ~AudioFileReader ();
    AudioFileReader (const AudioFileReader&) = delete;
    AudioFileReader& operator= (const AudioFileReader&) = delete;

    // False with a one-line reason (missing, unreadable, not audio, more than two channels).
    bool open (const std::string& path, std::string& error);
    int32_t channels () const { return channelCount; }
    double sampleRateHz () const { return rateHz; }
    int64_t frames () const { return frameCount; }

    // Reads up to maxFrames into one buffer per channel; returns the frames read (0 at the end,
    // -1 on a read error).
    int64_t read (std::vector<std::vector<float>>& channelBuffers, int64_t maxFrames);

private:
    SNDFILE* file = nullptr;
    int32_t channelCount = 0;
    double rateHz = 0.0;
    int64_t frameCount = 0;
    std::vector<float> interleaved;
};

class AudioFileWriter
{
public:
    AudioFileWriter () = default;
    // An uncommitted writer removes its temporary file: a failed render leaves nothing behind.
    ~AudioFileWriter ();
    AudioFileWriter (const AudioFileWriter&) = delete;
    AudioFileWriter& operator= (const AudioFileWriter&) = delete;

    // Creates a temporary file next to path in the given format.
    bool open (const std::string& path, const OutputFormat& format, int32_t channels,
               double sampleRateHz, std::string& error);
    bool write (const std::vector<std::vector<float>>& channelBuffers, int64_t frames,
                std::string& error);
    // The largest magnitude written so far, and how many samples an integer format clipped to
    // full scale.
    float peak () const { return peakMagnitude; }
    int64_t clippedSamples () const { return clippedCount; }
    // Closes the temporary file and renames it to the destination.
    bool commit (std::string& error);
    void discard ();

private:
    SNDFILE* file = nullptr;
    std::string finalPath;
    std::string temporaryPath;
    int32_t channelCount = 0;
    bool clips = false;
    float peakMagnitude = 0.0f;
    int64_t clippedCount = 0;
    std::vector<float> interleaved;
};

}   // namespace Render
}   // namespace Morvane
