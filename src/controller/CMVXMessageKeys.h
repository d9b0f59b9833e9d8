// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message ids and attribute keys exchanged between processor and edit controller.
#include <cstring>
#include <string>

namespace CMVXMessageKeys {

// Message ids.
constexpr const char* kSetParameter = "WA_SP";
constexpr const char* kSyncParameters = "WA_SY";
constexpr const char* kBinary = "Binary";
constexpr const char* kPresetHandling = "PrsHnd";
constexpr const char* kDspToUi = "DSP4UI";
constexpr const char* kGetCustomFloatData = "GeCuFD";
constexpr const char* kSetCustomFloatData = "SeCuFD";

// Attribute keys.
constexpr const char* kParameterId = "WA_PI";
constexpr const char* kParameterValue = "WA_PV";
constexpr const char* kSyncValues = "WA_SV";
constexpr const char* kSyncFirstId = "WA_SF";
constexpr const char* kGetParameterValue = "GePaVa";
constexpr const char* kSetParameterValue = "SePaVa";
constexpr const char* kCustomDataTag = "IDtag";

// Preset requests (controller to processor).
constexpr const char* kGetFactoryPresets = "CMVXGetFactoryPresetsMessage";
constexpr const char* kGetUserPresets = "CMVXGetUserPresetsMessage";
constexpr const char* kPresetSaveAs = "CMVXSetPresetAsSaveAs";
constexpr const char* kPresetSave = "CMVXSetPresetSave";
constexpr const char* kPresetDelete = "CMVXSetPresetDelete";
constexpr const char* kSetSelectedPreset = "CMVXSetSelectedPresetNumber";
constexpr const char* kGetSelectedPreset = "CMVXGetSelectedPresetNumber";

// Preset answers (processor to controller); the selected number reuses kSetSelectedPreset.
constexpr const char* kFactoryPresetList = "CMVXSetFactoryPresetsMessage";
constexpr const char* kUserPresetList = "CMVXSetUserPresetsMessage";
// A save or save-as the storage refused (full disk, read-only folder): the key and the name.
constexpr const char* kPresetSaveFailed = "CMVXPresetSaveFailed";

inline bool isId (const char* id, const char* expected)
{
    return id != nullptr && std::strcmp (id, expected) == 0;
}

}   // namespace CMVXMessageKeys
