// SPDX-License-Identifier: GPL-3.0-or-later
// The preset folder on POSIX systems: $HOME, open/fsync/rename.
#include "presets/CMVXPresetFolder.h"
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace CMVXPresetFolder {

namespace {

std::string homeDirectory ()
{
    if (const char* home = std::getenv ("HOME"); home != nullptr && home[0] == '/')
        return home;
    struct passwd entry {};
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

std::string join (const std::string& directory, const std::string& name)
{
    if (directory.empty () || directory.back () == '/')
        return directory + name;
    return directory + "/" + name;
}

} // namespace

std::string defaultDirectory ()
{
    if (const char* overridden = std::getenv ("OVERMOOR_PRESET_DIR"); overridden != nullptr && overridden[0] != 0)
        return overridden;
    const std::string home = homeDirectory ();
    if (home.empty ())
        return {};
    return join (home, ".vst3/presets/Morvane/Overmoor");
}

std::vector<std::string> listPresetFiles (const std::string& directory)
{
    std::vector<std::string> names;
    DIR* dir = ::opendir (directory.c_str ());
    if (dir == nullptr)
        return names;
    while (const dirent* entry = ::readdir (dir))
    {
        const std::string name = entry->d_name;
        if (!isPresetFileName (name))
            continue;
        struct stat info {};
        if (::stat (join (directory, name).c_str (), &info) == 0 && S_ISREG (info.st_mode))
            names.push_back (name);
    }
    ::closedir (dir);
    std::sort (names.begin (), names.end ());
    return names;
}

std::optional<std::vector<char>> readFile (const std::string& path)
{
    const int fd = ::open (path.c_str (), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    std::optional<std::vector<char>> result;
    if (::fstat (fd, &info) == 0 && S_ISREG (info.st_mode) && info.st_size >= 0
        && static_cast<uint64_t> (info.st_size) <= kMaxFileBytes)
    {
        std::vector<char> bytes (static_cast<size_t> (info.st_size));
        size_t done = 0;
        bool failed = false;
        while (done < bytes.size ())
        {
            const ssize_t got = ::read (fd, bytes.data () + done, bytes.size () - done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
            {
                failed = got < 0;
                break;
            }
            done += static_cast<size_t> (got);
        }
        if (!failed)
        {
            bytes.resize (done);   // a file that shrank meanwhile is read as it is now
            result = std::move (bytes);
        }
    }
    ::close (fd);
    return result;
}

bool makeDirectories (const std::string& directory)
{
    if (directory.empty ())
        return false;
    for (size_t pos = 1; pos <= directory.size (); ++pos)
    {
        if (pos < directory.size () && directory[pos] != '/')
            continue;
        const std::string prefix = directory.substr (0, pos);
        if (::mkdir (prefix.c_str (), 0755) != 0 && errno != EEXIST)
            return false;
    }
    struct stat info {};
    return ::stat (directory.c_str (), &info) == 0 && S_ISDIR (info.st_mode);
}

bool writeFileAtomically (const std::string& directory, const std::string& fileName,
                          const std::vector<char>& bytes)
{
    static std::atomic<uint32_t> counter {0};
    char unique[64];
    std::snprintf (unique, sizeof unique, ".overmoor-%ld-%u.tmp", static_cast<long> (::getpid ()),
                   counter.fetch_add (1, std::memory_order_relaxed));
    const std::string temporary = join (directory, unique);
    const std::string target = join (directory, fileName);

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

bool removeFile (const std::string& path)
{
    return ::unlink (path.c_str ()) == 0 || errno == ENOENT;
}

std::string pathOf (const std::string& directory, const std::string& fileName)
{
    return join (directory, fileName);
}

} // namespace CMVXPresetFolder
