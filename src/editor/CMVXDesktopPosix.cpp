// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef _WIN32
#include "editor/CMVXDesktop.h"
#include "entry/CMVXModuleInfo.h"
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstdlib>

extern char** environ;

namespace Morvane {
namespace Desktop {

namespace {

constexpr int kNotStarted = 127;

// Everything the spawn needs is prepared before the fork, so the forked child only spawns and
// exits: in a host with many threads it may call nothing that could wait for a lock.
struct SpawnSetup
{
    SpawnSetup ()
    {
        posix_spawnattr_init (&attributes);
        posix_spawn_file_actions_init (&actions);
        // The viewer starts with default signal handling and a session of its own, and does not
        // inherit the host's open files (audio devices, sockets).
        sigset_t none, all;
        sigemptyset (&none);
        sigfillset (&all);
        posix_spawnattr_setsigmask (&attributes, &none);
        posix_spawnattr_setsigdefault (&attributes, &all);
        short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
#ifdef POSIX_SPAWN_SETSID
        flags |= POSIX_SPAWN_SETSID;
#endif
        posix_spawnattr_setflags (&attributes, flags);
#if defined(__GLIBC__) && __GLIBC_PREREQ(2, 34)
        posix_spawn_file_actions_addclosefrom_np (&actions, 3);
#endif
    }
    ~SpawnSetup ()
    {
        posix_spawn_file_actions_destroy (&actions);
        posix_spawnattr_destroy (&attributes);
    }
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_t actions;
};

// "scheme:..." as in "https://x": left to the opener. Anything else names a local file.
bool isAddress (const std::string& text)
{
    const auto isLetter = [] (char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (text.empty () || !isLetter (text[0]))
        return false;
    for (char c : text)
    {
        if (c == ':')
            return true;
        if (!isLetter (c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.')
            return false;
    }
    return false;
}

// xdg-open reports a missing file only to the desktop (or not at all), so a caller could never
// fall back: check before starting it.
bool isReadableFile (const std::string& path)
{
    struct stat info
    {};
    return ::stat (path.c_str (), &info) == 0 && S_ISREG (info.st_mode)
           && ::access (path.c_str (), R_OK) == 0;
}

}   // namespace

// A short-lived child spawns xdg-open and exits at once, so xdg-open belongs to init, which
// reaps it: the host never waits for the viewer and no zombie stays behind. The child's exit
// status tells whether xdg-open could be started at all.
bool openDocument (const std::string& pathOrUrl)
{
    if (pathOrUrl.empty () || (!isAddress (pathOrUrl) && !isReadableFile (pathOrUrl)))
        return false;
    SpawnSetup setup;
    std::string program = "xdg-open";
    std::string argument = pathOrUrl;
    char* argv[] = {program.data (), argument.data (), nullptr};

    const pid_t child = fork ();
    if (child < 0)
        return false;
    if (child == 0)
    {
        pid_t viewer = 0;
        const int spawned =
            posix_spawnp (&viewer, "xdg-open", &setup.actions, &setup.attributes, argv, environ);
        _exit (spawned == 0 ? 0 : kNotStarted);
    }
    int status = 0;
    pid_t waited = 0;
    do
        waited = waitpid (child, &status, 0);
    while (waited < 0 && errno == EINTR);
    if (waited < 0)
        return errno == ECHILD;   // the host reaps children itself: the outcome is unknown
    return WIFEXITED (status) && WEXITSTATUS (status) == 0;
}

std::string helpDirectory ()
{
    if (const char* given = std::getenv ("OVERMOOR_HELP_PATH"); given != nullptr && *given != 0)
    {
        std::string folder = given;
        return folder.back () == '/' ? folder : folder + "/";
    }
    return CMVXModuleInfo::getResourcesFolder () + "/";
}

}   // namespace Desktop
}   // namespace Morvane
#endif
