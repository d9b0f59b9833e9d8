// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What each pedal face carries: colour and finish, lettering ink, knob places with captions
// (the editor puts the knobs there), footswitch style and where the names go. The about view's
// little pedals are drawn from the same description.

#include "resources/artwork/Painting.h"

namespace Morvane::Artwork::FaceLayout {

// The enclosure on the 180 x 220 face.
constexpr double kBodyX = 2.0, kBodyY = 3.0, kBodyW = 172.0, kBodyH = 213.0, kBodyR = 9.0;
// Top-left of the status lamp on the face, the same for every model.
constexpr double kLampLeft = 73.0, kLampTop = 10.0;

struct Place
{
    double left = 0.0, top = 0.0;
};

struct Knob
{
    double left = 0.0, top = 0.0;   // the 40 x 40 knob square on the face
    const char* caption = "";
};

struct Model
{
    Paint::Rgb body;
    Paint::Finish finish;
    Paint::Rgb ink;   // painted lettering
    Paint::Rgb accent;   // the model's second lettering colour
    int footswitchStyle;   // 0 round, 1 treadle, 2 rectangular
    bool screws;
    double makerX, makerY;   // centre of the maker's badge; none when makerY < 0
        // (the treadle carries it)
    int knobCount;
    Knob knobs[6];
    int knobStrip;   // bitmap id of the knobs set on this face; 0 without knobs
};

const Model& model (int index);   // 0 to 7; others fall back to 0

// Top-left of the footswitch of a style (0 round, 1 treadle, 2 rectangular) on the face.
Place footswitchPlace (int style);

// The model's name, lettered in the model's own style.
void paintModelName (cairo_t* cr, int index);

}   // namespace Morvane::Artwork::FaceLayout
