// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ListReport.h"

#include <cstdio>

namespace Morvane {
namespace Render {

namespace {
std::string padded (const std::string& text, size_t width)
{
    return text.size () >= width ? text + " " : text + std::string (width - text.size (), ' ');
}

std::string plainNumber (double value)
{
    char text[32];
    std::snprintf (text, sizeof text, "%g", value);
    return text;
}

void appendPresets (std::string& out, const char* heading, const std::vector<std::string>& names,
                    size_t firstNumber)
{
    out += heading;
    out += "\n";
    if (names.empty ())
        out += "   (none)\n";
    for (size_t i = 0; i < names.size (); ++i)
    {
        char number[16];
        std::snprintf (number, sizeof number, "%4zu  ", firstNumber + i);
        out += number + names[i] + "\n";
    }
}
}   // namespace

std::string formatList (const PresetLists& presets,
                        const std::vector<ParameterDescription>& parameters,
                        const ParameterCatalog& catalog)
{
    std::string out;
    if (presets.answered)
    {
        appendPresets (out, "Factory presets (--preset NUMBER or NAME):", presets.factory, 1);
        appendPresets (out, "User presets:", presets.user, presets.factory.size () + 1);
    }
    else
        out += "Presets: the plug-in does not answer preset requests\n";

    out += "Parameters (--set ID=NORM, --param NAME=VALUE by name or current title):\n";
    out += "  id  " + padded ("name", 14) + padded ("title", 16) + padded ("range", 14)
           + padded ("default", 18) + "now\n";
    for (const ParameterDescription& p : parameters)
    {
        char id[16];
        std::snprintf (id, sizeof id, "%4d  ", p.id);
        const std::string range =
            plainNumber (p.minPlain) + " to " + plainNumber (p.maxPlain)
            + (p.units.empty () || !p.valueTexts.empty () ? "" : " " + p.units);
        out += id + padded (p.name, 14) + padded (p.title, 16) + padded (range, 14)
               + padded (catalog.valueText (p.id, p.defaultNormalized), 18)
               + catalog.valueText (p.id, p.currentNormalized) + "\n";
        if (!p.valueTexts.empty ())
        {
            std::string values;
            for (size_t i = 0; i < p.valueTexts.size (); ++i)
                values += (i ? ", " : "")
                          + std::to_string (static_cast<long long> (p.minPlain)
                                            + static_cast<long long> (i))
                          + " " + p.valueTexts[i];
            out += "        values: " + values + "\n";
        }
    }
    if (parameters.empty ())
        out += "   (the plug-in exposes no parameters)\n";
    return out;
}

}   // namespace Render
}   // namespace Morvane
