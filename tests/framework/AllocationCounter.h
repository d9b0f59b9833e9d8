// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Counts operator new calls made by the calling thread while a counter is alive.
#include <cstdint>

class AllocationCounter
{
public:
    AllocationCounter ();
    ~AllocationCounter ();
    AllocationCounter (const AllocationCounter&) = delete;
    AllocationCounter& operator= (const AllocationCounter&) = delete;
    uint64_t count () const;
};
