// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// User presets as one .vstpreset file each in the user's preset folder, so every instance and
// every later run sees them, and hosts' own preset browsers can load them too.
#include "framework/CMVXPresetStorageInterface.h"
#include "pluginterfaces/base/funknown.h"
#include <string>
#include <vector>

class CMVXFilePresetStorage : public CMVXPresetStorageInterface
{
public:
    // processorClassId marks the files as ours; directory defaults to the user's preset folder.
    explicit CMVXFilePresetStorage (const Steinberg::FUID& processorClassId,
                                    std::string directory = {});

    // Files that are not readable presets of this plug-in are skipped and left as they are.
    void loadPresets (CMVXDSPAlgInterface& algorithm) override;
    // Removes every file that holds a preset of that name; false when one of them stays.
    bool deletePreset (const std::string& name, CMVXDSPAlgInterface& algorithm) override;
    // Writes (or replaces) the preset's file, "<name>.vstpreset" with only what the file system
    // forbids replaced and " (2)" etc. when another preset holds that name; other files of that
    // name (older file names) go once it is written. On failure (false) every file stays.
    bool savePreset (const CMVXPresetRecord& preset, CMVXDSPAlgInterface& algorithm,
                     bool overwrite) override;

    // Longer names are refused: their files would not be read back.
    static constexpr size_t kMaxNameBytes = 64 * 1024;

    const std::string& getDirectory () const { return directory; }
    // Outcome of the last save or delete, for callers that want to report it.
    bool lastChangeSucceeded () const { return lastSucceeded; }

private:
    struct FoundPreset
    {
        std::string fileName;
        std::string name;
        std::vector<float> normalizedValues;
    };
    std::vector<FoundPreset> scan (size_t valueCount) const;
    std::string fileNameToWrite (const std::string& name,
                                 const std::vector<FoundPreset>& present) const;
    static bool isSameFile (const std::string& a, const std::string& b);

    Steinberg::FUID classId;
    std::string directory;
    bool lastSucceeded = true;
};
