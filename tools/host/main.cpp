// SPDX-License-Identifier: GPL-3.0-or-later
// overmoor-host [--plugin PATH] [--preset K|NAME] [--scale F] [--screenshot FILE.png]: opens the
// Overmoor editor in a window of its own, as a host would, and runs until the window is closed.
// With --audio it plays the pedal live on JACK (Linux), with or without the window.
#include "host/EditorSession.h"
#include "host/LiveMode.h"
#include "host/ProgramArguments.h"
#include "render/PluginLocation.h"
#include <CLI/CLI.hpp>
#include <cstdio>
#include <cstdlib>
#include <cctype>
#include <exception>

namespace {

int fail (const std::string& message, int code = 1)
{
    std::fprintf (stderr, "overmoor-host: %s\n", message.c_str ());
    return code;
}

int run (int argc, char** argv)
{
    std::string pluginPath, presetChoice, screenshotPath;
    CLI::App app {"Opens the Overmoor editor in a window, as a host would."};
    app.add_option ("--plugin", pluginPath,
                    std::string ("the bundle; default: one in this program's folder or up to two "
                                 "above it (a build tree's), else in ")
                        + Morvane::Render::kInstalledFolders);
    app.add_option ("--preset", presetChoice,
                    "select a preset first: its name, or its number counting from 1 as the "
                    "editor's menu and overmoor-render --list do");
    float scale = 1.f;
    app.add_option ("--scale", scale, "the host's content scale (e.g. 2 for a 200 % desktop)")
        ->check (CLI::Validator (
            [] (std::string& text) {
                char* end = nullptr;
                const float value = std::strtof (text.c_str (), &end);
                return end != text.c_str () && *end == 0 && value >= 0.25f && value <= 8.f
                           ? std::string ()
                           : "'" + text
                                 + "' is no scale; give a number from 0.25 to 8 (2 for a 200 % "
                                   "desktop)";
            },
            "0.25-8"));
    app.add_option ("--screenshot", screenshotPath,
                    "write the window after start-up to this PNG and exit (offscreen when there is "
                    "no display; with --audio the whole window after 1.5 s of playing)")
        ->check (CLI::Validator (
            [] (std::string& path) {
                std::string suffix =
                    path.size () > 4 ? path.substr (path.size () - 4) : std::string ();
                for (char& c : suffix)
                    c = static_cast<char> (std::tolower (static_cast<unsigned char> (c)));
                const bool png = suffix == ".png";
                return png ? std::string ()
                           : "'" + path
                                 + "': the picture is written as PNG, so the name must end in .png";
            },
            "FILE.png"));
    Morvane::HostTool::LiveMode live;
    live.addTo (app);
    try
    {
        Morvane::HostTool::ProgramArguments arguments (argc, argv);
        app.parse (arguments.count (), arguments.values ());
    }
    catch (const CLI::ParseError& e)
    {
        return app.exit (e) == 0 ? 0 : 2;
    }

    if (live.requested ())
        if (const std::string why = live.unavailable (); !why.empty ())
            return fail (why, 2);

    std::string error;
    const std::string bundle = Morvane::Render::locatePlugin (pluginPath, error);
    if (bundle.empty ())
        return fail (error);
    auto session = Morvane::HostTool::EditorSession::create (bundle, error);
    if (!session)
        return fail (bundle + ": " + error);
    // Playing live, the preset is selected after the saved state is restored, so it wins.
    if (!live.requested () && !presetChoice.empty ()
        && !session->selectPreset (presetChoice, error))
        return fail (error, 2);
    if (scale != 1.f && !session->setContentScale (scale, error))
        return fail (error, 2);

    const bool haveDisplay = Morvane::HostTool::EditorSession::displayAvailable ();
    if (live.requested ())
        return live.play (*session, presetChoice, haveDisplay, screenshotPath);
    if (!screenshotPath.empty ())
    {
        // With a display the window really opens and runs a moment first, as a user would see it.
        if (haveDisplay && session->attachToWindow (error))
            session->runFor (300);
        if (!session->writeSnapshot (screenshotPath, error))
            return fail (error);
        return 0;
    }
    if (!haveDisplay)
        return fail (
            "no display (DISPLAY is not set); use --screenshot FILE.png to draw offscreen");
    if (!session->attachToWindow (error))
        return fail (error);
    session->runUntilClosed (24 * 3600 * 1000);
    return 0;
}

}   // namespace

int main (int argc, char** argv)
{
    try
    {
        return run (argc, argv);
    }
    catch (const std::exception& e)
    {
        return fail (e.what ());
    }
}
