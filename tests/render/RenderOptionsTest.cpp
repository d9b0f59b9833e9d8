// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/RenderOptions.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace Morvane {
namespace Render {
namespace {

ParseResult parse (std::initializer_list<const char*> args)
{
    std::vector<const char*> argv {"overmoor-render"};
    argv.insert (argv.end (), args.begin (), args.end ());
    return parseRenderOptions (static_cast<int> (argv.size ()), argv.data ());
}

TEST (RenderOptions, FilesAndDefaults)
{
    const ParseResult r = parse ({"in.wav", "out.wav"});
    ASSERT_EQ (r.status, ParseResult::Status::ok) << r.message;
    EXPECT_EQ (r.options.inputPath, "in.wav");
    EXPECT_EQ (r.options.outputPath, "out.wav");
    EXPECT_EQ (r.options.blockSize, 256);
    EXPECT_TRUE (r.options.pluginPath.empty ());
    EXPECT_TRUE (r.options.preset.empty ());
    EXPECT_TRUE (r.options.settings.empty ());
    EXPECT_TRUE (r.options.automation.empty ());
    EXPECT_FALSE (r.options.list);
    EXPECT_FALSE (r.options.quiet);
}

TEST (RenderOptions, EveryOptionIsTaken)
{
    const ParseResult r = parse ({"--plugin", "/x/Overmoor.vst3", "--block=100", "--preset", "Full Drive", "--quiet",
                                  "a.flac", "b.wav"});
    ASSERT_EQ (r.status, ParseResult::Status::ok) << r.message;
    EXPECT_EQ (r.options.pluginPath, "/x/Overmoor.vst3");
    EXPECT_EQ (r.options.blockSize, 100);
    EXPECT_EQ (r.options.preset, "Full Drive");
    EXPECT_TRUE (r.options.quiet);
}

TEST (RenderOptions, SetAndParamKeepCommandLineOrder)
{
    const ParseResult r = parse ({"--param", "Model=9 Screamer", "--set", "3=0.25", "--param", "Overdrive=70",
                                  "--set", "0=1", "in.wav", "out.wav"});
    ASSERT_EQ (r.status, ParseResult::Status::ok) << r.message;
    const auto& s = r.options.settings;
    ASSERT_EQ (s.size (), 4u);
    EXPECT_EQ (s[0].kind, ParameterSetting::Kind::byName);
    EXPECT_EQ (s[0].name, "Model");
    EXPECT_EQ (s[0].valueText, "9 Screamer");
    EXPECT_EQ (s[1].kind, ParameterSetting::Kind::byId);
    EXPECT_EQ (s[1].id, 3);
    EXPECT_DOUBLE_EQ (s[1].normalized, 0.25);
    EXPECT_EQ (s[2].name, "Overdrive");
    EXPECT_EQ (s[2].valueText, "70");
    EXPECT_EQ (s[3].id, 0);
    EXPECT_DOUBLE_EQ (s[3].normalized, 1.0);
}

TEST (RenderOptions, ParamValueMayHoldEqualsAndBlanks)
{
    const ParseResult r = parse ({"--param", "Parameter 1= 42.5 %", "--param=Model=a=b", "in.wav", "out.wav"});
    ASSERT_EQ (r.status, ParseResult::Status::ok) << r.message;
    EXPECT_EQ (r.options.settings[0].name, "Parameter 1");
    EXPECT_EQ (r.options.settings[0].valueText, " 42.5 %");
    EXPECT_EQ (r.options.settings[1].name, "Model");
    EXPECT_EQ (r.options.settings[1].valueText, "a=b");
}

TEST (RenderOptions, AutomationPairsInOrder)
{
    const ParseResult r = parse ({"--at", "1000", "0=0", "in.wav", "--at", "0", "2=0.5", "out.wav"});
    ASSERT_EQ (r.status, ParseResult::Status::ok) << r.message;
    ASSERT_EQ (r.options.automation.size (), 2u);
    EXPECT_EQ (r.options.automation[0].sample, 1000);
    EXPECT_EQ (r.options.automation[0].id, 0);
    EXPECT_DOUBLE_EQ (r.options.automation[0].normalized, 0.0);
    EXPECT_EQ (r.options.automation[1].sample, 0);
    EXPECT_EQ (r.options.automation[1].id, 2);
    EXPECT_DOUBLE_EQ (r.options.automation[1].normalized, 0.5);
    EXPECT_EQ (r.options.inputPath, "in.wav");
    EXPECT_EQ (r.options.outputPath, "out.wav");
}

TEST (RenderOptions, ListNeedsNoFiles)
{
    const ParseResult r = parse ({"--list", "--preset", "3"});
    ASSERT_EQ (r.status, ParseResult::Status::ok) << r.message;
    EXPECT_TRUE (r.options.list);
    EXPECT_EQ (r.options.preset, "3");
}

TEST (RenderOptions, HelpIsNotAnError)
{
    for (const char* flag : {"--help", "-h"})
    {
        const ParseResult r = parse ({flag});
        EXPECT_EQ (r.status, ParseResult::Status::help);
        EXPECT_NE (r.message.find ("--preset"), std::string::npos);
        EXPECT_NE (r.message.find ("--at"), std::string::npos);
    }
}

struct BadCommandLine
{
    std::vector<const char*> args;
    const char* mentions;   // the error names the culprit
};

TEST (RenderOptions, BadCommandLinesAreOneLineErrors)
{
    const std::vector<BadCommandLine> cases = {
        {{}, "IN"},
        {{"in.wav"}, "OUT"},
        {{"in.wav", "out.wav", "extra.wav"}, "extra.wav"},
        {{"--bogus", "in.wav", "out.wav"}, "--bogus"},
        {{"--block", "0", "in.wav", "out.wav"}, "--block"},
        {{"--block", "65537", "in.wav", "out.wav"}, "--block"},
        {{"--block", "12x", "in.wav", "out.wav"}, "--block"},
        {{"--set", "3", "in.wav", "out.wav"}, "ID=NORM"},
        {{"--set", "x=0.5", "in.wav", "out.wav"}, "'x'"},
        {{"--set", "-1=0.5", "in.wav", "out.wav"}, "'-1'"},
        {{"--set", "1=1.5", "in.wav", "out.wav"}, "'1.5'"},
        {{"--set", "1=nan", "in.wav", "out.wav"}, "'nan'"},
        {{"--set", "1=", "in.wav", "out.wav"}, "ID=NORM"},
        {{"--param", "Gain", "in.wav", "out.wav"}, "NAME=VALUE"},
        {{"--param", "=5", "in.wav", "out.wav"}, "NAME=VALUE"},
        {{"--at", "-5", "0=1", "in.wav", "out.wav"}, "'-5'"},
        {{"--at", "10", "in.wav", "out.wav"}, "--at"},
        {{"--at", "1.5", "0=1", "in.wav", "out.wav"}, "'1.5'"},
        {{"--preset", "-2", "in.wav", "out.wav"}, "-2"},
        {{"--preset", "", "in.wav", "out.wav"}, "--preset"},
        {{"--set"}, "--set"},
    };
    for (const BadCommandLine& c : cases)
    {
        std::vector<const char*> argv {"overmoor-render"};
        argv.insert (argv.end (), c.args.begin (), c.args.end ());
        const ParseResult r = parseRenderOptions (static_cast<int> (argv.size ()), argv.data ());
        std::string joined;
        for (const char* a : c.args)
            joined += std::string (a) + " ";
        EXPECT_EQ (r.status, ParseResult::Status::error) << joined;
        EXPECT_NE (r.message.find (c.mentions), std::string::npos) << joined << "-> " << r.message;
        EXPECT_EQ (r.message.find ('\n'), std::string::npos) << r.message;
    }
}

TEST (RenderOptions, NoArgumentVectorAtAll)
{
    EXPECT_EQ (parseRenderOptions (0, nullptr).status, ParseResult::Status::error);
}

TEST (RenderOptions, StrictNumbers)
{
    int64_t i = 0;
    EXPECT_TRUE (parseInteger ("1024", i));
    EXPECT_EQ (i, 1024);
    EXPECT_TRUE (parseInteger ("-3", i));
    EXPECT_EQ (i, -3);
    for (const char* bad : {"", " 1", "1 ", "1e3", "0x10", "99999999999999999999999", "--1"})
        EXPECT_FALSE (parseInteger (bad, i)) << bad;
    double d = 0.0;
    EXPECT_TRUE (parseReal ("0.5", d));
    EXPECT_DOUBLE_EQ (d, 0.5);
    EXPECT_TRUE (parseReal ("1e-2", d));
    EXPECT_DOUBLE_EQ (d, 0.01);
    for (const char* bad : {"", " 0.5", "0.5 ", "inf", "nan", "1e999", "0.5x"})
        EXPECT_FALSE (parseReal (bad, d)) << bad;
}

} // namespace
} // namespace Render
} // namespace Morvane
