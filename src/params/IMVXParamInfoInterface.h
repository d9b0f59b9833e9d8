// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Read access to a parameter table, for the controller, the editor and the processing side.
#include "params/CMVXParameter.h"

class IMVXParamInfoInterface
{
public:
    virtual ~IMVXParamInfoInterface () = default;
    virtual CMVXParameter* getParam (int32_t id) = 0;
    virtual void updateTitles (int32_t model, float ignored) {}
    virtual int32_t getParamCount () { return 0; }
    virtual int32_t getNumParams () { return 0; }
    virtual int32_t getFirstParamId () { return 0; }
    virtual float toPlain (int32_t id, float normalized);
    virtual float toNormalized (int32_t id, float plain);
};
