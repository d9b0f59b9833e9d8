// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the pedal editor: opening the window until its first picture is drawn, and one knob
// change until its rectangle is redrawn. Offscreen always; the attach into a real X11 window
// too when $DISPLAY is set. Targets: under 20 ms to open, under 1 ms per knob redraw.
#include "controller/CMVXStravelEditController.h"
#include "editor/CMVXStravelGUIEditorVST3.h"
#include "gui/CFrame.h"
#include "gui/COffscreenContext.h"
#include "host/PlugFrame.h"
#include "host/PluginInstance.h"
#include "host/RunLoop.h"
#include "host/X11HostWindow.h"
#include "pluginterfaces/base/ipluginbase.h"
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

using namespace Steinberg;
using namespace VSTGUI;

namespace {

// One plug-in instance with an editor view, as createView hands it out.
struct Session
{
    Session ()
    {
        factory = GetPluginFactory ();
        std::string error;
        instance = Morvane::Host::PluginInstance::create (factory, error);
        controller =
            instance ? dynamic_cast<CMVXStravelEditController*> (instance->controller ()) : nullptr;
        if (controller)
        {
            controller->setParamNormalized (1, 1.0);   // "Metal Tone": the most knobs
            view = Steinberg::owned (controller->createView ("editor"));
            editor = dynamic_cast<CMVXStravelGUIEditorVST3*> (view.get ());
            // What attached () does besides the window: the controller now tells this editor.
            if (editor)
                controller->editorAttached (editor);
        }
    }
    ~Session ()
    {
        if (editor)
            controller->editorRemoved (editor);
        view = nullptr;
        instance.reset ();
        factory->release ();
    }

    IPluginFactory* factory;
    std::unique_ptr<Morvane::Host::PluginInstance> instance;
    CMVXStravelEditController* controller = nullptr;
    IPtr<IPlugView> view;
    CMVXStravelGUIEditorVST3* editor = nullptr;
};

// open as attached () runs it, then the first full picture into an offscreen buffer.
void BM_OpenOffscreenToFirstPicture (benchmark::State& state)
{
    Session session;
    if (!session.editor)
        return state.SkipWithError ("no editor");
    SharedPointer<COffscreenContext> context = COffscreenContext::create (180, 300);
    for (auto _ : state)
    {
        session.editor->open (nullptr, PlatformType::kDefaultNative, nullptr);
        CFrame* frame = session.editor->getFrame ();
        frame->invalid ();
        if (frame->drawDirtyRects (context) == 0)
            return state.SkipWithError ("nothing drawn");
        state.PauseTiming ();
        session.editor->close ();
        state.ResumeTiming ();
    }
    state.SetLabel ("open, offscreen");
}
BENCHMARK (BM_OpenOffscreenToFirstPicture)->Unit (benchmark::kMillisecond)->UseRealTime ();

// A knob value from the controller until the knob's rectangle is drawn again.
void BM_KnobChangeToRedraw (benchmark::State& state)
{
    Session session;
    if (!session.editor)
        return state.SkipWithError ("no editor");
    session.editor->open (nullptr, PlatformType::kDefaultNative, nullptr);
    CFrame* frame = session.editor->getFrame ();
    SharedPointer<COffscreenContext> context = COffscreenContext::create (180, 300);
    frame->invalid ();
    frame->drawDirtyRects (context);
    int step = 0;
    int64_t drawn = 0;
    for (auto _ : state)
    {
        session.controller->setParamNormalized (2, (step++ % 100) / 99.0);
        drawn += frame->drawDirtyRects (context);
    }
    if (drawn < state.iterations ())
        state.SkipWithError ("a knob change drew nothing");
    session.editor->close ();
    state.SetLabel ("knob change, offscreen");
}
BENCHMARK (BM_KnobChangeToRedraw)->Unit (benchmark::kMicrosecond)->UseRealTime ();

// attached () into a host window until the run loop has handled the window's events (mapped,
// exposed, drawn) and then stays quiet for 2 ms, which is counted in; then removed (). Only
// with a display.
void BM_AttachToWindow (benchmark::State& state)
{
    const char* display = std::getenv ("DISPLAY");
    if (!display || !*display)
        return state.SkipWithError ("no display");
    Session session;
    std::string error;
    auto window = Morvane::Host::X11HostWindow::create (180, 300, "Overmoor bench", error);
    if (!session.editor || !window)
        return state.SkipWithError ("no editor or window");
    IPtr<Morvane::Host::RunLoop> loop = Steinberg::owned (new Morvane::Host::RunLoop);
    IPtr<Morvane::Host::PlugFrame> plugFrame =
        Steinberg::owned (new Morvane::Host::PlugFrame (loop));
    window->attach (*loop);
    session.view->setFrame (plugFrame);
    void* parent = reinterpret_cast<void*> (uintptr_t (window->windowId ()));
    for (auto _ : state)
    {
        session.view->attached (parent, kPlatformTypeX11EmbedWindowID);
        int handled = 0;
        for (int passes = 0, calls = loop->runOnce (2); (calls > 0 || handled == 0) && passes < 500;
             ++passes, calls = loop->runOnce (2))
            handled += calls;
        state.PauseTiming ();
        session.view->removed ();
        loop->runFor (5);
        state.ResumeTiming ();
    }
    session.view->setFrame (nullptr);
    window->detach ();
    state.SetLabel ("attach to an X11 window");
}
BENCHMARK (BM_AttachToWindow)->Unit (benchmark::kMillisecond)->UseRealTime ()->Iterations (30);

}   // namespace

BENCHMARK_MAIN ();
