// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"
#include "OvermoorHarnesses.h"
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    OvermoorFuzz::failOnProblem (OvermoorFuzz::runPresetListText (data, size), "fuzz_preset_list_text");
    return 0;
}
