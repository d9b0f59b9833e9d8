// SPDX-License-Identifier: GPL-3.0-or-later
// The processor's side of the processor-controller messages.
#include "processor/CMVXAudioPlugInVST3.h"
#include "pluginterfaces/vst/ivstmessage.h"

using namespace Steinberg;

tresult PLUGIN_API CMVXAudioPlugInVST3::notify (Vst::IMessage* message)
{
    if (!message)
        return kInvalidArgument;
    // The SDK's base answers its own "TextMessage" and refuses everything else.
    return ComponentBase::notify (message);
}
