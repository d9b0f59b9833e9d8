// SPDX-License-Identifier: GPL-3.0-or-later
// The renderer's command line, parsed on its own: what each option yields, and one-line errors
// naming the culprit for everything else.
#include "render/RenderOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Morvane {
namespace Render {
namespace {

ParseResult parse (const std::vector<const char*>& args)
{
    std::vector<const char*> argv {"overmoor-render"};
    argv.insert (argv.end (), args.begin (), args.end ());
    return parseRenderOptions (static_cast<int> (argv.size ()), argv.data ());
}

TEST (RenderOptions, DefaultsAndEveryOption)
{
    ParseResult r = parse ({"in.wav", "out.wav"});
    ASSERT_EQ (r.status, ParseResult::Status::ok) << r.message;
    EXPECT_EQ (r.options.blockSize, 256);
    EXPECT_TRUE (r.options.pluginPath.empty () && r.options.preset.empty ()
                 && r.options.settings.empty () && r.options.automation.empty () && !r.options.list
                 && !r.options.quiet);

    r = parse ({"--plugin", "/x/Overmoor.vst3", "--block=100", "--preset", "Full Drive", "--quiet",
                "a.flac", "b.wav"});
    ASSERT_EQ (r.status, ParseResult::Status::ok) << r.message;
    EXPECT_TRUE (r.options.pluginPath == "/x/Overmoor.vst3" && r.options.blockSize == 100
                 && r.options.preset == "Full Drive" && r.options.quiet);
    EXPECT_TRUE (r.options.inputPath == "a.flac" && r.options.outputPath == "b.wav");

    r = parse ({"--list", "--preset", "3"});   // no files needed
    ASSERT_EQ (r.status, ParseResult::Status::ok) << r.message;
    EXPECT_TRUE (r.options.list && r.options.preset == "3");
}

// --set and --param keep command-line order; a --param value may hold '=' and blanks; --at pairs
// may come anywhere, files included in between.
TEST (RenderOptions, SettingsAndAutomationKeepTheirOrder)
{
    const ParseResult r =
        parse ({"--param", "Parameter 1= 42.5 %", "--set", "3=0.25", "--param=Model=a=b", "--at",
                "1000", "0=0", "in.wav", "--set", "0=1", "--at", "0", "2=0.5", "out.wav"});
    ASSERT_EQ (r.status, ParseResult::Status::ok) << r.message;
    using Kind = ParameterSetting::Kind;
    const auto& s = r.options.settings;
    ASSERT_EQ (s.size (), 4u);
    EXPECT_TRUE (s[0].kind == Kind::byName && s[0].name == "Parameter 1"
                 && s[0].valueText == " 42.5 %");
    EXPECT_TRUE (s[1].kind == Kind::byId && s[1].id == 3 && s[1].normalized == 0.25);
    EXPECT_TRUE (s[2].kind == Kind::byName && s[2].name == "Model" && s[2].valueText == "a=b");
    EXPECT_TRUE (s[3].kind == Kind::byId && s[3].id == 0 && s[3].normalized == 1.0);
    const auto& a = r.options.automation;
    ASSERT_EQ (a.size (), 2u);
    EXPECT_TRUE (a[0].sample == 1000 && a[0].id == 0 && a[0].normalized == 0.0);
    EXPECT_TRUE (a[1].sample == 0 && a[1].id == 2 && a[1].normalized == 0.5);
    EXPECT_TRUE (r.options.inputPath == "in.wav" && r.options.outputPath == "out.wav");
}

TEST (RenderOptions, BadCommandLinesAreOneLineErrors)
{
    const std::vector<std::pair<std::vector<const char*>, const char*>> cases = {
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
        {{"--preset", "0", "in.wav", "out.wav"}, "count from 1"},
        {{"--preset", "", "in.wav", "out.wav"}, "--preset"},
        {{"--set"}, "--set"},
    };
    for (size_t k = 0; k < cases.size (); ++k)
    {
        const ParseResult r = parse (cases[k].first);
        EXPECT_EQ (r.status, ParseResult::Status::error) << "case " << k;
        EXPECT_TRUE (r.message.find (cases[k].second) != std::string::npos
                     && r.message.find ('\n') == std::string::npos)
            << "case " << k << " -> " << r.message;
    }
    EXPECT_EQ (parseRenderOptions (0, nullptr).status, ParseResult::Status::error);
}

TEST (RenderOptions, NumbersAreStrict)
{
    int64_t i = 0;
    double d = 0.0;
    EXPECT_TRUE (parseInteger ("1024", i) && i == 1024 && parseInteger ("-3", i) && i == -3);
    EXPECT_TRUE (parseReal ("0.5", d) && d == 0.5 && parseReal ("1e-2", d) && d == 0.01);
    for (const char* bad : {"", " 1", "1 ", "1e3", "0x10", "99999999999999999999999", "--1"})
        EXPECT_FALSE (parseInteger (bad, i)) << bad;
    for (const char* bad : {"", " 0.5", "0.5 ", "inf", "nan", "1e999", "0.5x"})
        EXPECT_FALSE (parseReal (bad, d)) << bad;
}

}   // namespace
}   // namespace Render
}   // namespace Morvane
