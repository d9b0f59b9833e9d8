// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The process's resident memory, to bound how much a long run may add.
#include <cstdint>
#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <fstream>
#include <unistd.h>
#endif

namespace Morvane {
namespace Test {

// Resident set size in bytes from /proc/self/statm (its second field counts pages), on Windows
// the working set; 0 when it cannot be read.
inline int64_t residentBytes ()
{
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters {};
    if (!GetProcessMemoryInfo (GetCurrentProcess (), &counters, sizeof counters))
        return 0;
    return static_cast<int64_t> (counters.WorkingSetSize);
#else
    std::ifstream statm ("/proc/self/statm");
    int64_t totalPages = 0, residentPages = 0;
    if (!(statm >> totalPages >> residentPages))
        return 0;
    return residentPages * static_cast<int64_t> (sysconf (_SC_PAGESIZE));
#endif
}

}   // namespace Test
}   // namespace Morvane
