// SPDX-License-Identifier: GPL-3.0-or-later
// The preset folder on POSIX systems: $HOME, open/fsync/rename.
#include "presets/CMVXPresetFolder.h"
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

namespace CMVXPresetFolder {

namespace {

std::string homeDirectory ()
{
    if (const char* home = std::getenv ("HOME"); home != nullptr && home[0] == '/')
        return home;
    struct passwd entry
    {};
    struct passwd* found = nullptr;
    char buffer[4096];
    if (getpwuid_r (getuid (), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr
        && found->pw_dir != nullptr && found->pw_dir[0] == '/')
        return found->pw_dir;
    return {};
}

bool writeAll (int fd, const char* data, size_t size)
{
    while (size > 0)
    {
        const ssize_t written = ::write (fd, data, size);
        if (written < 0)
        {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t> (written);
    }
    return true;
}

}   // namespace

std::string defaultDirectory ()
{
    if (const char* overridden = std::getenv ("OVERMOOR_PRESET_DIR");
        overridden != nullptr && overridden[0] != 0)
        return overridden;
    const std::string home = homeDirectory ();
    if (home.empty ())
        return {};
    return pathOf (home, ".vst3/presets/Morvane/Overmoor");
}

std::string settingsDirectory ()
{
    // An empty or relative XDG_CONFIG_HOME is to be ignored.
    if (const char* config = std::getenv ("XDG_CONFIG_HOME"); config != nullptr && config[0] == '/')
        return pathOf (config, "Overmoor");
    const std::string home = homeDirectory ();
    return home.empty () ? std::string () : pathOf (home, ".config/Overmoor");
}

bool writeFileAtomically (const std::string& directory, const std::string& fileName,
                          const std::vector<char>& bytes)
{
    static std::atomic<uint32_t> counter {0};
    char unique[64];
    std::snprintf (unique, sizeof unique, ".overmoor-%ld-%u.tmp", static_cast<long> (::getpid ()),
                   counter.fetch_add (1, std::memory_order_relaxed));
    const std::string temporary = pathOf (directory, unique);
    const std::string target = pathOf (directory, fileName);

    const int fd = ::open (temporary.c_str (), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    bool ok = writeAll (fd, bytes.data (), bytes.size ()) && ::fsync (fd) == 0;
    ok = (::close (fd) == 0) && ok;
    ok = ok && ::rename (temporary.c_str (), target.c_str ()) == 0;
    if (!ok)
    {
        ::unlink (temporary.c_str ());
        return false;
    }
    // Make the rename itself durable.
    const int dirFd = ::open (directory.c_str (), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0)
    {
        ::fsync (dirFd);
        ::close (dirFd);
    }
    return true;
}

}   // namespace CMVXPresetFolder
