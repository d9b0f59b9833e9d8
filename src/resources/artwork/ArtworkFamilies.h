// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One drawing function per family of bitmaps. Each draws one frame in logical units with the
// frame's top-left at the origin; the caller has set up the scale and clip.

typedef struct _cairo cairo_t;

namespace Morvane::Artwork::Families {

void drawFootswitch (cairo_t* cr, int id, int frame);   // frame 1 pressed
void drawKnob (cairo_t* cr, int id, int frame, int frames);   // 300 to 303
void drawPedalFace (cairo_t* cr, int model);   // 600, frame = model
void drawWindowBackground (cairo_t* cr);   // 500
void drawNamePanel (cairo_t* cr);   // 502
void drawSelectorField (cairo_t* cr, bool open);   // 103, 111
void drawBarButton (cairo_t* cr, int id);   // 104 to 107, 110
void drawPanelButton (cairo_t* cr, bool accept, bool pressed);   // 108, 109
void drawLamp (cairo_t* cr, int frame);   // 200
void drawStatusLamp (cairo_t* cr, int frame);   // 201
void drawAbout (cairo_t* cr, int id);   // 900, 901

// The floor of the well the pedal stands in, in face coordinates (180 x 220): the background
// paints it under the face and every face paints it around its enclosure, so they match.
void paintPedalWell (cairo_t* cr);

}   // namespace Morvane::Artwork::Families
