// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"
#include "OvermoorHarnesses.h"
#include "render/RenderOptions.h"
#include <vector>

using Morvane::Render::ParseResult;
using Morvane::Render::RenderOptions;

namespace OvermoorFuzz {

std::string runRenderOptions (const uint8_t* data, size_t size)
{
    constexpr size_t kMaxArguments = 64;
    Problems problems;
    std::vector<std::string> arguments {"overmoor-render"};
    std::string current;
    for (size_t i = 0; i < size && arguments.size () < kMaxArguments; ++i)
    {
        if (data[i] == 0)
        {
            arguments.push_back (current);
            current.clear ();
        }
        else
            current += static_cast<char> (data[i]);
    }
    if (!current.empty () && arguments.size () < kMaxArguments)
        arguments.push_back (current);
    std::vector<const char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back (argument.c_str ());
    argv.push_back (nullptr);

    const ParseResult result = Morvane::Render::parseRenderOptions (static_cast<int> (arguments.size ()), argv.data ());
    if (result.status == ParseResult::Status::error)
        problems.expect (!result.message.empty () && result.message.find ('\n') == std::string::npos,
                         "error message is not one non-empty line");
    else if (result.status == ParseResult::Status::help)
        problems.expect (!result.message.empty (), "empty help text");
    else
    {
        const RenderOptions& options = result.options;
        problems.expect (options.list || (!options.inputPath.empty () && !options.outputPath.empty ()),
                         "accepted without input and output files");
        problems.expect (options.blockSize >= 1 && options.blockSize <= RenderOptions::kMaxBlockSize,
                         "accepted block size out of range");
        for (const auto& setting : options.settings)
        {
            if (setting.kind == Morvane::Render::ParameterSetting::Kind::byId)
                problems.expect (setting.id >= 0 && isUnitValue (setting.normalized), "accepted --set out of range");
            else
                problems.expect (!setting.name.empty () && !setting.valueText.empty (), "accepted --param with an empty side");
        }
        for (const auto& point : options.automation)
            problems.expect (point.sample >= 0 && point.id >= 0 && isUnitValue (point.normalized),
                             "accepted --at out of range");
    }
    return problems.text ();
}

} // namespace OvermoorFuzz
