// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor-x11/support/XvfbServer.h"
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Morvane {
namespace X11Test {

bool XvfbServer::ensureRunning (std::string& reason)
{
    // Function-local static: destroyed (and the server stopped) at process exit.
    static XvfbServer server;
    static bool started = server.start (server.failure);
    reason = server.failure;
    return started;
}

bool XvfbServer::start (std::string& reason)
{
    int ready[2];
    if (::pipe (ready) != 0)
    {
        reason = "pipe failed";
        return false;
    }
    const std::string fdArgument = std::to_string (ready[1]);
    const pid_t testProcess = ::getpid ();
    pid = ::fork ();
    if (pid == 0)
    {
        // A test that crashes skips the destructor: the server then dies with it all the same.
        ::prctl (PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid () != testProcess)
            ::_exit (1);
        ::close (ready[0]);
        const int devNull = ::open ("/dev/null", O_RDWR);
        ::dup2 (devNull, STDOUT_FILENO);
        ::dup2 (devNull, STDERR_FILENO);
        ::execlp ("Xvfb", "Xvfb", "-displayfd", fdArgument.c_str (), "-screen", "0", "1280x800x24",
                  "-nolisten", "tcp", "-noreset", static_cast<char*> (nullptr));
        ::_exit (127);
    }
    ::close (ready[1]);
    if (pid < 0)
    {
        ::close (ready[0]);
        reason = "fork failed";
        return false;
    }

    // The server writes its display number once it accepts connections.
    std::string number;
    const auto deadline = std::chrono::steady_clock::now () + std::chrono::seconds (10);
    for (;;)
    {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds> (
                              deadline - std::chrono::steady_clock::now ())
                              .count ();
        pollfd fd {ready[0], POLLIN, 0};
        if (left <= 0 || ::poll (&fd, 1, static_cast<int> (left)) <= 0)
            break;
        char c = 0;
        if (::read (ready[0], &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    ::close (ready[0]);
    if (number.empty ())
    {
        int status = 0;
        const bool exited = ::waitpid (pid, &status, WNOHANG) == pid;
        reason = exited && WIFEXITED (status) && WEXITSTATUS (status) == 127
                     ? "Xvfb is not installed (scripts/setup installs it)"
                     : "Xvfb did not start";
        if (!exited)
        {
            ::kill (pid, SIGKILL);
            ::waitpid (pid, nullptr, 0);
        }
        pid = -1;
        return false;
    }
    ::setenv ("DISPLAY", (":" + number).c_str (), 1);
    return true;
}

XvfbServer::~XvfbServer ()
{
    if (pid <= 0)
        return;
    ::kill (pid, SIGTERM);
    ::waitpid (pid, nullptr, 0);
}

}   // namespace X11Test
}   // namespace Morvane
