// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared brushes of the artwork: colours, shapes, soft shadows, bevels, finishes and lettering.
// Light falls from the top-left everywhere; all sizes are logical units.

#include <cstdint>

typedef struct _cairo cairo_t;
typedef struct _cairo_pattern cairo_pattern_t;

namespace Morvane::Artwork::Paint {

struct Rgb
{
    double r = 0.0, g = 0.0, b = 0.0;
};

Rgb hex (std::uint32_t rgb);
Rgb mix (Rgb a, Rgb b, double t);   // t = 0 gives a
Rgb lighter (Rgb c, double amount);   // towards white
Rgb darker (Rgb c, double amount);   // towards black
void set (cairo_t* cr, Rgb c, double alpha = 1.0);
void addStop (cairo_pattern_t* p, double offset, Rgb c, double alpha = 1.0);

// Deterministic noise for finishes, so every build draws the same picture.
class Random
{
public:
    explicit Random (std::uint32_t seed) : state (seed * 2654435761u + 12345u) {}
    double next ();   // [0, 1)
    double range (double lo, double hi) { return lo + (hi - lo) * next (); }

private:
    std::uint32_t state;
};

void roundedRect (cairo_t* cr, double x, double y, double w, double h, double r);

// A blurred shadow of a rounded rectangle or circle, built from stacked translucent layers.
void softShadowRect (cairo_t* cr, double x, double y, double w, double h, double r, double blur,
                     double alpha);
void softShadowCircle (cairo_t* cr, double cx, double cy, double radius, double blur, double alpha);

// Light upper-left edge and dark lower-right edge along a rounded rectangle.
void bevelRect (cairo_t* cr, double x, double y, double w, double h, double r, double width,
                double lightAlpha, double darkAlpha);

// A rounded rectangle sunk into the surface: dark inner top-left, light outer bottom-right lip.
void recess (cairo_t* cr, double x, double y, double w, double h, double r, Rgb fill);

enum class Finish
{
    Flake,   // metal flake: sparkling specks over a gloss
    Hammered,   // hammered paint: overlapping dimples
    Brushed,   // brushed metal: fine horizontal grain
    Matte,   // fine-grained powder coat
    Gloss,   // smooth lacquer with a broad sheen
};

// Fills the current path's bounding rectangle (x, y, w, h) clipped to a rounded rectangle
// with the base colour and the finish's texture and sheen.
void paintFinish (cairo_t* cr, double x, double y, double w, double h, double r, Rgb base,
                  Finish finish, std::uint32_t seed);

// A cross-head screw of the given radius, slot at an angle in radians.
void screw (cairo_t* cr, double cx, double cy, double radius, double angle);

enum class Align
{
    Left,
    Centre,
    Right,
};

struct TextStyle
{
    const char* family = "DejaVu Sans Condensed";
    bool bold = true;
    bool italic = false;
    double size = 7.0;   // em size in logical units
    double letterSpacing = 0.0;   // extra space between letters, logical units
    Rgb colour {1.0, 1.0, 1.0};
    double alpha = 1.0;
    double shadowAlpha = 0.0;   // dark copy offset down-right, for painted lettering
    double highlightAlpha = 0.0;   // light copy offset up-left, for embossed lettering
};

// Draws one line of text whose ink box is centred vertically on y, aligned horizontally on x.
// Returns the ink width.
double text (cairo_t* cr, const TextStyle& style, const char* utf8, double x, double y,
             Align align = Align::Centre);

// Ink width of a line without drawing it.
double textWidth (cairo_t* cr, const TextStyle& style, const char* utf8);

}   // namespace Morvane::Artwork::Paint
