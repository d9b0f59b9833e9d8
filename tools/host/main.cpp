// SPDX-License-Identifier: GPL-3.0-or-later
// overmoor-host [--plugin PATH] [--preset K|NAME] [--scale F] [--screenshot FILE.png]: opens the
// Overmoor editor in a window of its own, as a host would, and runs until the window is closed.
// With --audio it plays the pedal live on JACK, with or without the window.
#include "host/EditorSession.h"
#include "host/LivePlayer.h"
#include "host/LiveState.h"
#include "render/PluginLocation.h"
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <strings.h>

namespace {

int fail (const std::string& message, int code = 1)
{
    std::fprintf (stderr, "overmoor-host: %s\n", message.c_str ());
    return code;
}

int run (int argc, char** argv)
{
    std::string pluginPath, presetChoice, screenshotPath;
    CLI::App app{"Opens the Overmoor editor in a window, as a host would."};
    app.add_option ("--plugin", pluginPath,
                    "the bundle; default: this build tree's, else ~/.vst3, /usr/lib/vst3 or /usr/local/lib/vst3");
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
                           : "'" + text + "' is no scale; give a number from 0.25 to 8 (2 for a 200 % desktop)";
            },
            "0.25-8"));
    app.add_option ("--screenshot", screenshotPath,
                    "write the window after start-up to this PNG and exit (offscreen when there is "
                    "no display)")
        ->check (CLI::Validator (
            [] (std::string& path) {
                const bool png = path.size () > 4 && strcasecmp (path.c_str () + path.size () - 4, ".png") == 0;
                return png ? std::string ()
                           : "'" + path + "': the picture is written as PNG, so the name must end in .png";
            },
            "FILE.png"));
    bool audio = false, noConnect = false;
    std::string inputPort, outputPorts, statePath = Morvane::HostTool::LiveState::defaultPath ();
    app.add_flag ("--audio", audio,
                  "play live on JACK (or PipeWire's JACK): client \"Overmoor\", ports in, out_L, "
                  "out_R; headless when there is no display, until Ctrl-C");
    app.add_flag ("--no-connect", noConnect, "with --audio: leave the ports unconnected");
    app.add_option ("--in", inputPort, "with --audio: connect the input to this port");
    app.add_option ("--out", outputPorts, "with --audio: connect the outputs to PORT[,PORT]");
    app.add_option ("--state", statePath,
                    "with --audio: restore from and save to this file (default: " + statePath + ")");
    app.footer ("Exit status: 0 done, 1 failure, 2 bad usage, 3 no JACK server or it shut down.");
    try
    {
        app.parse (argc, argv);
    }
    catch (const CLI::ParseError& e)
    {
        return app.exit (e) == 0 ? 0 : 2;
    }

    std::string error;
    const std::string bundle = Morvane::Render::locatePlugin (pluginPath, error);
    if (bundle.empty ())
        return fail (error);
    auto session = Morvane::HostTool::EditorSession::create (bundle, error);
    if (!session)
        return fail (bundle + ": " + error);
    if (!presetChoice.empty () && !session->selectPreset (presetChoice, error))
        return fail (error, 2);
    if (scale != 1.f && !session->setContentScale (scale, error))
        return fail (error, 2);

    const char* display = std::getenv ("DISPLAY");
    const bool haveDisplay = display && *display;
    if (audio)
    {
        Morvane::HostTool::LiveOptions live;
        live.jack.autoConnect = !noConnect;
        live.jack.inputPort = inputPort;
        for (size_t start = 0; !outputPorts.empty () && start <= outputPorts.size ();)
        {
            const size_t comma = std::min (outputPorts.find (',', start), outputPorts.size ());
            live.jack.outputPorts.push_back (outputPorts.substr (start, comma - start));
            start = comma + 1;
        }
        live.statePath = statePath;
        live.withWindow = haveDisplay;
        live.screenshotPath = screenshotPath;
        if (statePath.empty ())
            return fail ("no home folder for the state; name a file with --state", 2);
        return Morvane::HostTool::playLive (*session, live);
    }
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

} // namespace

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
