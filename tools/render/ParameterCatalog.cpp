// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ParameterCatalog.h"

#include "params/CMVXParamTable.h"

#include "base/source/fstring.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace Morvane {
namespace Render {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {
constexpr int32 kMaxListSteps = 127;   // more steps than this is a knob, not a list of texts
constexpr int32 kModelWithOwnNames = 9;   // the title set that shows every knob under its own name

std::string utf8Of (const TChar* text)
{
    String narrow (text);
    narrow.toMultiByte (kCP_Utf8);
    return narrow.text8 ();
}

bool equalIgnoringCase (const std::string& a, const std::string& b)
{
    return a.size () == b.size ()
           && std::equal (a.begin (), a.end (), b.begin (), [] (char x, char y) {
                  return std::tolower (static_cast<unsigned char> (x))
                         == std::tolower (static_cast<unsigned char> (y));
              });
}

std::string trimmed (std::string text)
{
    while (!text.empty () && std::isspace (static_cast<unsigned char> (text.back ())))
        text.pop_back ();
    size_t start = 0;
    while (start < text.size () && std::isspace (static_cast<unsigned char> (text[start])))
        ++start;
    return text.substr (start);
}

std::string number (double value)
{
    char text[32];
    std::snprintf (text, sizeof text, "%g", value);
    return text;
}

// The names the parameters carry whatever the model: those of the product's parameter table.
std::string ownName (int32 id, const std::string& fallback)
{
    static const CMVXParamTable table = [] {
        CMVXParamTable named (0);
        named.updateTitles (kModelWithOwnNames);
        return named;
    }();
    const CMVXParameter* record = table.find (id);
    return record ? record->getName () : fallback;
}

std::string validNames (const std::vector<ParameterDescription>& parameters)
{
    std::string text;
    for (const auto& p : parameters)
    {
        text += (text.empty () ? "" : ", ") + ("\"" + p.name + "\"");
        if (p.title != p.name)
            text += " (now \"" + p.title + "\")";
    }
    return text;
}
}   // namespace

const ParameterDescription* findParameter (const std::vector<ParameterDescription>& parameters,
                                           const std::string& nameOrTitle)
{
    for (const auto& p : parameters)
        if (p.title == nameOrTitle || p.name == nameOrTitle)
            return &p;
    for (const auto& p : parameters)
        if (equalIgnoringCase (p.title, nameOrTitle) || equalIgnoringCase (p.name, nameOrTitle))
            return &p;
    return nullptr;
}

ParameterCatalog::ParameterCatalog (IEditController& controller_) : controller (controller_)
{}

std::vector<ParameterDescription> ParameterCatalog::describe () const
{
    std::vector<ParameterDescription> parameters;
    const int32 count = controller.getParameterCount ();
    for (int32 index = 0; index < count; ++index)
    {
        ParameterInfo info {};
        if (controller.getParameterInfo (index, info) != kResultOk)
            continue;
        ParameterDescription p;
        p.id = static_cast<int32_t> (info.id);
        p.title = utf8Of (info.title);
        p.name = ownName (p.id, p.title);
        p.units = utf8Of (info.units);
        p.stepCount = info.stepCount;
        p.defaultNormalized = info.defaultNormalizedValue;
        p.currentNormalized = controller.getParamNormalized (info.id);
        p.minPlain = controller.normalizedParamToPlain (info.id, 0.0);
        p.maxPlain = controller.normalizedParamToPlain (info.id, 1.0);
        if (p.stepCount > 0 && p.stepCount <= kMaxListSteps)
        {
            // A list parameter shows words for its steps; a stepped knob shows numbers.
            std::vector<std::string> texts;
            for (int32 step = 0; step <= p.stepCount; ++step)
            {
                String128 text {};
                controller.getParamStringByValue (info.id, static_cast<double> (step) / p.stepCount,
                                                  text);
                texts.push_back (utf8Of (text));
            }
            double ignored = 0.0;
            const bool numeric =
                std::all_of (texts.begin (), texts.end (), [&ignored] (const std::string& t) {
                    return parseReal (trimmed (t), ignored);
                });
            if (!numeric)
                p.valueTexts = std::move (texts);
        }
        parameters.push_back (std::move (p));
    }
    return parameters;
}

std::string ParameterCatalog::valueText (int32_t id, double normalized) const
{
    for (const auto& p : describe ())
        if (p.id == id && p.valueTexts.empty ())
        {
            // Plain numbers as short as they can be ("42.5 %"), not at the controller's precision.
            const double plain =
                controller.normalizedParamToPlain (static_cast<ParamID> (id), normalized);
            return number (plain) + (p.units.empty () ? "" : " " + p.units);
        }
    String128 text {};
    if (controller.getParamStringByValue (static_cast<ParamID> (id), normalized, text) != kResultOk)
        return number (normalized);
    return trimmed (utf8Of (text));
}

RenderProblem ParameterCatalog::checkId (int32_t id, const std::string& context) const
{
    const auto parameters = describe ();
    for (const auto& p : parameters)
        if (p.id == id)
            return {};
    std::string ids;
    for (const auto& p : parameters)
        ids += (ids.empty () ? "" : ", ") + std::to_string (p.id) + " \"" + p.title + "\"";
    return RenderProblem::usage (
        context + ": no parameter with id " + std::to_string (id) + "; valid: "
        + (ids.empty () ? std::string ("none (the plug-in exposes no parameters)") : ids));
}

RenderProblem ParameterCatalog::resolve (const ParameterSetting& setting, int32_t& id,
                                         double& normalized) const
{
    if (setting.kind == ParameterSetting::Kind::byId)
    {
        if (RenderProblem problem = checkId (setting.id, "--set " + setting.originalText))
            return problem;
        id = setting.id;
        normalized = setting.normalized;
        return {};
    }
    const auto parameters = describe ();
    const ParameterDescription* parameter = findParameter (parameters, setting.name);
    if (!parameter)
        return RenderProblem::usage (
            "--param " + setting.originalText + ": unknown parameter \"" + setting.name
            + "\"; valid: "
            + (parameters.empty () ? std::string ("none (the plug-in exposes no parameters)")
                                   : validNames (parameters)));
    id = parameter->id;
    return resolveValue (*parameter, setting.valueText, normalized);
}

RenderProblem ParameterCatalog::resolveValue (const ParameterDescription& p,
                                              const std::string& valueText,
                                              double& normalized) const
{
    const std::string text = trimmed (valueText);
    const std::string context = "--param " + p.title + "=" + valueText + ": ";
    const std::string range = number (p.minPlain) + " to " + number (p.maxPlain)
                              + (p.units.empty () ? "" : " " + p.units);
    if (!p.valueTexts.empty ())
    {
        for (size_t exact = 0; exact < 2; ++exact)
            for (size_t i = 0; i < p.valueTexts.size (); ++i)
                if (exact == 0 ? p.valueTexts[i] == text
                               : equalIgnoringCase (p.valueTexts[i], text))
                {
                    normalized = static_cast<double> (i) / p.stepCount;
                    return {};
                }
        int64_t index = 0;
        if (parseInteger (text, index) && index >= p.minPlain && index <= p.maxPlain)
        {
            normalized = controller.plainParamToNormalized (static_cast<ParamID> (p.id),
                                                            static_cast<double> (index));
            return {};
        }
        std::string texts;
        for (const auto& t : p.valueTexts)
            texts += (texts.empty () ? "\"" : ", \"") + t + "\"";
        return RenderProblem::usage (context + "valid values are " + texts + " or their numbers "
                                     + range);
    }

    // A plain number, optionally followed by the unit ("70", "70%", "70 %").
    std::string numberText = text;
    if (!p.units.empty () && numberText.size () > p.units.size ()
        && numberText.compare (numberText.size () - p.units.size (), p.units.size (), p.units) == 0)
        numberText = trimmed (numberText.substr (0, numberText.size () - p.units.size ()));
    double plain = 0.0;
    if (!parseReal (numberText, plain))
        return RenderProblem::usage (context + "not a number; valid: " + range);
    if (plain < p.minPlain || plain > p.maxPlain)
        return RenderProblem::usage (context + "out of range; valid: " + range);
    normalized = std::clamp (controller.plainParamToNormalized (static_cast<ParamID> (p.id), plain),
                             0.0, 1.0);
    return {};
}

}   // namespace Render
}   // namespace Morvane
