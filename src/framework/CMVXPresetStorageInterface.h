// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps user presets from one run of the host to the next; the DSP host hands it every change.
#include "dsp/CMVXPresetRecord.h"
#include <string>

class CMVXDSPAlgInterface;

class CMVXPresetStorageInterface
{
public:
    virtual ~CMVXPresetStorageInterface () = default;
    // Adds the stored user presets to the algorithm's preset table (once, at host construction).
    virtual void loadPresets (CMVXDSPAlgInterface& algorithm) = 0;
    // Called after the user preset was removed from the table (also when none was found).
    virtual void deletePreset (const std::string& name, CMVXDSPAlgInterface& algorithm) = 0;
    // Called after a user preset was added (overwrite false) or updated (overwrite true).
    virtual void savePreset (const CMVXPresetRecord& preset, CMVXDSPAlgInterface& algorithm,
                             bool overwrite) = 0;
};
