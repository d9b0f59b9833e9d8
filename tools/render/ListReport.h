// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of "--list": the preset lists and the parameters with their current titles and values.
#include "render/ParameterCatalog.h"
#include "render/PresetRequests.h"

#include <string>
#include <vector>

namespace Morvane {
namespace Render {

std::string formatList (const PresetLists& presets,
                        const std::vector<ParameterDescription>& parameters,
                        const ParameterCatalog& catalog);

}   // namespace Render
}   // namespace Morvane
