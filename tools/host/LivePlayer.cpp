// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/LivePlayer.h"
#include "host/EditForwardingHandler.h"
#include "host/LiveState.h"
#include "host/LiveStrip.h"
#include <cairo/cairo.h>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

namespace Morvane {
namespace HostTool {

namespace {

// How often the state is written while playing (only when it changed).
constexpr std::chrono::seconds kSaveInterval {5};

std::atomic<bool> stopRequested {false};

void requestStop (int)
{
    stopRequested.store (true);
}

void say (const std::string& message)
{
    std::fprintf (stderr, "overmoor-host: %s\n", message.c_str ());
}

bool writeWindowPicture (const Host::X11HostWindow& window, const std::string& path)
{
    int width = 0, height = 0;
    std::vector<uint32_t> pixels = window.capture (width, height);
    if (pixels.empty ())
        return false;
    cairo_surface_t* surface =
        cairo_image_surface_create_for_data (reinterpret_cast<unsigned char*> (pixels.data ()),
                                             CAIRO_FORMAT_RGB24, width, height, width * 4);
    const bool ok = cairo_surface_write_to_png (surface, path.c_str ()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy (surface);
    return ok;
}

// Opens the client, the window and its panel, and plays until something ends it; the exit status.
int playUntilStopped (EditorSession& session, const LiveOptions& options,
                      ParameterChangeQueue& edits, HostLevels& levels, LiveState& state)
{
    std::string message;
    auto engine = JackAudioEngine::open (session.instance (), edits, options.jack, message);
    if (!engine)
    {
        say (message);
        return kExitNoAudioServer;
    }
    engine->period ().setInputTrimDb (levels.inputTrimDb);
    engine->period ().setOutputLevelDb (levels.outputLevelDb);

    std::unique_ptr<LiveStrip> strip;
    if (options.withWindow)
    {
        if (!session.attachToWindow (message, LiveStrip::kHeight))
        {
            say (message);
            return 1;
        }
        Steinberg::ViewRect size;
        session.view ()->getSize (&size);
        strip = LiveStrip::create (session.window ()->windowId (), size.getHeight (),
                                   size.getWidth (), *engine, levels, message);
        if (!strip)
        {
            say (message);
            return 1;
        }
        strip->attach (*session.runLoop ());
        session.onViewResized ([&strip] (int width, int height) { strip->place (height, width); });
    }
    struct WindowClose   // the panel and the view leave before the engine they show
    {
        EditorSession& session;
        std::unique_ptr<LiveStrip>& strip;
        ~WindowClose ()
        {
            session.onViewResized (nullptr);
            strip.reset ();
            session.detach ();
        }
    } windowClose {session, strip};

    std::string warnings;
    if (!engine->start (message, warnings))
    {
        // A signal can cut short the server's answer: that is the user stopping, not a failure.
        if (stopRequested.load ())
            return 0;
        say (message);
        return engine->namedPortFailed () ? 2 : kExitNoAudioServer;
    }
    if (!warnings.empty ())
        std::fprintf (stderr, "%s", warnings.c_str ());
    std::printf ("Overmoor is playing on JACK as %s (%.0f Hz, %d frames)\n",
                 engine->clientName ().c_str (), engine->sampleRateHz (),
                 static_cast<int> (engine->blockSize ()));
    std::fflush (stdout);

    const auto started = std::chrono::steady_clock::now ();
    auto lastSave = started;
    bool saveFailed = false;
    Host::X11HostWindow* window = session.window ();
    auto stopping = [&] { return stopRequested.load () || (window && window->closeRequested ()); };
    while (!stopping ())
    {
        if (window)
            session.runLoop ()->runUntil (stopping, 30);
        else
            std::this_thread::sleep_for (std::chrono::milliseconds (30));
        if (!engine->service (message))
        {
            say (message);
            return kExitNoAudioServer;
        }
        const auto now = std::chrono::steady_clock::now ();
        if (now - lastSave > kSaveInterval)
        {
            lastSave = now;
            const bool saved = state.save (session.instance (), levels, message);
            if (!saved && !saveFailed)
                say (message);   // once; the save at the end says it again
            saveFailed = !saved;
        }
        if (window && !options.screenshotPath.empty ()
            && std::chrono::steady_clock::now () - started > std::chrono::milliseconds (1500))
        {
            if (writeWindowPicture (*window, options.screenshotPath))
                break;
            say ("cannot write " + options.screenshotPath);
            return 1;
        }
    }
    engine->stop ();
    return 0;
}

}   // namespace

int playLive (EditorSession& session, const LiveOptions& options)
{
    // From the start: a stop requested while the client is still being set up is a clean stop too.
    struct sigaction action
    {};
    action.sa_handler = &requestStop;
    action.sa_flags = SA_RESTART;
    sigaction (SIGINT, &action, nullptr);
    sigaction (SIGTERM, &action, nullptr);

    Host::PluginInstance& instance = session.instance ();
    LiveState state (options.statePath);
    HostLevels levels;
    std::string message;
    if (!state.restore (instance, levels, message))
        say (message);
    if (!options.preset.empty () && !session.selectPreset (options.preset, message))
    {
        say (message);
        return 2;
    }

    ParameterChangeQueue edits;
    auto handler = Steinberg::owned (new EditForwardingHandler (edits));
    instance.controller ()->setComponentHandler (handler);
    const int status = playUntilStopped (session, options, edits, levels, state);
    instance.controller ()->setComponentHandler (nullptr);   // the queue goes with this function

    if (!state.save (instance, levels, message))
    {
        say (message);
        return status ? status : 1;
    }
    if (status)
        say ("state saved to " + state.path ());
    return status;
}

}   // namespace HostTool
}   // namespace Morvane
