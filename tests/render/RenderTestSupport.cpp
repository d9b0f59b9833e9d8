// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenderTestSupport.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <ftw.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace Morvane {
namespace Test {

ScratchFolder::ScratchFolder ()
{
    const char* base = std::getenv ("TMPDIR");
    std::string pattern = std::string (base && *base ? base : "/tmp") + "/overmoor-render-test-XXXXXX";
    std::vector<char> name (pattern.begin (), pattern.end ());
    name.push_back ('\0');
    if (::mkdtemp (name.data ()))
        folder = name.data ();
}

ScratchFolder::~ScratchFolder ()
{
    if (folder.empty ())
        return;
    ::nftw (folder.c_str (), [] (const char* path, const struct stat*, int, struct FTW*) { return ::remove (path); }, 16,
            FTW_DEPTH | FTW_PHYS);
}

std::vector<std::string> ScratchFolder::entries () const
{
    std::vector<std::string> names;
    if (DIR* dir = ::opendir (folder.c_str ()))
    {
        while (const dirent* entry = ::readdir (dir))
            if (std::string (entry->d_name) != "." && std::string (entry->d_name) != "..")
                names.push_back (entry->d_name);
        ::closedir (dir);
    }
    std::sort (names.begin (), names.end ());
    return names;
}

std::vector<float> testNoise (int channels, int64_t frames, uint32_t seed)
{
    std::vector<float> samples (static_cast<size_t> (channels * frames));
    uint32_t state = seed * 2654435761u + 1u;
    for (float& s : samples)
    {
        state = state * 1664525u + 1013904223u;
        s = 0.25f * (static_cast<float> (state >> 8) / 8388608.0f - 1.0f);
    }
    return samples;
}

bool writeAudio (const std::string& path, const Audio& audio)
{
    SF_INFO info {};
    info.channels = audio.channels;
    info.samplerate = audio.sampleRateHz;
    info.format = audio.format;
    SNDFILE* file = sf_open (path.c_str (), SFM_WRITE, &info);
    if (!file)
        return false;
    const sf_count_t written = sf_writef_float (file, audio.samples.data (), audio.frames ());
    sf_close (file);
    return written == audio.frames ();
}

bool readAudio (const std::string& path, Audio& audio)
{
    SF_INFO info {};
    SNDFILE* file = sf_open (path.c_str (), SFM_READ, &info);
    if (!file)
        return false;
    audio.channels = info.channels;
    audio.sampleRateHz = info.samplerate;
    audio.format = info.format;
    audio.samples.assign (static_cast<size_t> (info.frames * info.channels), 0.0f);
    const sf_count_t got = sf_readf_float (file, audio.samples.data (), info.frames);
    sf_close (file);
    return got == info.frames;
}

namespace
{
std::string slurp (const std::string& path)
{
    std::ifstream in (path);
    std::stringstream text;
    text << in.rdbuf ();
    return text.str ();
}
} // namespace

CommandResult runProgram (const std::string& program, const std::vector<std::string>& args)
{
    ScratchFolder streams;
    const std::string outPath = streams.file ("stdout"), errPath = streams.file ("stderr");
    CommandResult result;
    const pid_t child = ::fork ();
    if (child == 0)
    {
        const int out = ::open (outPath.c_str (), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open (errPath.c_str (), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2 (out, 1);
        ::dup2 (err, 2);
        std::vector<char*> argv {const_cast<char*> (program.c_str ())};
        for (const std::string& a : args)
            argv.push_back (const_cast<char*> (a.c_str ()));
        argv.push_back (nullptr);
        ::execv (program.c_str (), argv.data ());
        ::_exit (127);
    }
    int status = 0;
    if (child > 0 && ::waitpid (child, &status, 0) == child && WIFEXITED (status))
        result.exitCode = WEXITSTATUS (status);
    result.out = slurp (outPath);
    result.err = slurp (errPath);
    return result;
}

std::string rendererPath () { return OVERMOOR_RENDER_PATH; }

std::string bundlePath ()
{
    if (const char* fromEnvironment = std::getenv ("OVERMOOR_BUNDLE"); fromEnvironment && *fromEnvironment)
        return fromEnvironment;
    return OVERMOOR_BUNDLE_PATH;
}

CommandResult runRenderer (const std::vector<std::string>& args)
{
    std::vector<std::string> all {"--plugin", bundlePath ()};
    all.insert (all.end (), args.begin (), args.end ());
    return runProgram (rendererPath (), all);
}

} // namespace Test
} // namespace Morvane
