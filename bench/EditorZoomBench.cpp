// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the window's zoom: drawing the artwork for a scale that is not embedded (once per
// scale and process), and a switch of the user's zoom until the whole window is drawn again at
// the new size, offscreen and, with $DISPLAY, in a real window. Target: a switch under 100 ms.
#include "controller/CMVXStravelEditController.h"
#include "editor/CMVXStravelGUIEditorVST3.h"
#include "gui/CFrame.h"
#include "gui/COffscreenContext.h"
#include "host/PlugFrame.h"
#include "host/PluginInstance.h"
#include "host/RunLoop.h"
#include "host/X11HostWindow.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "resources/artwork/Artwork.h"
#include <benchmark/benchmark.h>
#include <cairo.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

using namespace Steinberg;
using namespace VSTGUI;

namespace {

// The zoom a switch stores goes to a folder of the benchmark's own, never the user's.
const bool kPrivateConfig = [] {
    const auto folder = std::filesystem::temp_directory_path () / "overmoor-bench-config";
    std::filesystem::create_directories (folder);
    return setenv ("XDG_CONFIG_HOME", folder.c_str (), 1) == 0;
}();

// Every frame of every bitmap drawn from its vectors at one scale (the argument, in percent):
// the most a new scale could ever cost. The window draws frames as it shows them.
void BM_ArtworkForNewScale (benchmark::State& state)
{
    const double scale = state.range (0) / 100.;
    for (auto _ : state)
        for (int id : Morvane::Artwork::bitmapIds ())
        {
            const auto size = Morvane::Artwork::bitmapSize (id);
            cairo_surface_t* surface = cairo_image_surface_create (
                CAIRO_FORMAT_ARGB32, Morvane::Artwork::pixelWidth (id, scale),
                size.frames * Morvane::Artwork::framePixelHeight (id, scale));
            cairo_t* cr = cairo_create (surface);
            const bool drawn = Morvane::Artwork::drawBitmap (cr, id, scale);
            cairo_destroy (cr);
            cairo_surface_destroy (surface);
            if (!drawn)
                return state.SkipWithError ("a bitmap was not drawn");
        }
    state.SetLabel ("all artwork, every frame, at " + std::to_string (state.range (0)) + " %");
}
BENCHMARK (BM_ArtworkForNewScale)
    ->Arg (125)
    ->Arg (150)
    ->Arg (300)
    ->Unit (benchmark::kMillisecond)
    ->UseRealTime ()
    ->Iterations (1);

// One plug-in instance with an editor opened offscreen and a host plug frame that grants sizes.
struct ZoomSession
{
    ZoomSession ()
    {
        factory = GetPluginFactory ();
        std::string error;
        instance = Morvane::Host::PluginInstance::create (factory, error);
        controller =
            instance ? dynamic_cast<CMVXStravelEditController*> (instance->controller ()) : nullptr;
        if (!controller)
            return;
        controller->setParamNormalized (1, 1.0);   // "Metal Tone": the most knobs
        view = Steinberg::owned (controller->createView ("editor"));
        editor = dynamic_cast<CMVXStravelGUIEditorVST3*> (view.get ());
        loop = Steinberg::owned (new Morvane::Host::RunLoop);
        plugFrame = Steinberg::owned (new Morvane::Host::PlugFrame (loop));
        if (editor)
            view->setFrame (plugFrame);
    }
    ~ZoomSession ()
    {
        if (editor)
        {
            editor->setUserZoom (1.);
            if (editor->getFrame () && !window)
                editor->close ();
            view->setFrame (nullptr);
        }
        view = nullptr;
        instance.reset ();
        factory->release ();
    }

    // The switch as the menu makes it, then the whole window drawn at the new zoom.
    bool switchAndDraw (double zoom)
    {
        if (!editor->setUserZoom (zoom))
            return false;
        CFrame* frame = editor->getFrame ();
        auto context =
            COffscreenContext::create (frame->getWidth (), frame->getHeight (), frame->getZoom ());
        frame->invalid ();
        return frame->drawDirtyRects (context) > 0;
    }

    IPluginFactory* factory;
    std::unique_ptr<Morvane::Host::PluginInstance> instance;
    CMVXStravelEditController* controller = nullptr;
    IPtr<IPlugView> view;
    CMVXStravelGUIEditorVST3* editor = nullptr;
    IPtr<Morvane::Host::RunLoop> loop;
    IPtr<Morvane::Host::PlugFrame> plugFrame;
    std::unique_ptr<Morvane::Host::X11HostWindow> window;
};

// A switch from 100 % to a zoom (the argument, in percent) whose artwork this process has not
// drawn yet (a fresh bitmap store each time), the drawing of the frames shown included; 200 %
// decodes the embedded 2x bitmaps instead.
void BM_FirstSwitchToNewZoom (benchmark::State& state)
{
    const double zoom = state.range (0) / 100.;
    for (auto _ : state)
    {
        state.PauseTiming ();
        auto session = std::make_unique<ZoomSession> ();
        if (!session->editor
            || !session->editor->open (nullptr, PlatformType::kDefaultNative, nullptr))
            return state.SkipWithError ("no editor");
        state.ResumeTiming ();
        if (!session->switchAndDraw (zoom))
            return state.SkipWithError ("the switch drew nothing");
        state.PauseTiming ();
        session.reset ();
        state.ResumeTiming ();
    }
    state.SetLabel ("first switch 100 -> " + std::to_string (state.range (0)) + " % (Metal Tone)");
}
BENCHMARK (BM_FirstSwitchToNewZoom)
    ->Arg (125)
    ->Arg (150)
    ->Arg (200)
    ->Arg (300)
    ->Unit (benchmark::kMillisecond)
    ->UseRealTime ()
    ->Iterations (5);

// Switching back and forth between zooms already seen (150 % and 200 %).
void BM_SwitchZoom (benchmark::State& state)
{
    ZoomSession session;
    if (!session.editor || !session.editor->open (nullptr, PlatformType::kDefaultNative, nullptr))
        return state.SkipWithError ("no editor");
    session.switchAndDraw (1.5);
    session.switchAndDraw (2.);
    int step = 0;
    for (auto _ : state)
        if (!session.switchAndDraw (step++ % 2 ? 2. : 1.5))
            return state.SkipWithError ("the switch drew nothing");
    state.SetLabel ("zoom switch 150 <-> 200 %, offscreen");
}
BENCHMARK (BM_SwitchZoom)->Unit (benchmark::kMillisecond)->UseRealTime ();

// The same in a real X11 window: the switch until the run loop has resized, drawn and copied
// the window and stays quiet for 2 ms (counted in). Only with a display.
void BM_SwitchZoomInWindow (benchmark::State& state)
{
    const char* display = std::getenv ("DISPLAY");
    if (!display || !*display)
        return state.SkipWithError ("no display");
    ZoomSession session;
    std::string error;
    session.window = Morvane::Host::X11HostWindow::create (180, 300, "Overmoor bench", error);
    if (!session.editor || !session.window)
        return state.SkipWithError ("no editor or window");
    Morvane::Host::X11HostWindow* host = session.window.get ();
    session.plugFrame->setResizeHook (
        [host] (const ViewRect& r) { host->resize (r.getWidth (), r.getHeight ()); });
    session.window->attach (*session.loop);
    session.view->attached (reinterpret_cast<void*> (uintptr_t (session.window->windowId ())),
                            kPlatformTypeX11EmbedWindowID);
    auto settle = [&session] {
        int handled = 0;
        for (int passes = 0, calls = session.loop->runOnce (2);
             (calls > 0 || handled == 0) && passes < 500;
             ++passes, calls = session.loop->runOnce (2))
            handled += calls;
    };
    settle ();
    session.editor->setUserZoom (1.5);
    settle ();
    int step = 0;
    for (auto _ : state)
    {
        session.editor->setUserZoom (step++ % 2 ? 1.5 : 2.);
        settle ();
    }
    session.editor->setUserZoom (1.);
    session.view->removed ();
    session.view->setFrame (nullptr);
    session.window->detach ();
    state.SetLabel ("zoom switch 150 <-> 200 %, X11 window");
}
BENCHMARK (BM_SwitchZoomInWindow)->Unit (benchmark::kMillisecond)->UseRealTime ()->Iterations (20);

}   // namespace
