// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plug-in's parameters as its edit controller presents them (current titles, ranges, value
// texts), and the resolution of the user's "--param NAME=VALUE" and "--set ID=NORM" against them.
#include "render/RenderOptions.h"
#include "render/RenderProblem.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Steinberg {
namespace Vst {
class IEditController;
}   // namespace Vst
}   // namespace Steinberg

namespace Morvane {
namespace Render {

struct ParameterDescription
{
    int32_t id = 0;
    std::string name;   // the parameter's own name, which never changes ("Parameter 1")
    std::string title;   // the title the controller shows now ("Gain" for some models)
    std::string units;
    double minPlain = 0.0;
    double maxPlain = 1.0;
    int32_t stepCount = 0;
    double defaultNormalized = 0.0;
    double currentNormalized = 0.0;
    std::vector<std::string> valueTexts;   // list parameters: one text per step
};

class ParameterCatalog
{
public:
    explicit ParameterCatalog (Steinberg::Vst::IEditController& controller);

    // Re-read from the controller each time: titles follow the model.
    std::vector<ParameterDescription> describe () const;
    // The controller's display text of a normalised value, with its unit.
    std::string valueText (int32_t id, double normalized) const;

    // Resolves a setting to an id and a normalised value; usage problems list what is valid.
    RenderProblem resolve (const ParameterSetting& setting, int32_t& id, double& normalized) const;
    RenderProblem checkId (int32_t id, const std::string& context) const;

private:
    RenderProblem resolveValue (const ParameterDescription& parameter, const std::string& valueText,
                                double& normalized) const;

    Steinberg::Vst::IEditController& controller;
};

// "Model" by name, "Gain" by title, "gain" ignoring case; null when nothing matches.
const ParameterDescription* findParameter (const std::vector<ParameterDescription>& parameters,
                                           const std::string& nameOrTitle);

}   // namespace Render
}   // namespace Morvane
