// SPDX-License-Identifier: GPL-3.0-or-later
#include "RealtimeGuard.h"
#include <dlfcn.h>
#include <pthread.h>
#include <cstddef>

extern "C" void* __libc_malloc (size_t);
extern "C" void* __libc_calloc (size_t, size_t);
extern "C" void* __libc_realloc (void*, size_t);
extern "C" void* __libc_memalign (size_t, size_t);
extern "C" void __libc_free (void*);

namespace {

thread_local bool armed = false;
thread_local RealtimeViolations counts;

using MutexLockFn = int (*) (pthread_mutex_t*);
MutexLockFn realMutexLock = nullptr;

MutexLockFn resolveMutexLock ()
{
    if (!realMutexLock)
        realMutexLock = reinterpret_cast<MutexLockFn> (dlsym (RTLD_NEXT, "pthread_mutex_lock"));
    return realMutexLock;
}

// Resolved at load, before any guard is armed, so dlsym never runs inside a measurement.
[[maybe_unused]] const bool resolvedAtLoad = resolveMutexLock () != nullptr;

}   // namespace

RealtimeGuard::RealtimeGuard ()
{
    counts = {};
    armed = true;
}

RealtimeGuard::~RealtimeGuard ()
{
    armed = false;
}

RealtimeViolations RealtimeGuard::violations () const
{
    return counts;
}

bool realtimeGuardAvailable ()
{
    return true;
}

extern "C"
{
    void* malloc (size_t size)
    {
        if (armed)
            ++counts.allocations;
        return __libc_malloc (size);
    }

    void* calloc (size_t n, size_t size)
    {
        if (armed)
            ++counts.allocations;
        return __libc_calloc (n, size);
    }

    void* realloc (void* p, size_t size)
    {
        if (armed)
            ++counts.allocations;
        return __libc_realloc (p, size);
    }

    void* memalign (size_t alignment, size_t size)
    {
        if (armed)
            ++counts.allocations;
        return __libc_memalign (alignment, size);
    }

    int posix_memalign (void** out, size_t alignment, size_t size)
    {
        if (armed)
            ++counts.allocations;
        void* p = __libc_memalign (alignment, size);
        if (!p)
            return 12;   // ENOMEM
        *out = p;
        return 0;
    }

    void* aligned_alloc (size_t alignment, size_t size)
    {
        if (armed)
            ++counts.allocations;
        return __libc_memalign (alignment, size);
    }

    void free (void* p)
    {
        if (armed && p)
            ++counts.frees;
        __libc_free (p);
    }

    int pthread_mutex_lock (pthread_mutex_t* mutex)
    {
        if (armed)
            ++counts.locks;
        return resolveMutexLock () (mutex);
    }

}   // extern "C"
