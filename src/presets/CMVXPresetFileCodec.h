// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One user preset as a standard .vstpreset file: the processor's class id, the component state
// (normalised values as little-endian 32-bit floats) and XML meta-info carrying the preset name.
#include "pluginterfaces/base/funknown.h"
#include <optional>
#include <string>
#include <vector>

struct CMVXStoredPreset
{
    std::string name;
    bool nameFromMetaInfo = false;   // false: the file carries no name; the caller picks one
    std::vector<float> normalizedValues;
};

// Empty when the file could not be composed.
std::vector<char> encodePresetFile (const Steinberg::FUID& classId, const std::string& name,
                                    const std::vector<float>& normalizedValues);

// Nothing when the bytes are not a preset of classId with at least valueCount finite values;
// extra values are ignored, values outside 0..1 are clamped.
std::optional<CMVXStoredPreset> decodePresetFile (const std::vector<char>& bytes,
                                                  const Steinberg::FUID& classId,
                                                  size_t valueCount);

// The meta-info document and its reader, exposed for tests.
std::string presetMetaInfoXml (const std::string& name);
std::optional<std::string> presetNameFromMetaInfo (const std::string& xml);
