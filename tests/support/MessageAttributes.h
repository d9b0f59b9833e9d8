// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading what a message carries, for the suites that inspect processor-controller traffic.
#include "pluginterfaces/vst/ivstattributes.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include <optional>
#include <string>

namespace Morvane::Test {

// The binary attribute under key as text; nothing when the message or the attribute is missing.
inline std::optional<std::string> binaryText (Steinberg::Vst::IMessage* message, const char* key)
{
    const void* data = nullptr;
    Steinberg::uint32 size = 0;
    if (message == nullptr
        || message->getAttributes ()->getBinary (key, data, size) != Steinberg::kResultOk)
        return std::nullopt;
    return std::string (static_cast<const char*> (data), size);
}

}   // namespace Morvane::Test
