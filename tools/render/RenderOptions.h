// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The renderer's command line, parsed into plain data without touching files or the plug-in,
// so that it can be tested and fuzzed on its own.
#include <cstdint>
#include <string>
#include <vector>

namespace Morvane {
namespace Render {

// A parameter value applied before the first block: by id as a normalised value (--set), or by
// name or title as a plain value or value text (--param), resolved once the plug-in is loaded.
struct ParameterSetting
{
    enum class Kind
    {
        byId,
        byName
    };
    Kind kind = Kind::byId;
    int32_t id = 0;
    double normalized = 0.0;
    std::string name;
    std::string valueText;
    std::string originalText;   // as given, for error messages
};

// One automation point for the input parameter queue of the block that starts at or after sample.
struct AutomationPoint
{
    int64_t sample = 0;
    int32_t id = 0;
    double normalized = 0.0;
};

struct RenderOptions
{
    static constexpr int32_t kDefaultBlockSize = 256;
    static constexpr int32_t kMaxBlockSize = 65536;

    std::string inputPath;
    std::string outputPath;
    std::string pluginPath;   // empty: the default bundle
    int32_t blockSize = kDefaultBlockSize;
    std::string preset;   // empty: none; a number or a preset name
    std::vector<ParameterSetting> settings;   // --set and --param in command-line order
    std::vector<AutomationPoint> automation;   // --at in command-line order
    bool list = false;
    bool quiet = false;
};

struct ParseResult
{
    enum class Status
    {
        ok,   // options holds the request
        help,   // message holds the help text; print it to stdout and exit 0
        error   // message holds one line naming the problem; exit 2
    };
    Status status = Status::ok;
    RenderOptions options;
    std::string message;
};

// Never exits, never prints, never throws.
ParseResult parseRenderOptions (int argc, const char* const* argv);

// Strict number parsing shared with the parameter resolution: the whole text must be the number.
bool parseInteger (const std::string& text, int64_t& value);
bool parseReal (const std::string& text, double& value);

}   // namespace Render
}   // namespace Morvane
