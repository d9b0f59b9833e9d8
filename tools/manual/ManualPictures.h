// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plug-in's own artwork for the manual, drawn as vectors into the PDF.
typedef struct _cairo cairo_t;

namespace Manual {

constexpr double kFaceWidth = 180.0;    // one pedal face of bitmap 600, in window pixels
constexpr double kFaceHeight = 220.0;
constexpr double kWindowWidth = 180.0;  // the window background, bitmap 500
constexpr double kWindowHeight = 300.0;

// The face of a model scaled into width x height at the origin.
void drawFace (cairo_t* cr, int model, double width, double height);
// The whole window: background with the face of a model in its pedal well.
void drawWindow (cairo_t* cr, int model, double width, double height);

} // namespace Manual
