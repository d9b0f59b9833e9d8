// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The controller link an editor owns: forwards its reads, writes, gestures and preset requests
// to the edit controller and, through it, to the processor.
#include "controller/IMVXSDKController.h"

class CMVXVST3EditController;

namespace Morvane {

class CMVXVST3Controller : public IMVXSDKController
{
public:
    // The edit controller outlives every editor and so every link.
    explicit CMVXVST3Controller (CMVXVST3EditController* controller) : controller (controller) {}

    double getParameter (Steinberg::int32 id) override;
    void setParameter (Steinberg::int32 id, double value) override;
    Steinberg::int32 getParameterCount () override;
    Steinberg::int32 reservedQuery () override { return 0; }
    Steinberg::int32 reservedCommand (Steinberg::int32) override { return 1; }
    void reservedShare (std::shared_ptr<void>) override {}
    void reservedAttach (void*) override {}
    void sendText (const std::string& text) override;
    Steinberg::int32 getCustomFloatData (Steinberg::int32 id, float** buffer,
                                         Steinberg::int32* capacity,
                                         Steinberg::int32 extra) override;
    Steinberg::int32 setCustomFloatData (Steinberg::int32 id, const float* data,
                                         Steinberg::int32 count) override;
    void beginEdit (Steinberg::int32 id) override;
    void endEdit (Steinberg::int32 id) override;

private:
    CMVXVST3EditController* controller;   // borrowed
};

}   // namespace Morvane
