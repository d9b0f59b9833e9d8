// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"
#include "OvermoorHarnesses.h"
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    OvermoorFuzz::failOnProblem (OvermoorFuzz::runControllerMessages (data, size), "fuzz_controller_notify");
    return 0;
}
