// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/RenderOptions.h"

#include <CLI/CLI.hpp>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <map>

namespace Morvane {
namespace Render {

bool parseInteger (const std::string& text, int64_t& value)
{
    if (text.empty () || text.size () > 20)
        return false;
    for (size_t i = 0; i < text.size (); ++i)
        if (!(std::isdigit (static_cast<unsigned char> (text[i]))
              || (i == 0 && (text[i] == '-' || text[i] == '+'))))
            return false;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll (text.c_str (), &end, 10);
    if (errno != 0 || end != text.c_str () + text.size () || end == text.c_str ())
        return false;
    value = parsed;
    return true;
}

bool parseReal (const std::string& text, double& value)
{
    if (text.empty () || std::isspace (static_cast<unsigned char> (text.front ())))
        return false;
    errno = 0;
    char* end = nullptr;
    const double parsed = std::strtod (text.c_str (), &end);
    if (errno != 0 || end != text.c_str () + text.size () || !std::isfinite (parsed))
        return false;
    value = parsed;
    return true;
}

namespace {
const char* const kDescription =
    "Renders an audio file through the Overmoor plug-in, the way a host plays it back.\n"
    "IN: any file libsndfile reads, mono or stereo. OUT: the input's channels, rate and\n"
    "length, in the format its extension names: .wav (32-bit float), .flac (24-bit),\n"
    ".aif/.aiff (32-bit float) or .ogg (Vorbis); never the input file itself.";

const char* const kExamples =
    "Order: the preset, then --set and --param in command-line order, then processing with --at.\n"
    "Exit status: 0 done, 1 failure (file, plug-in), 2 bad request.\n"
    "Examples:\n"
    "  overmoor-render --list --param Model=\"Metal Tone\"\n"
    "  overmoor-render --preset \"Full Drive\" di.wav out.wav\n"
    "  overmoor-render --param Model=\"Over Drive\" --param Gain=70 --param Tone=40 di.wav "
    "out.wav\n"
    "  overmoor-render --preset 8 --at 96000 0=0 di.wav out.wav   # \"Metal\", bypassed from 2 s";

// Splits "left=right" at the first '='; both sides must be non-empty.
bool splitAssignment (const std::string& text, std::string& left, std::string& right)
{
    const auto equals = text.find ('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == text.size ())
        return false;
    left = text.substr (0, equals);
    right = text.substr (equals + 1);
    return true;
}

bool parseIdAndNormalized (const std::string& text, int32_t& id, double& normalized,
                           std::string& problem)
{
    std::string idText, valueText;
    int64_t parsedId = 0;
    if (!splitAssignment (text, idText, valueText))
        problem = "expected ID=NORM, got '" + text + "'";
    else if (!parseInteger (idText, parsedId) || parsedId < 0 || parsedId > INT32_MAX)
        problem = "parameter id '" + idText + "' is not a whole number from 0 up";
    else if (!parseReal (valueText, normalized) || normalized < 0.0 || normalized > 1.0)
        problem = "normalised value '" + valueText + "' is not a number from 0 to 1";
    else
    {
        id = static_cast<int32_t> (parsedId);
        return true;
    }
    return false;
}

std::string oneLine (std::string text)
{
    while (!text.empty () && (text.back () == '\n' || text.back () == ' '))
        text.pop_back ();
    for (char& c : text)
        if (c == '\n')
            c = ' ';
    return text;
}

ParseResult failure (std::string message)
{
    ParseResult result;
    result.status = ParseResult::Status::error;
    result.message = oneLine (std::move (message));
    return result;
}
}   // namespace

ParseResult parseRenderOptions (int argc, const char* const* argv)
{
    if (argc < 1 || argv == nullptr)
        return failure ("no arguments");

    RenderOptions options;
    std::vector<std::string> setTexts, paramTexts, atTexts;

    CLI::App app (kDescription, "overmoor-render");
    app.add_option ("IN", options.inputPath, "input audio file")->type_name ("");
    app.add_option ("OUT", options.outputPath, "output file: .wav, .flac, .aif, .aiff or .ogg")
        ->type_name ("");
    app.add_option ("--plugin", options.pluginPath,
                    "the Overmoor.vst3 bundle; default: one in this program's folder or up to two "
                    "above it (a build tree's), else ~/.vst3, /usr/lib/vst3 or /usr/local/lib/vst3")
        ->type_name ("PATH");
    app.add_option ("--block", options.blockSize,
                    "host block size in samples, 1 to 65536 (default 256)")
        ->type_name ("N")
        ->check (CLI::Range (1, static_cast<int> (RenderOptions::kMaxBlockSize)).description (""));
    app.add_option (
           "--preset", options.preset,
           "select a preset first: its name, or its number in --list, counting from 1 as the "
           "editor's menu does (1 is \"Torvin's Booster\")")
        ->type_name ("K|NAME");
    auto* set =
        app.add_option ("--set", setTexts, "a normalised parameter value by id (repeatable)")
            ->type_name ("ID=NORM")
            ->type_size (1)
            ->allow_extra_args (false)
            ->multi_option_policy (CLI::MultiOptionPolicy::TakeAll);
    auto* param =
        app.add_option (
               "--param", paramTexts,
               "a plain value or value text by parameter name or current title (repeatable)")
            ->type_name ("NAME=VALUE")
            ->type_size (1)
            ->allow_extra_args (false)
            ->multi_option_policy (CLI::MultiOptionPolicy::TakeAll);
    app.add_option ("--at", atTexts,
                    "automation for the block starting at SAMPLE, or the next one (repeatable)")
        ->type_name ("SAMPLE ID=NORM")
        ->type_size (2)
        ->allow_extra_args (false)
        ->multi_option_policy (CLI::MultiOptionPolicy::TakeAll);
    app.add_flag ("--list", options.list, "print the presets and parameters and exit");
    app.add_flag ("--quiet,-q", options.quiet, "no progress bar (the closing report line stays)");
    app.footer (kExamples);

    try
    {
        app.parse (argc, argv);
    }
    catch (const CLI::CallForHelp&)
    {
        ParseResult help;
        help.status = ParseResult::Status::help;
        help.message = app.help ();
        return help;
    }
    catch (const CLI::ParseError& e)
    {
        return failure (e.what ());
    }
    catch (const std::exception& e)
    {
        return failure (std::string ("bad command line: ") + e.what ());
    }

    if (!options.preset.empty ())
    {
        int64_t number = 0;
        if (parseInteger (options.preset, number) && number < 1)
            return failure ("--preset: number " + options.preset + ": presets count from 1");
    }
    else if (app.count ("--preset") > 0)
        return failure ("--preset: empty preset name");

    // --set and --param keep their command-line order among each other.
    size_t nextSet = 0, nextParam = 0;
    for (const CLI::Option* option : app.parse_order ())
    {
        ParameterSetting setting;
        if (option == set && nextSet < setTexts.size ())
        {
            setting.kind = ParameterSetting::Kind::byId;
            setting.originalText = setTexts[nextSet++];
            std::string problem;
            if (!parseIdAndNormalized (setting.originalText, setting.id, setting.normalized,
                                       problem))
                return failure ("--set: " + problem);
        }
        else if (option == param && nextParam < paramTexts.size ())
        {
            setting.kind = ParameterSetting::Kind::byName;
            setting.originalText = paramTexts[nextParam++];
            if (!splitAssignment (setting.originalText, setting.name, setting.valueText))
                return failure ("--param: expected NAME=VALUE, got '" + setting.originalText + "'");
        }
        else
            continue;
        options.settings.push_back (std::move (setting));
    }

    for (size_t i = 0; i + 1 < atTexts.size (); i += 2)
    {
        AutomationPoint point;
        if (!parseInteger (atTexts[i], point.sample) || point.sample < 0)
            return failure ("--at: sample position '" + atTexts[i]
                            + "' is not a whole number from 0 up");
        std::string problem;
        if (!parseIdAndNormalized (atTexts[i + 1], point.id, point.normalized, problem))
            return failure ("--at: " + problem);
        options.automation.push_back (point);
    }

    // Checked last: a value swallowed by the option before it is the more telling error.
    if (!options.list && (options.inputPath.empty () || options.outputPath.empty ()))
        return failure (options.inputPath.empty () ? "missing input file IN"
                                                   : "missing output file OUT");

    ParseResult result;
    result.options = std::move (options);
    return result;
}

}   // namespace Render
}   // namespace Morvane
