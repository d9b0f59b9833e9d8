// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor's road to the plug-in: parameters, edit gestures and preset requests as text.
#include "pluginterfaces/base/ftypes.h"
#include <memory>
#include <string>

namespace Morvane {

class IMVXSDKController
{
public:
    virtual ~IMVXSDKController () = default;

    virtual double getParameter (Steinberg::int32 id) = 0;
    virtual void setParameter (Steinberg::int32 id, double value) = 0;
    virtual Steinberg::int32 getParameterCount () = 0;
    // Four placeholders with no caller in this product; they keep the operations after them in place.
    virtual Steinberg::int32 reservedQuery () = 0;
    virtual Steinberg::int32 reservedCommand (Steinberg::int32 argument) = 0;
    virtual void reservedShare (std::shared_ptr<void> object) = 0;
    virtual void reservedAttach (void* object) = 0;
    virtual void sendText (const std::string& text) = 0;
    virtual Steinberg::int32 getCustomFloatData (Steinberg::int32 id, float** buffer,
                                                 Steinberg::int32* capacity,
                                                 Steinberg::int32 extra) = 0;
    // 0 when the data was sent, 1 when nothing was sent.
    virtual Steinberg::int32 setCustomFloatData (Steinberg::int32 id, const float* data,
                                                 Steinberg::int32 count) = 0;
    virtual void beginEdit (Steinberg::int32 id) = 0;
    virtual void endEdit (Steinberg::int32 id) = 0;
};

}   // namespace Morvane
