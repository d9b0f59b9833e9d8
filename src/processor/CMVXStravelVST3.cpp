// SPDX-License-Identifier: GPL-3.0-or-later
#include "processor/CMVXStravelVST3.h"
#include "framework/CMVXStravelPlugInDSP.h"
#include "presets/CMVXFilePresetStorage.h"
#include "processor/CMVXStravelClassIds.h"

CMVXStravelVST3::CMVXStravelVST3 (CMVXPresetStorageInterface* presetStorage)
{
    setControllerClass (kCMVXStravelControllerUID);
    auto host = std::make_unique<CMVXStravelPlugInDSP> (presetStorage);
    host->setChannelCount (2, 2);
    installDsp (std::move (host));
}

CMVXStravelVST3::CMVXStravelVST3 (std::unique_ptr<CMVXPresetStorageInterface> ownedStorage)
: CMVXStravelVST3 (ownedStorage.get ())
{
    ownedPresetStorage = std::move (ownedStorage);
}

std::unique_ptr<CMVXPresetStorageInterface> CMVXStravelVST3::makeUserPresetStorage ()
{
    return std::make_unique<CMVXFilePresetStorage> (kCMVXStravelProcessorUID);
}

CMVXStravelVST3::~CMVXStravelVST3 ()
{
    // The DSP host goes first: its algorithm may still refer to the processor's buffers.
    dsp.reset ();
}

void CMVXStravelVST3::channelCountChanged (int32_t numInputs, int32_t numOutputs)
{
    if (dsp)
        dsp->setChannelCount (numInputs, numOutputs);
}
