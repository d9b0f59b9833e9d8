// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The host's own panel under the pedal while it plays live: input and output peak meters with
// clip lamps, the xrun count, the round-trip latency, and the input trim and output level
// sliders. A child window of the host window on a connection of its own, redrawn by a timer of
// the host's run loop; drag or scroll a slider, right-click it for 0 dB.
#include "host/JackAudioEngine.h"
#include "host/LiveState.h"
#include "host/RunLoop.h"
#include <cstdint>
#include <memory>
#include <string>

struct xcb_connection_t;
typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo cairo_t;

namespace Morvane {
namespace HostTool {

class LiveStrip
{
public:
    static constexpr int kHeight = 116;

    static std::unique_ptr<LiveStrip> create (uint32_t parentWindow, int top, int width,
                                              JackAudioEngine& engine, HostLevels& levels,
                                              std::string& error);
    ~LiveStrip ();
    LiveStrip (const LiveStrip&) = delete;
    LiveStrip& operator= (const LiveStrip&) = delete;

    bool attach (Host::RunLoop& loop);
    void detach ();
    // Follows the view when the editor changes size.
    void place (int top, int width);

private:
    class Handlers;
    enum Slider
    {
        trimSlider,
        levelSlider,
        noSlider
    };
    LiveStrip (JackAudioEngine& engine, HostLevels& levels);
    void processEvents ();
    void tick ();
    void draw ();
    void drawMeter (cairo_t* cr, int row, const char* label, float shownDb, bool clipLit);
    void drawSlider (cairo_t* cr, Slider which, const char* label, float db);
    void sliderTrack (Slider which, double& x, double& y, double& w) const;
    Slider sliderAt (int x, int y) const;
    void setSlider (Slider which, float db);
    void dragTo (int x);

    JackAudioEngine& audio;
    HostLevels& hostLevels;
    xcb_connection_t* connection = nullptr;
    uint32_t window = 0;
    int stripWidth = 0;
    cairo_surface_t* windowSurface = nullptr;
    Slider dragging = noSlider;
    float shownDb[2] = {-120.f, -120.f};
    uint32_t lastClips[2] = {0, 0};
    int clipHoldTicks[2] = {0, 0};
    Steinberg::IPtr<Host::RunLoop> attachedLoop;
    Steinberg::IPtr<Handlers> handlers;
};

}   // namespace HostTool
}   // namespace Morvane
