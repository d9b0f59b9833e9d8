// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Counts heap allocations and mutex locks made by the calling thread while a guard is armed.
// Linking RealtimeGuard.cpp into a test executable interposes malloc/free/pthread_mutex_lock
// for the whole process, the dlopen'ed plug-in included. Not for sanitizer builds.
#include <cstdint>

struct RealtimeViolations
{
    uint64_t allocations = 0;
    uint64_t frees = 0;
    uint64_t locks = 0;
};

class RealtimeGuard
{
public:
    RealtimeGuard ();
    ~RealtimeGuard ();
    RealtimeGuard (const RealtimeGuard&) = delete;
    RealtimeGuard& operator= (const RealtimeGuard&) = delete;

    // What this thread did since the guard was armed.
    RealtimeViolations violations () const;
};

// True when the interposers are linked and active (false under sanitizers).
bool realtimeGuardAvailable ();
