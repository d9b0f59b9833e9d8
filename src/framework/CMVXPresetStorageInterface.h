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
    // Called before the user preset leaves the table (also when there is none); false when the
    // stored copy could not be removed, so the preset stays in the table as it stays on disk.
    virtual bool deletePreset (const std::string& name, CMVXDSPAlgInterface& algorithm) = 0;
    // Called after a user preset was added (overwrite false) or updated (overwrite true); false
    // when it could not be stored, so the caller takes the change back and the session never
    // lists a preset that the next run would not find.
    virtual bool savePreset (const CMVXPresetRecord& preset, CMVXDSPAlgInterface& algorithm,
                             bool overwrite) = 0;
};
