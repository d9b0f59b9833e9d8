// SPDX-License-Identifier: GPL-3.0-or-later
#include "params/CMVXParamTable.h"
#include <array>

namespace {

constexpr int32_t kKnobCount = 6;
constexpr int32_t kModelWithGenericTitles = 9;

using KnobTitles = std::array<const char*, kKnobCount>;   // null: the model leaves it unused

// Knob titles by model index; models 8, 9 and out-of-range values are handled in updateTitles.
const KnobTitles kTitlesByModel[] = {
    {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},   // Treble Booster
    {"Gain", "Level", nullptr, nullptr, nullptr, nullptr},   // XXL Distortion+
    {"Distortion", "Volume", "Filter", nullptr, nullptr, nullptr},   // BAT Distortion
    {"Gain", "Level", "Tone", nullptr, nullptr, nullptr},   // Over Drive
    {"Gain", "Level", "Tone", nullptr, nullptr, nullptr},   // Super Drive
    {"Overdrive", "Level", "Tone", nullptr, nullptr, nullptr},   // 9 Screamer
    {"Overdrive", "Level", "Tone", nullptr, nullptr, nullptr},   // 808 Screamer
    {"Gain", "Level", "Bass", "Treble", "Mid Level", "Mid Frequency"},   // Metal Tone
};
constexpr int32_t kModelsWithTitles =
    static_cast<int32_t> (sizeof (kTitlesByModel) / sizeof (kTitlesByModel[0]));

const KnobTitles kGenericTitles = {"Parameter 1", "Parameter 2", "Parameter 3",
                                   "Parameter 4", "Parameter 5", "Parameter 6"};
const KnobTitles kNoTitles = {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};

const KnobTitles& titlesFor (int32_t model)
{
    if (model >= 0 && model < kModelsWithTitles)
        return kTitlesByModel[model];
    return model == kModelWithGenericTitles ? kGenericTitles : kNoTitles;
}

}   // namespace

const std::vector<std::string>& CMVXParamTable::modelNames ()
{
    static const std::vector<std::string> names = {
        "Treble Booster", "XXL Distortion+", "BAT Distortion", "Over Drive",
        "Super Drive",    "9 Screamer",      "808 Screamer",   "Metal Tone",
    };
    return names;
}

CMVXParamTable::CMVXParamTable (int32_t variant)
{
    if (variant != 0)
        return;

    const std::vector<std::string> offOn = {"Off", "On"};
    defaults = {1.0f, 0.0f, 42.5f, 100.0f, 81.6f, 18.0f, 61.8f, 32.5f};
    const std::vector<std::string>& models = modelNames ();

    params.emplace (kParamEffectState,
                    CMVXParameter (CMVXParameter::ListTag {}, "Effect State", offOn, 0.0, 1.0, 1.0,
                                   defaults[kParamEffectState], kCurveList, false, 0, true,
                                   nullptr));
    params.emplace (kParamModel,
                    CMVXParameter (CMVXParameter::ListTag {}, "Model", models, 0.0,
                                   static_cast<double> (models.size () - 1), 1.0,
                                   defaults[kParamModel], kCurveList, false, 0, true, nullptr));
    for (int32_t id = kParamKnob1; id <= kParamKnob6; ++id)
        params.emplace (id, CMVXParameter (CMVXParameter::RangeTag {},
                                           "Parameter " + std::to_string (id - kParamKnob1 + 1),
                                           "%", 0.0, 100.0, 1.0, defaults[static_cast<size_t> (id)],
                                           kCurveLinear, false, 0, true, nullptr));

    updateTitles (static_cast<int32_t> (defaults[kParamModel]));
}

CMVXParameter* CMVXParamTable::find (int32_t id)
{
    auto it = params.find (id);
    return it == params.end () ? nullptr : &it->second;
}

const CMVXParameter* CMVXParamTable::find (int32_t id) const
{
    auto it = params.find (id);
    return it == params.end () ? nullptr : &it->second;
}

void CMVXParamTable::updateTitles (int32_t model)
{
    const KnobTitles& titles = titlesFor (model);
    int32_t unusedRank = 1;
    for (int32_t knob = 0; knob < kKnobCount; ++knob)
    {
        CMVXParameter* param = find (kParamKnob1 + knob);
        if (param == nullptr)
            continue;
        // Used titles come first in every row, so unused knobs are numbered in id order.
        if (titles[static_cast<size_t> (knob)] != nullptr)
            param->setName (titles[static_cast<size_t> (knob)]);
        else
            param->setName ("n/a " + std::to_string (unusedRank++));
    }
}
