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

std::atomic<bool> stopRequested {false};

void requestStop (int) { stopRequested.store (true); }

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
    cairo_surface_t* surface = cairo_image_surface_create_for_data (
        reinterpret_cast<unsigned char*> (pixels.data ()), CAIRO_FORMAT_RGB24, width, height,
        width * 4);
    const bool ok = cairo_surface_write_to_png (surface, path.c_str ()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy (surface);
    return ok;
}

} // namespace

int playLive (EditorSession& session, const LiveOptions& options)
{
    Host::PluginInstance& instance = session.instance ();
    LiveState state (options.statePath);
    HostLevels levels;
    std::string message;
    if (!state.restore (instance, levels, message))
        say (message);

    ParameterChangeQueue edits;
    auto handler = Steinberg::owned (new EditForwardingHandler (edits));
    instance.controller ()->setComponentHandler (handler);
    struct HandlerRelease // the queue goes with this function; the controller stays
    {
        Steinberg::Vst::IEditController* controller;
        ~HandlerRelease () { controller->setComponentHandler (nullptr); }
    } handlerRelease {instance.controller ()};

    auto engine = JackAudioEngine::open (instance, edits, options.jack, message);
    if (!engine)
    {
        say (message);
        return kExitNoAudioServer;
    }
    engine->setInputTrimDb (levels.inputTrimDb);
    engine->setOutputLevelDb (levels.outputLevelDb);

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

    std::string warnings;
    if (!engine->start (message, warnings))
    {
        say (message);
        return kExitNoAudioServer;
    }
    if (!warnings.empty ())
        std::fprintf (stderr, "%s", warnings.c_str ());
    std::printf ("Overmoor is playing on JACK as %s (%.0f Hz, %d frames); state: %s\n",
                 engine->clientName ().c_str (), engine->sampleRateHz (),
                 static_cast<int> (engine->blockSize ()), state.path ().c_str ());
    std::fflush (stdout);

    struct sigaction action {};
    action.sa_handler = &requestStop;
    sigaction (SIGINT, &action, nullptr);
    sigaction (SIGTERM, &action, nullptr);

    int status = 0;
    const auto started = std::chrono::steady_clock::now ();
    Host::X11HostWindow* window = session.window ();
    while (!stopRequested.load () && !(window && window->closeRequested ()))
    {
        if (window)
            session.runLoop ()->runUntil ([&] { return stopRequested.load () || window->closeRequested (); }, 30);
        else
            std::this_thread::sleep_for (std::chrono::milliseconds (30));
        if (!engine->service (message))
        {
            say (message);
            status = kExitNoAudioServer;
            break;
        }
        if (window && !options.screenshotPath.empty () &&
            std::chrono::steady_clock::now () - started > std::chrono::milliseconds (1500))
        {
            if (!writeWindowPicture (*window, options.screenshotPath))
            {
                say ("cannot write " + options.screenshotPath);
                status = 1;
            }
            break;
        }
    }

    engine->stop ();
    if (strip)
        strip->detach ();
    session.detach ();
    strip.reset ();
    if (!state.save (instance, levels, message))
    {
        say (message);
        return status ? status : 1;
    }
    if (status)
        say ("state saved to " + state.path ());
    return status;
}

} // namespace HostTool
} // namespace Morvane
