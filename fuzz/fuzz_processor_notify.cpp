// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"
#include "OvermoorHarnesses.h"
#include <cstddef>
#include <cstdint>

// The preset folder is private to this process and emptied for every input.
extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    OvermoorFuzz::usePrivatePresetFolder ();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    OvermoorFuzz::failOnProblem (OvermoorFuzz::runProcessorMessages (data, size), "fuzz_processor_notify");
    return 0;
}
