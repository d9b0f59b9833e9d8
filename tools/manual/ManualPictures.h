// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plug-in's own artwork for the manual, drawn as vectors into the PDF: each pedal as the
// window shows it, knobs and footswitch in place.
#include <vector>

typedef struct _cairo cairo_t;

namespace Manual {

constexpr double kFaceWidth = 180.0;   // one pedal face of bitmap 600, in window pixels
constexpr double kFaceHeight = 220.0;
constexpr double kWindowWidth = 180.0;   // the window background, bitmap 500
constexpr double kWindowHeight = 300.0;

// The pedal of a model scaled into width x height at the origin, its knobs turned to the given
// normalised values of parameters 2 to 7 (missing ones at 0.5).
void drawPedal (cairo_t* cr, int model, const std::vector<float>& knobValues, double width,
                double height);
// The whole window: background, that pedal in its well and the display showing the names.
void drawWindow (cairo_t* cr, int model, const std::vector<float>& knobValues,
                 const char* modelName, const char* presetName, double width, double height);

}   // namespace Manual
