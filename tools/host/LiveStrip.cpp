// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/LiveStrip.h"
#include "gui/platform/x11/XcbLookups.h"
#include <cairo/cairo-xcb.h>
#include <cairo/cairo.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <xcb/xcb.h>

namespace Morvane {
namespace HostTool {

using namespace Steinberg;

class LiveStrip::Handlers : public Linux::IEventHandler, public Linux::ITimerHandler
{
public:
    explicit Handlers (LiveStrip& owner) : strip (&owner) { FUNKNOWN_CTOR }
    virtual ~Handlers () { FUNKNOWN_DTOR }
    void PLUGIN_API onFDIsSet (Linux::FileDescriptor) SMTG_OVERRIDE
    {
        if (strip)
            strip->processEvents ();
    }
    void PLUGIN_API onTimer () SMTG_OVERRIDE
    {
        if (strip)
            strip->tick ();
    }
    void forgetOwner () { strip = nullptr; }
    DECLARE_FUNKNOWN_METHODS

private:
    LiveStrip* strip;
};

IMPLEMENT_REFCOUNT (LiveStrip::Handlers)

tresult PLUGIN_API LiveStrip::Handlers::queryInterface (const TUID iid, void** obj)
{
    QUERY_INTERFACE (iid, obj, FUnknown::iid, Linux::IEventHandler)
    QUERY_INTERFACE (iid, obj, Linux::IEventHandler::iid, Linux::IEventHandler)
    QUERY_INTERFACE (iid, obj, Linux::ITimerHandler::iid, Linux::ITimerHandler)
    *obj = nullptr;
    return kNoInterface;
}

namespace {

constexpr int kTimerMs = 40;
// Rows top to bottom: IN meter, OUT meter, TRIM, LEVEL, two status lines; narrow enough for the
// pedal's own width.
constexpr double kRow = 18.0, kTop = 6.0, kLabelWidth = 40.0, kValueWidth = 54.0;
double rowTop (int row)
{
    return kTop + row * kRow;
}
constexpr int kClipHoldTicks = 2000 / kTimerMs;
constexpr float kMeterFloorDb = -60.f, kMeterTopDb = 6.f;
constexpr float kSliderMinDb[2] = {-24.f, -40.f};
constexpr float kSliderMaxDb[2] = {24.f, 6.f};
// Falls about 20 dB a second, as peak meters do.
constexpr float kFallPerTickDb = 20.f * kTimerMs / 1000.f;

float dbOf (float linear)
{
    return linear > 1e-6f ? 20.f * std::log10 (linear) : -120.f;
}

void text (cairo_t* cr, double x, double y, const char* s)
{
    cairo_move_to (cr, x, y);
    cairo_show_text (cr, s);
}

}   // namespace

LiveStrip::LiveStrip (JackAudioEngine& engine, HostLevels& levels)
: audio (engine), hostLevels (levels)
{}

std::unique_ptr<LiveStrip> LiveStrip::create (uint32_t parentWindow, int top, int width,
                                              JackAudioEngine& engine, HostLevels& levels,
                                              std::string& error)
{
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect (nullptr, &screenNumber);
    if (xcb_connection_has_error (connection))
    {
        xcb_disconnect (connection);
        error = "cannot connect to the X display for the level panel";
        return nullptr;
    }
    auto screens = xcb_setup_roots_iterator (xcb_get_setup (connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next (&screens);
    std::unique_ptr<LiveStrip> strip (new LiveStrip (engine, levels));
    strip->connection = connection;
    strip->stripWidth = width;
    strip->window = xcb_generate_id (connection);
    const uint32_t values[] = {screens.data->black_pixel,
                               XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS
                                   | XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_BUTTON_MOTION};
    xcb_create_window (connection, XCB_COPY_FROM_PARENT, strip->window, parentWindow, 0,
                       static_cast<int16_t> (top), static_cast<uint16_t> (width), kHeight, 0,
                       XCB_WINDOW_CLASS_INPUT_OUTPUT, screens.data->root_visual,
                       XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    xcb_visualtype_t* visual = VSTGUI::X11::rootVisualType (screens.data);
    if (!visual)
    {
        error = "the display's visual cannot be drawn on";
        return nullptr;
    }
    strip->windowSurface =
        cairo_xcb_surface_create (connection, strip->window, visual, width, kHeight);
    xcb_map_window (connection, strip->window);
    xcb_flush (connection);
    return strip;
}

LiveStrip::~LiveStrip ()
{
    detach ();
    if (windowSurface)
        cairo_surface_destroy (windowSurface);
    if (!xcb_connection_has_error (connection))
        xcb_destroy_window (connection, window);
    xcb_disconnect (connection);
}

bool LiveStrip::attach (Host::RunLoop& loop)
{
    handlers = owned (new Handlers (*this));
    attachedLoop = &loop;
    return loop.registerEventHandler (handlers, xcb_get_file_descriptor (connection)) == kResultOk
           && loop.registerTimer (handlers, kTimerMs) == kResultOk;
}

void LiveStrip::detach ()
{
    if (attachedLoop && handlers)
    {
        attachedLoop->unregisterEventHandler (handlers);
        attachedLoop->unregisterTimer (handlers);
    }
    if (handlers)
        handlers->forgetOwner ();
    handlers = nullptr;
    attachedLoop = nullptr;
}

void LiveStrip::place (int top, int width)
{
    if (xcb_connection_has_error (connection))
        return;
    stripWidth = width;
    const uint32_t geometry[] = {0, static_cast<uint32_t> (top), static_cast<uint32_t> (width)};
    xcb_configure_window (connection, window,
                          XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH,
                          geometry);
    cairo_xcb_surface_set_size (windowSurface, width, kHeight);
    draw ();
}

void LiveStrip::processEvents ()
{
    if (xcb_connection_has_error (connection))
    {
        detach ();
        return;
    }
    bool exposed = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event (connection))
    {
        switch (event->response_type & 0x7f)
        {
            case XCB_EXPOSE: exposed = true; break;
            case XCB_BUTTON_PRESS: {
                const auto* press = reinterpret_cast<const xcb_button_press_event_t*> (event);
                const Slider hit = sliderAt (press->event_x, press->event_y);
                if (hit == noSlider)
                    break;
                const float current =
                    hit == trimSlider ? hostLevels.inputTrimDb : hostLevels.outputLevelDb;
                if (press->detail == 1)
                {
                    dragging = hit;
                    dragTo (press->event_x);
                }
                else if (press->detail == 3)
                    setSlider (hit, 0.f);
                else if (press->detail == 4 || press->detail == 5)
                    setSlider (hit, current + (press->detail == 4 ? 0.5f : -0.5f));
                break;
            }
            case XCB_MOTION_NOTIFY:
                if (dragging != noSlider)
                    dragTo (reinterpret_cast<const xcb_motion_notify_event_t*> (event)->event_x);
                break;
            case XCB_BUTTON_RELEASE: dragging = noSlider; break;
            default: break;
        }
        std::free (event);
    }
    if (exposed)
        draw ();
}

void LiveStrip::sliderTrack (Slider which, double& x, double& y, double& w) const
{
    x = kLabelWidth + 4;
    y = rowTop (which == trimSlider ? 2 : 3) + kRow / 2;
    w = stripWidth - kLabelWidth - kValueWidth - 8;
}

LiveStrip::Slider LiveStrip::sliderAt (int x, int y) const
{
    for (Slider s : {trimSlider, levelSlider})
    {
        double sx, sy, sw;
        sliderTrack (s, sx, sy, sw);
        if (x >= sx - 6 && x <= sx + sw + 6 && y >= sy - kRow / 2 && y < sy + kRow / 2)
            return s;
    }
    return noSlider;
}

void LiveStrip::setSlider (Slider which, float db)
{
    db = std::clamp (db, kSliderMinDb[which], kSliderMaxDb[which]);
    db = std::round (db * 10.f) / 10.f;
    if (which == trimSlider)
    {
        hostLevels.inputTrimDb = db;
        audio.period ().setInputTrimDb (db);
    }
    else
    {
        hostLevels.outputLevelDb = db;
        audio.period ().setOutputLevelDb (db);
    }
    draw ();
}

void LiveStrip::dragTo (int x)
{
    double sx, sy, sw;
    sliderTrack (dragging, sx, sy, sw);
    const double t = std::clamp ((x - sx) / sw, 0.0, 1.0);
    setSlider (dragging,
               static_cast<float> (kSliderMinDb[dragging]
                                   + t * (kSliderMaxDb[dragging] - kSliderMinDb[dragging])));
}

void LiveStrip::tick ()
{
    LevelMeter* meters[2] = {&audio.period ().inputMeter (), &audio.period ().outputMeter ()};
    for (int i = 0; i < 2; ++i)
    {
        shownDb[i] = std::max (dbOf (meters[i]->takePeak ()), shownDb[i] - kFallPerTickDb);
        const uint32_t clips = meters[i]->clipCount ();
        if (clips != lastClips[i])
            clipHoldTicks[i] = kClipHoldTicks;
        else if (clipHoldTicks[i] > 0)
            --clipHoldTicks[i];
        lastClips[i] = clips;
    }
    draw ();
}

void LiveStrip::drawMeter (cairo_t* cr, int row, const char* label, float db, bool clipLit)
{
    const double y = rowTop (row) + 3, barH = kRow - 6;
    cairo_set_source_rgb (cr, 0.75, 0.75, 0.72);
    text (cr, 8, y + 10, label);
    const double barX = kLabelWidth + 4, barW = stripWidth - kLabelWidth - kValueWidth - 8;
    cairo_set_source_rgb (cr, 0.05, 0.05, 0.05);
    cairo_rectangle (cr, barX, y, barW, barH);
    cairo_fill (cr);
    auto xOf = [&] (float d) {
        return barX
               + barW * (std::clamp (d, kMeterFloorDb, kMeterTopDb) - kMeterFloorDb)
                     / (kMeterTopDb - kMeterFloorDb);
    };
    struct Zone
    {
        float from, to;
        double r, g, b;
    };
    const Zone zones[] = {{kMeterFloorDb, -12.f, 0.2, 0.75, 0.3},
                          {-12.f, 0.f, 0.9, 0.8, 0.2},
                          {0.f, kMeterTopDb, 0.95, 0.2, 0.15}};
    for (const Zone& z : zones)
        if (db > z.from)
        {
            cairo_set_source_rgb (cr, z.r, z.g, z.b);
            cairo_rectangle (cr, xOf (z.from), y + 1, xOf (std::min (db, z.to)) - xOf (z.from),
                             barH - 2);
            cairo_fill (cr);
        }
    cairo_set_source_rgb (cr, 0.9, 0.9, 0.9);
    cairo_rectangle (cr, xOf (0.f), y - 2, 1, barH + 4);   // 0 dBFS
    cairo_fill (cr);
    char value[32];
    std::snprintf (value, sizeof value, db <= kMeterFloorDb ? "-inf" : "%+.1f", db);
    cairo_set_source_rgb (cr, 0.75, 0.75, 0.72);
    text (cr, barX + barW + 6, y + 10, value);
    cairo_set_source_rgb (cr, clipLit ? 1.0 : 0.3, clipLit ? 0.1 : 0.08, clipLit ? 0.1 : 0.08);
    cairo_arc (cr, stripWidth - 10, y + barH / 2, 5, 0, 2 * M_PI);
    cairo_fill (cr);
}

void LiveStrip::drawSlider (cairo_t* cr, Slider which, const char* label, float db)
{
    double x, y, w;
    sliderTrack (which, x, y, w);
    cairo_set_source_rgb (cr, 0.75, 0.75, 0.72);
    text (cr, 8, y + 4, label);
    cairo_set_source_rgb (cr, 0.3, 0.3, 0.3);
    cairo_rectangle (cr, x, y - 2, w, 4);
    cairo_fill (cr);
    const double t = (db - kSliderMinDb[which]) / (kSliderMaxDb[which] - kSliderMinDb[which]);
    cairo_set_source_rgb (cr, 0.85, 0.85, 0.8);
    cairo_rectangle (cr, x + t * w - 4, y - 8, 8, 16);
    cairo_fill (cr);
    char value[32];
    std::snprintf (value, sizeof value, "%+.1f dB", db);
    cairo_set_source_rgb (cr, 0.75, 0.75, 0.72);
    text (cr, x + w + 6, y + 4, value);
}

void LiveStrip::draw ()
{
    if (!windowSurface || xcb_connection_has_error (connection))
        return;
    cairo_surface_t* back = cairo_image_surface_create (CAIRO_FORMAT_RGB24, stripWidth, kHeight);
    cairo_t* cr = cairo_create (back);
    cairo_set_source_rgb (cr, 0.13, 0.13, 0.14);
    cairo_paint (cr);
    cairo_select_font_face (cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size (cr, 10);
    drawMeter (cr, 0, "IN", shownDb[0], clipHoldTicks[0] > 0);
    drawMeter (cr, 1, "OUT", shownDb[1], clipHoldTicks[1] > 0);
    drawSlider (cr, trimSlider, "TRIM", hostLevels.inputTrimDb);
    drawSlider (cr, levelSlider, "LEVEL", hostLevels.outputLevelDb);

    const double rate = audio.sampleRateHz ();
    const uint32_t latency = audio.roundTripLatencyFrames ();
    char status[2][96];
    std::snprintf (status[0], sizeof status[0], "%.1f kHz, %d frames, xruns %u", rate / 1000.0,
                   static_cast<int> (audio.blockSize ()), audio.xrunCount ());
    std::snprintf (status[1], sizeof status[1], "round trip %.1f ms (%u frames)",
                   rate > 0 ? 1000.0 * latency / rate : 0.0, latency);
    cairo_set_source_rgb (cr, 0.6, 0.6, 0.58);
    text (cr, 8, rowTop (4) + 12, status[0]);
    text (cr, 8, rowTop (5) + 12, status[1]);
    cairo_destroy (cr);

    cairo_t* out = cairo_create (windowSurface);
    cairo_set_source_surface (out, back, 0, 0);
    cairo_paint (out);
    cairo_destroy (out);
    cairo_surface_destroy (back);
    cairo_surface_flush (windowSurface);
    xcb_flush (connection);
}

}   // namespace HostTool
}   // namespace Morvane
