// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A synchronous channel for blocks of float data between the editor side and the DSP.
#include "pluginterfaces/base/ftypes.h"

class CMVXCustomFloatDataInterface
{
public:
    virtual ~CMVXCustomFloatDataInterface () = default;
    // Fills *buffer (replacing it with a larger new[] block when *capacity is too small, in which
    // case *capacity is updated); returns the number of floats delivered, 0 when none arrived.
    virtual Steinberg::int32 getCustomFloatData (Steinberg::int32 id, float** buffer,
                                                 Steinberg::int32* capacity,
                                                 Steinberg::int32 extra) = 0;
    virtual Steinberg::tresult setCustomFloatData (Steinberg::int32 id, const float* data,
                                                   Steinberg::int32 count) = 0;
};
