// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private Xvfb for the tests of one process: started on first use with a display number the
// server picks itself (-displayfd, so parallel test processes never collide), exported as
// DISPLAY, and stopped when the process exits. A developer's own desktop is never touched.
#include <string>
#include <sys/types.h>

namespace Morvane {
namespace X11Test {

class XvfbServer
{
public:
    // The process's server, started if needed; false with a reason when Xvfb is missing or
    // does not come up (tests then skip with that reason).
    static bool ensureRunning (std::string& reason);

    ~XvfbServer ();

private:
    XvfbServer () = default;
    bool start (std::string& reason);

    pid_t pid = -1;
    std::string failure;
};

}   // namespace X11Test
}   // namespace Morvane
