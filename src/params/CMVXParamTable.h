// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The product's eight parameter records, built from the one definition of the parameter set.
#include "params/CMVXParameter.h"
#include <map>

enum CMVXParamId : int32_t
{
    kParamEffectState = 0,
    kParamModel = 1,
    kParamKnob1 = 2,   // "Parameter 1" … "Parameter 6" are ids 2 … 7
    kParamKnob2 = 3,
    kParamKnob3 = 4,
    kParamKnob4 = 5,
    kParamKnob5 = 6,
    kParamKnob6 = 7,
    kParamCount = 8,
};

// Control tags 0 … 9 are kept for parameter indices, so the editor's own tags never collide with
// a parameter added later.
constexpr int32_t kLastParameterTag = 9;

// The values of "Model": one per pedal model.
constexpr int32_t kPedalModelCount = 8;

class CMVXParamTable
{
public:
    explicit CMVXParamTable (int32_t variant);

    int32_t getParamCount () const { return static_cast<int32_t> (params.size ()); }
    CMVXParameter* find (int32_t id);
    const CMVXParameter* find (int32_t id) const;
    std::map<int32_t, CMVXParameter>& all () { return params; }
    const std::map<int32_t, CMVXParameter>& all () const { return params; }
    const std::vector<float>& getDefaults () const { return defaults; }
    // Renames the six knobs after the model; values stay.
    void updateTitles (int32_t model);

    static const std::vector<std::string>& modelNames ();

private:
    std::map<int32_t, CMVXParameter> params;
    std::vector<float> defaults;
};
