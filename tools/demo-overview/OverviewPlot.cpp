// SPDX-License-Identifier: GPL-3.0-or-later
#include "OverviewPlot.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
constexpr double kWidth = 1500.0;
constexpr double kMargin = 28.0;
constexpr double kHeaderHeight = 92.0;
constexpr double kRowHeight = 158.0;
constexpr double kTitleHeight = 30.0;
constexpr double kPanelHeight = 104.0;
constexpr double kSpectrumWidth = 430.0;
constexpr double kGap = 30.0;
constexpr double kMinHz = 20.0, kMaxHz = 20000.0;
constexpr double kSpectrumRangeDb = 80.0;
constexpr const char* kFont = "DejaVu Sans";

struct Colour
{
    double r, g, b;
};
constexpr Colour kBackground {0.086, 0.094, 0.114};
constexpr Colour kPanel {0.125, 0.137, 0.165};
constexpr Colour kGrid {0.22, 0.24, 0.28};
constexpr Colour kText {0.92, 0.93, 0.95};
constexpr Colour kMutedText {0.58, 0.62, 0.68};
constexpr Colour kDry {0.50, 0.54, 0.60};
// One colour per row, chosen to stay apart from each other on a dark background.
constexpr Colour kPalette[] = {{0.98, 0.74, 0.25}, {0.96, 0.45, 0.30}, {0.90, 0.30, 0.45},
                               {0.72, 0.45, 0.95}, {0.35, 0.60, 0.98}, {0.25, 0.82, 0.85},
                               {0.40, 0.85, 0.45}, {0.85, 0.88, 0.35}};

void setColour (cairo_t* cr, Colour c, double alpha = 1.0)
{
    cairo_set_source_rgba (cr, c.r, c.g, c.b, alpha);
}

void text (cairo_t* cr, double x, double y, const std::string& s, double size, Colour c,
           bool bold = false, bool alignRight = false)
{
    cairo_select_font_face (cr, kFont, CAIRO_FONT_SLANT_NORMAL,
                            bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size (cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents (cr, s.c_str (), &extents);
    setColour (cr, c);
    cairo_move_to (cr, alignRight ? x - extents.x_advance : x, y);
    cairo_show_text (cr, s.c_str ());
}

double textWidth (cairo_t* cr, const std::string& s, double size, bool bold)
{
    cairo_select_font_face (cr, kFont, CAIRO_FONT_SLANT_NORMAL,
                            bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size (cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents (cr, s.c_str (), &extents);
    return extents.x_advance;
}

void roundedPanel (cairo_t* cr, double x, double y, double w, double h)
{
    const double r = 6.0;
    cairo_new_sub_path (cr);
    cairo_arc (cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc (cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc (cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc (cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path (cr);
    setColour (cr, kPanel);
    cairo_fill (cr);
}

void fillEnvelope (cairo_t* cr, const Envelope& e, double x, double y, double w, double h,
                   double fullScale, Colour c, double alpha)
{
    const size_t n = e.maximum.size ();
    if (n == 0)
        return;
    const double mid = y + h / 2, scale = h / 2 * 0.94 / fullScale;
    cairo_move_to (cr, x, mid - e.maximum[0] * scale);
    for (size_t i = 0; i < n; ++i)
        cairo_line_to (cr, x + w * (static_cast<double> (i) + 0.5) / static_cast<double> (n),
                       mid - e.maximum[i] * scale);
    for (size_t i = n; i-- > 0;)
        cairo_line_to (cr, x + w * (static_cast<double> (i) + 0.5) / static_cast<double> (n),
                       mid - e.minimum[i] * scale);
    cairo_close_path (cr);
    setColour (cr, c, alpha);
    cairo_fill (cr);
}

void drawWaveform (cairo_t* cr, const Recording& dry, const Recording& wet, double x, double y,
                   double w, double h, Colour colour)
{
    roundedPanel (cr, x, y, w, h);
    const double seconds =
        wet.sampleRateHz > 0 ? static_cast<double> (wet.mono.size ()) / wet.sampleRateHz : 0.0;
    cairo_set_line_width (cr, 1.0);
    setColour (cr, kGrid);
    for (int s = 1; s < seconds; ++s)
    {
        const double gx = std::round (x + w * s / seconds) + 0.5;
        cairo_move_to (cr, gx, y + 4);
        cairo_line_to (cr, gx, y + h - 4);
        text (cr, gx + 3, y + h - 5, std::to_string (s) + " s", 9, kMutedText);
        setColour (cr, kGrid);
    }
    cairo_stroke (cr);
    cairo_move_to (cr, x + 4, std::round (y + h / 2) + 0.5);
    cairo_line_to (cr, x + w - 4, std::round (y + h / 2) + 0.5);
    cairo_stroke (cr);
    // Full scale is the panel's height; a render that peaks above it is drawn scaled to fit, and says so.
    const double peak = std::pow (10.0, peakDbfs (wet) / 20.0);
    const double fullScale = std::max (1.0, peak);
    const auto columns = static_cast<size_t> (w - 8);
    fillEnvelope (cr, envelope (dry, columns), x + 4, y, w - 8, h, fullScale, kDry, 0.55);
    fillEnvelope (cr, envelope (wet, columns), x + 4, y, w - 8, h, fullScale, colour, 0.80);
    if (fullScale > 1.0)
    {
        char note[64];
        std::snprintf (note, sizeof note, "above full scale: drawn at 1/%.3g", fullScale);
        text (cr, x + 8, y + 14, note, 10, kText);
    }
}

double frequencyX (double hz, double x, double w)
{
    return x + w * std::log (hz / kMinHz) / std::log (kMaxHz / kMinHz);
}

void strokeSpectrum (cairo_t* cr, const Spectrum& s, double x, double y, double w, double h,
                     double topDb, Colour c, double lineWidth)
{
    bool started = false;
    for (size_t i = 0; i < s.frequencyHz.size (); ++i)
    {
        const double level = std::clamp (s.levelDb[i], topDb - kSpectrumRangeDb, topDb);
        const double px = frequencyX (s.frequencyHz[i], x, w);
        const double py = y + h * (topDb - level) / kSpectrumRangeDb;
        started ? cairo_line_to (cr, px, py) : cairo_move_to (cr, px, py);
        started = true;
    }
    setColour (cr, c);
    cairo_set_line_width (cr, lineWidth);
    cairo_set_line_join (cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke (cr);
}

void drawSpectrum (cairo_t* cr, const Spectrum& dry, const Spectrum& wet, double x, double y,
                   double w, double h, double topDb, Colour colour)
{
    roundedPanel (cr, x, y, w, h);
    const double inner = 4.0, labelGutter = 40.0;   // dB labels left of the plot, off the curves
    const double px = x + labelGutter, pw = w - labelGutter - inner, py = y + inner + 4,
                 ph = h - 2 * inner - 18;
    cairo_set_line_width (cr, 1.0);
    for (double hz : {100.0, 1000.0, 10000.0})
    {
        const double gx = std::round (frequencyX (hz, px, pw)) + 0.5;
        setColour (cr, kGrid);
        cairo_move_to (cr, gx, py);
        cairo_line_to (cr, gx, py + ph);
        cairo_stroke (cr);
        text (cr, gx + 3, y + h - 5,
              hz >= 1000 ? std::to_string (static_cast<int> (hz / 1000)) + " kHz"
                         : std::to_string (static_cast<int> (hz)) + " Hz",
              9, kMutedText);
    }
    for (double db = 0.0; db <= kSpectrumRangeDb; db += 20.0)
    {
        const double gy = std::round (py + ph * db / kSpectrumRangeDb) + 0.5;
        setColour (cr, kGrid);
        cairo_move_to (cr, px, gy);
        cairo_line_to (cr, px + pw, gy);
        cairo_stroke (cr);
        char label[16];
        std::snprintf (label, sizeof label, "%.0f dB", topDb - db);
        text (cr, px - 4, gy + 3, label, 9, kMutedText, false, true);
    }
    cairo_save (cr);
    cairo_rectangle (cr, px, py, pw, ph);
    cairo_clip (cr);
    strokeSpectrum (cr, dry, px, py, pw, ph, topDb, kDry, 1.4);
    strokeSpectrum (cr, wet, px, py, pw, ph, topDb, colour, 2.0);
    cairo_restore (cr);
}
}   // namespace

bool drawOverview (const std::string& pngPath, const Recording& dry,
                   const std::vector<OverviewRow>& rows, std::string& error)
{
    const double height = kHeaderHeight + kRowHeight * static_cast<double> (rows.size ()) + kMargin;
    cairo_surface_t* surface = cairo_image_surface_create (
        CAIRO_FORMAT_RGB24, static_cast<int> (kWidth), static_cast<int> (height));
    cairo_t* cr = cairo_create (surface);
    setColour (cr, kBackground);
    cairo_paint (cr);

    text (cr, kMargin, 42, "Overmoor — the demo riff through the eight factory presets", 24, kText,
          true);
    text (cr, kMargin, 68,
          "Left: waveform of each render over the dry recording (grey). Right: long-term average "
          "spectrum, sixth-octave smoothed, against the dry recording (grey).",
          13, kMutedText);

    const Spectrum drySpectrum = averageSpectrum (dry);
    std::vector<Spectrum> spectra;
    double topDb = *std::max_element (drySpectrum.levelDb.begin (), drySpectrum.levelDb.end ());
    for (const OverviewRow& row : rows)
    {
        spectra.push_back (averageSpectrum (row.recording));
        if (!spectra.back ().levelDb.empty ())
            topDb = std::max (topDb, *std::max_element (spectra.back ().levelDb.begin (),
                                                        spectra.back ().levelDb.end ()));
    }
    topDb = std::ceil ((topDb + 4.0) / 10.0) * 10.0;

    const double waveWidth = kWidth - 2 * kMargin - kSpectrumWidth - kGap;
    for (size_t i = 0; i < rows.size (); ++i)
    {
        const Colour colour = kPalette[i % (sizeof kPalette / sizeof kPalette[0])];
        const double y = kHeaderHeight + kRowHeight * static_cast<double> (i);
        const double titleY = y + 20;
        cairo_arc (cr, kMargin + 6, titleY - 6, 6, 0, 2 * M_PI);
        setColour (cr, colour);
        cairo_fill (cr);
        text (cr, kMargin + 20, titleY, rows[i].title, 16, kText, true);
        text (cr, kMargin + 32 + textWidth (cr, rows[i].title, 16, true), titleY, rows[i].subtitle,
              14, colour);
        text (cr, kMargin + waveWidth, titleY, rows[i].stats, 12, kMutedText, false, true);
        const double panelY = y + kTitleHeight;
        drawWaveform (cr, dry, rows[i].recording, kMargin, panelY, waveWidth, kPanelHeight, colour);
        drawSpectrum (cr, drySpectrum, spectra[i], kMargin + waveWidth + kGap, panelY,
                      kSpectrumWidth, kPanelHeight, topDb, colour);
    }

    cairo_destroy (cr);
    const cairo_status_t status = cairo_surface_write_to_png (surface, pngPath.c_str ());
    cairo_surface_destroy (surface);
    // Give back the font caches the text drawing filled, so leak checkers see a clean exit.
    cairo_debug_reset_static_data ();
    FcFini ();
    if (status != CAIRO_STATUS_SUCCESS)
    {
        error = "cannot write '" + pngPath + "': " + cairo_status_to_string (status);
        return false;
    }
    return true;
}
