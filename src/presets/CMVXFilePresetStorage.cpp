// SPDX-License-Identifier: GPL-3.0-or-later
#include "presets/CMVXFilePresetStorage.h"
#include "dsp/CMVXDSPAlgInterface.h"
#include "presets/CMVXPresetFileCodec.h"
#include "presets/CMVXPresetFolder.h"
#include <algorithm>
#include <cmath>
#include <set>

namespace folder = CMVXPresetFolder;

CMVXFilePresetStorage::CMVXFilePresetStorage (const Steinberg::FUID& processorClassId,
                                              std::string directoryPath)
: classId (processorClassId),
  directory (directoryPath.empty () ? folder::defaultDirectory () : std::move (directoryPath))
{}

std::vector<CMVXFilePresetStorage::FoundPreset>
CMVXFilePresetStorage::scan (size_t valueCount) const
{
    std::vector<FoundPreset> found;
    if (directory.empty ())
        return found;
    const std::string extension = folder::kExtension;
    for (const std::string& fileName : folder::listPresetFiles (directory))
    {
        const auto bytes = folder::readFile (folder::pathOf (directory, fileName));
        if (!bytes)
            continue;
        auto preset = decodePresetFile (*bytes, classId, valueCount);
        if (!preset)
            continue;
        // A preset saved by a host into this folder carries no name of ours: its file name is.
        std::string name = preset->nameFromMetaInfo
                               ? preset->name
                               : fileName.substr (0, fileName.size () - extension.size ());
        found.push_back ({fileName, std::move (name), std::move (preset->normalizedValues)});
    }
    return found;
}

void CMVXFilePresetStorage::loadPresets (CMVXDSPAlgInterface& algorithm)
{
    const int32_t count = algorithm.getParameterCount ();
    if (count <= 0)
        return;
    std::vector<FoundPreset> found = scan (static_cast<size_t> (count));

    // Stable order by name; one preset per name, the file a save would write first (older
    // schemes' names and copies lose).
    std::stable_sort (found.begin (), found.end (),
                      [] (const FoundPreset& a, const FoundPreset& b) {
                          if (a.name != b.name)
                              return a.name < b.name;
                          const bool aCanonical = folder::clashNumberOf (a.fileName, a.name) > 0;
                          const bool bCanonical = folder::clashNumberOf (b.fileName, b.name) > 0;
                          return aCanonical && !bCanonical;
                      });
    std::set<std::string> added;
    for (const FoundPreset& preset : found)
    {
        if (!added.insert (preset.name).second)
            continue;
        CMVXPresetRecord record;
        record.name = preset.name;
        for (int32_t id = 0; id < count; ++id)
        {
            const float normalized = preset.normalizedValues[static_cast<size_t> (id)];
            const CMVXParameter* parameter = algorithm.findParameter (id);
            double plain = parameter != nullptr ? parameter->toPlain (normalized) : normalized;
            if (parameter != nullptr && parameter->getCurveType () == kCurveList)
                plain = std::trunc (plain + 0.5);   // a list entry, not a float near it
            record.values.push_back (static_cast<float> (plain));
        }
        algorithm.addUserPreset (std::move (record));
    }
}

bool CMVXFilePresetStorage::savePreset (const CMVXPresetRecord& preset,
                                        CMVXDSPAlgInterface& algorithm, bool overwrite)
{
    // One file per name: a save-as under an existing name replaces that file, like a save.
    lastSucceeded = false;
    if (directory.empty () || preset.name.size () > kMaxNameBytes)
        return false;
    std::vector<float> normalized;
    for (size_t id = 0; id < preset.values.size (); ++id)
    {
        const CMVXParameter* parameter = algorithm.findParameter (static_cast<int32_t> (id));
        const double value =
            parameter != nullptr ? parameter->toNormalized (preset.values[id]) : preset.values[id];
        normalized.push_back (static_cast<float> (std::clamp (value, 0.0, 1.0)));
    }
    const std::vector<char> bytes = encodePresetFile (classId, preset.name, normalized);
    if (bytes.empty () || !folder::makeDirectories (directory))
        return false;
    const std::vector<FoundPreset> present = scan (normalized.size ());
    const std::string target = fileNameToWrite (preset.name, present);
    lastSucceeded = folder::writeFileAtomically (directory, target, bytes);
    if (!lastSucceeded)
        return false;
    // Only now, with the new file in place, other files of this name go (an older scheme's
    // name, a copy): the next start would otherwise find two.
    for (const FoundPreset& other : present)
        if (other.name == preset.name && !isSameFile (other.fileName, target))
            folder::removeFile (folder::pathOf (directory, other.fileName));
    return true;
}

bool CMVXFilePresetStorage::isSameFile (const std::string& a, const std::string& b)
{
    return folder::kNativeRules == folder::FileNameRules::windows
               ? folder::foldCase (a) == folder::foldCase (b)
               : a == b;
}

std::string CMVXFilePresetStorage::fileNameToWrite (const std::string& name,
                                                    const std::vector<FoundPreset>& present) const
{
    // The preset keeps the file it has, if a save would have chosen that name.
    for (const FoundPreset& file : present)
        if (file.name == name && folder::clashNumberOf (file.fileName, name) > 0)
            return file.fileName;
    // Else the first of "<stem>", "<stem> (2)", ... that holds no other preset and no file we
    // could not read, even ignoring case, so the folder can move to a system that ignores it.
    std::set<std::string> ours;
    for (const FoundPreset& file : present)
        if (file.name == name)
            ours.insert (file.fileName);
    std::set<std::string> taken;
    for (const std::string& fileName : folder::listPresetFiles (directory))
        if (ours.count (fileName) == 0)
            taken.insert (folder::foldCase (fileName));
    auto isTaken = [&] (const std::string& candidate) {
        return taken.count (folder::foldCase (candidate)) > 0;
    };
    for (int number = 1;; ++number)
        if (const std::string candidate = folder::fileNameFor (name, number); !isTaken (candidate))
            return candidate;
}

bool CMVXFilePresetStorage::deletePreset (const std::string& name, CMVXDSPAlgInterface& algorithm)
{
    lastSucceeded = true;
    if (directory.empty ())
        return true;
    const int32_t count = std::max<int32_t> (algorithm.getParameterCount (), 0);
    for (const FoundPreset& preset : scan (static_cast<size_t> (count)))
        if (preset.name == name
            && !folder::removeFile (folder::pathOf (directory, preset.fileName)))
            lastSucceeded = false;
    return lastSucceeded;
}
