// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The process's resident memory, to bound how much a long run may add.
#include <cstdint>
#include <fstream>
#include <unistd.h>

namespace Morvane {
namespace Test {

// Resident set size in bytes from /proc/self/statm (its second field counts pages); 0 when
// the file cannot be read.
inline int64_t residentBytes ()
{
    std::ifstream statm ("/proc/self/statm");
    int64_t totalPages = 0, residentPages = 0;
    if (!(statm >> totalPages >> residentPages))
        return 0;
    return residentPages * static_cast<int64_t> (sysconf (_SC_PAGESIZE));
}

} // namespace Test
} // namespace Morvane
