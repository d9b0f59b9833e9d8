// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"
#include "OvermoorHarnesses.h"
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    OvermoorFuzz::failOnProblem (OvermoorFuzz::runRenderOptions (data, size), "fuzz_render_options");
    return 0;
}
