// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixture every host-conformance test shares, and the facts about the plug-in they need.
#include "support/BundleFixture.h"
#include "support/SignalChecks.h"

namespace Morvane {
namespace Test {

class Conformance : public BundleFixture
{
protected:
    static constexpr int kModelCount = 8;
    static constexpr Steinberg::Vst::ParamID kModelId = 1;
    static constexpr Steinberg::int32 kParameterCount = 8;

    static double modelValue (int model) { return model / double (kModelCount - 1); }

    static Host::ProcessConfig configFor (Steinberg::int32 maxBlockSamples,
                                          Steinberg::int32 channels = 2)
    {
        Host::ProcessConfig config;
        config.maxBlockSamples = maxBlockSamples;
        config.inputChannels = config.outputChannels = channels;
        return config;
    }

    // Processes blocks of a 220 Hz sine from position on (and advances it); every block must
    // succeed with finite output. Answers the loudest output sample, or -1 after a failure.
    static double processSine (Host::PluginInstance& instance, Steinberg::int32 blockSamples,
                               int blocks, Steinberg::int64& position)
    {
        double loudest = 0;
        for (int block = 0; block < blocks; ++block, position += blockSamples)
        {
            fillInputs (instance, blockSamples, position);
            if (instance.process (blockSamples) != Steinberg::kResultOk
                || !outputsFinite (instance, blockSamples))
            {
                ADD_FAILURE () << "block " << block << " at sample " << position
                               << " failed or is not finite";
                return -1;
            }
            loudest = std::max (loudest, outputPeak (instance, blockSamples));
        }
        return loudest;
    }

    // A stereo instance at 48 kHz switched to model by a parameter change in a first, silent block.
    static std::unique_ptr<Host::PluginInstance> instanceWithModel (int model,
                                                                    Steinberg::int32 blockSamples)
    {
        auto instance = createProcessingInstance (configFor (blockSamples));
        if (instance)
        {
            fillInputsWith (*instance, blockSamples, 0.0f);
            EXPECT_EQ (instance->process (blockSamples, {{kModelId, 0, modelValue (model)}}),
                       Steinberg::kResultOk);
        }
        return instance;
    }
};

}   // namespace Test
}   // namespace Morvane
