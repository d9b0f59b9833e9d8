// SPDX-License-Identifier: GPL-3.0-or-later
// Four knob designs, one per strip. Only what turns with the shaft (pointer, ridges, skirt
// marks) rotates from frame to frame; the shading stays put because the lamp over the
// player does not move.
#include "resources/artwork/ArtworkFamilies.h"
#include "resources/BitmapList.h"
#include "resources/artwork/Painting.h"

#include <cairo.h>

#include <cmath>

namespace Morvane::Artwork::Families {
using namespace Paint;

namespace {

constexpr double kCx = 20.0;
constexpr double kCy = 19.5;
constexpr double kLightAngle = -0.75 * M_PI;   // light from the top-left

// 7 o'clock at the lowest value, 5 o'clock at the highest, clockwise through 12
double pointerAngle (int frame, int frames)
{
    const double start = 120.0 * M_PI / 180.0;
    const double sweep = 300.0 * M_PI / 180.0;
    return start + sweep * frame / (frames > 1 ? frames - 1 : 1);
}

void circle (cairo_t* cr, double r)
{
    cairo_new_path (cr);
    cairo_arc (cr, kCx, kCy, r, 0, 2 * M_PI);
}

// Side wall of a cylinder seen from above: bright where the light hits it, dark opposite.
void sideWall (cairo_t* cr, double r, Rgb colour, double contrast)
{
    cairo_pattern_t* p = cairo_pattern_create_linear (kCx - r, kCy - r, kCx + r * 0.7, kCy + r);
    addStop (p, 0.0, lighter (colour, contrast));
    addStop (p, 0.5, colour);
    addStop (p, 1.0, darker (colour, contrast));
    cairo_set_source (cr, p);
    circle (cr, r);
    cairo_fill (cr);
    cairo_pattern_destroy (p);
}

// Ribs around the edge that turn with the knob and catch the light as they pass it.
void ribs (cairo_t* cr, double rInner, double rOuter, int count, double angle, Rgb colour,
           double width)
{
    cairo_set_line_width (cr, width);
    cairo_set_line_cap (cr, CAIRO_LINE_CAP_BUTT);
    for (int i = 0; i < count; ++i)
    {
        const double a = angle + 2 * M_PI * i / count;
        const double facing = std::cos (a - kLightAngle);   // 1 facing the light
        const Rgb c =
            facing > 0 ? lighter (colour, 0.45 * facing) : darker (colour, -0.55 * facing);
        set (cr, c, 0.9);
        cairo_move_to (cr, kCx + rInner * std::cos (a), kCy + rInner * std::sin (a));
        cairo_line_to (cr, kCx + rOuter * std::cos (a), kCy + rOuter * std::sin (a));
        cairo_stroke (cr);
    }
}

void topCap (cairo_t* cr, double r, Rgb colour, double shine)
{
    cairo_pattern_t* p =
        cairo_pattern_create_radial (kCx - r * 0.45, kCy - r * 0.55, r * 0.1, kCx, kCy, r * 1.15);
    addStop (p, 0.0, lighter (colour, shine));
    addStop (p, 0.6, colour);
    addStop (p, 1.0, darker (colour, 0.35));
    cairo_set_source (cr, p);
    circle (cr, r);
    cairo_fill (cr);
    cairo_pattern_destroy (p);
    // a thin lit rim where the top meets the side
    cairo_set_line_width (cr, 0.6);
    cairo_pattern_t* rim = cairo_pattern_create_linear (kCx - r, kCy - r, kCx + r, kCy + r);
    cairo_pattern_add_color_stop_rgba (rim, 0.0, 1, 1, 1, 0.45);
    cairo_pattern_add_color_stop_rgba (rim, 0.5, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba (rim, 1.0, 0, 0, 0, 0.4);
    cairo_set_source (cr, rim);
    circle (cr, r - 0.3);
    cairo_stroke (cr);
    cairo_pattern_destroy (rim);
}

void pointerLine (cairo_t* cr, double angle, double from, double to, double width, Rgb colour)
{
    const double c = std::cos (angle), s = std::sin (angle);
    cairo_set_line_cap (cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width (cr, width + 0.6);
    cairo_set_source_rgba (cr, 0, 0, 0, 0.45);
    cairo_move_to (cr, kCx + from * c + 0.3, kCy + from * s + 0.4);
    cairo_line_to (cr, kCx + to * c + 0.3, kCy + to * s + 0.4);
    cairo_stroke (cr);
    cairo_set_line_width (cr, width);
    set (cr, colour);
    cairo_move_to (cr, kCx + from * c, kCy + from * s);
    cairo_line_to (cr, kCx + to * c, kCy + to * s);
    cairo_stroke (cr);
}

// kBitmapKnobXxl: black knurled knob on a polished steel skirt with a white line
void knurledWithSkirt (cairo_t* cr, double angle)
{
    softShadowCircle (cr, kCx + 1.2, kCy + 2.0, 16.5, 2.5, 0.55);
    // skirt: a low polished cone
    cairo_pattern_t* p = cairo_pattern_create_linear (kCx - 17, kCy - 17, kCx + 12, kCy + 17);
    cairo_pattern_add_color_stop_rgb (p, 0.0, 0.93, 0.93, 0.92);
    cairo_pattern_add_color_stop_rgb (p, 0.45, 0.62, 0.63, 0.64);
    cairo_pattern_add_color_stop_rgb (p, 0.7, 0.80, 0.80, 0.80);
    cairo_pattern_add_color_stop_rgb (p, 1.0, 0.30, 0.30, 0.32);
    cairo_set_source (cr, p);
    circle (cr, 16.5);
    cairo_fill (cr);
    cairo_pattern_destroy (p);
    // skirt mark that turns with the knob
    pointerLine (cr, angle, 13.2, 16.0, 1.3, hex (0x1a1a1a));
    softShadowCircle (cr, kCx + 0.6, kCy + 1.0, 12.0, 1.2, 0.6);
    sideWall (cr, 12.0, hex (0x1c1c1e), 0.25);
    ribs (cr, 10.6, 12.0, 40, angle, hex (0x242426), 0.9);
    topCap (cr, 10.4, hex (0x202022), 0.28);
    pointerLine (cr, angle, 3.0, 9.6, 1.6, hex (0xf4f1e8));
}

// kBitmapKnobDrive: tall charcoal cylinder with a flat satin top and an inset white line
void satinCylinder (cairo_t* cr, double angle)
{
    softShadowCircle (cr, kCx + 1.6, kCy + 2.4, 15.0, 3.0, 0.6);
    sideWall (cr, 15.0, hex (0x2a2b2e), 0.35);
    ribs (cr, 13.4, 15.0, 30, angle, hex (0x2e2f33), 1.2);
    // the top sits a little up-left of the base: the knob stands tall
    cairo_save (cr);
    cairo_translate (cr, -0.5, -0.7);
    topCap (cr, 12.6, hex (0x3a3c40), 0.22);
    // concentric machining marks on the satin top
    cairo_set_line_width (cr, 0.25);
    for (double r = 2.0; r < 12.0; r += 1.1)
    {
        cairo_set_source_rgba (cr, 1, 1, 1, 0.05);
        circle (cr, r);
        cairo_stroke (cr);
    }
    pointerLine (cr, angle, 4.0, 12.0, 1.8, hex (0xf2f2ee));
    cairo_restore (cr);
}

// kBitmapKnobBat: spun aluminium with a knurled edge and a black dot
void spunAluminium (cairo_t* cr, double angle)
{
    softShadowCircle (cr, kCx + 1.2, kCy + 2.0, 15.0, 2.6, 0.55);
    sideWall (cr, 15.0, hex (0x9a9da2), 0.4);
    ribs (cr, 13.2, 15.0, 48, angle, hex (0xa0a3a8), 0.8);
    // spun top: a conic sheen, bright towards the light and opposite it (a mesh of sectors,
    // each blending from its start colour to its end colour around the centre)
    const double r = 13.0;
    constexpr int sectors = 36;
    auto sheenAt = [] (double a) {
        const double v = 0.5 + 0.5 * std::cos (2 * (a - kLightAngle));
        return darker (lighter (hex (0xb4b7bc), 0.55 * v * v), 0.18 * (1 - v));
    };
    cairo_pattern_t* mesh = cairo_pattern_create_mesh ();
    const double step = 2 * M_PI / sectors;
    const double handle = 4.0 / 3.0 * std::tan (step / 4.0) * r;
    for (int i = 0; i < sectors; ++i)
    {
        const double a0 = step * i, a1 = a0 + step;
        const Rgb c0 = sheenAt (a0), c1 = sheenAt (a1);
        cairo_mesh_pattern_begin_patch (mesh);
        cairo_mesh_pattern_move_to (mesh, kCx, kCy);
        cairo_mesh_pattern_line_to (mesh, kCx + r * std::cos (a0), kCy + r * std::sin (a0));
        cairo_mesh_pattern_curve_to (mesh, kCx + r * std::cos (a0) - handle * std::sin (a0),
                                     kCy + r * std::sin (a0) + handle * std::cos (a0),
                                     kCx + r * std::cos (a1) + handle * std::sin (a1),
                                     kCy + r * std::sin (a1) - handle * std::cos (a1),
                                     kCx + r * std::cos (a1), kCy + r * std::sin (a1));
        cairo_mesh_pattern_line_to (mesh, kCx, kCy);
        cairo_mesh_pattern_set_corner_color_rgb (mesh, 0, c0.r, c0.g, c0.b);
        cairo_mesh_pattern_set_corner_color_rgb (mesh, 1, c0.r, c0.g, c0.b);
        cairo_mesh_pattern_set_corner_color_rgb (mesh, 2, c1.r, c1.g, c1.b);
        cairo_mesh_pattern_set_corner_color_rgb (mesh, 3, c1.r, c1.g, c1.b);
        cairo_mesh_pattern_end_patch (mesh);
    }
    cairo_set_source (cr, mesh);
    circle (cr, r);
    cairo_fill (cr);
    cairo_pattern_destroy (mesh);
    // lathe rings, all in one path
    cairo_new_path (cr);
    for (double rr = 1.0; rr < r; rr += 0.7)
    {
        cairo_new_sub_path (cr);
        cairo_arc (cr, kCx, kCy, rr, 0, 2 * M_PI);
    }
    cairo_set_line_width (cr, 0.2);
    cairo_set_source_rgba (cr, 0, 0, 0, 0.05);
    cairo_stroke (cr);
    cairo_set_line_width (cr, 0.7);
    cairo_set_source_rgba (cr, 0, 0, 0, 0.35);
    circle (cr, r);
    cairo_stroke (cr);
    // dot pointer, slightly sunk
    const double dx = kCx + 9.0 * std::cos (angle), dy = kCy + 9.0 * std::sin (angle);
    cairo_arc (cr, dx + 0.3, dy + 0.4, 1.9, 0, 2 * M_PI);
    cairo_set_source_rgba (cr, 1, 1, 1, 0.5);
    cairo_fill (cr);
    cairo_arc (cr, dx, dy, 1.8, 0, 2 * M_PI);
    set (cr, hex (0x151515));
    cairo_fill (cr);
}

// kBitmapKnobScreamer: soft-touch black knob with a cream cap insert and a cream pointer bar
void creamInsert (cairo_t* cr, double angle)
{
    softShadowCircle (cr, kCx + 1.4, kCy + 2.2, 15.5, 2.8, 0.6);
    sideWall (cr, 15.5, hex (0x18181a), 0.3);
    ribs (cr, 13.6, 15.5, 24, angle, hex (0x1e1e20), 1.6);
    topCap (cr, 13.4, hex (0x1b1b1d), 0.2);
    // the pointer bar runs across the top, the cream end shows the value
    const double c = std::cos (angle), s = std::sin (angle);
    cairo_set_line_cap (cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width (cr, 3.2);
    cairo_set_source_rgba (cr, 0, 0, 0, 0.5);
    cairo_move_to (cr, kCx - 11.0 * c + 0.3, kCy - 11.0 * s + 0.5);
    cairo_line_to (cr, kCx + 11.0 * c + 0.3, kCy + 11.0 * s + 0.5);
    cairo_stroke (cr);
    cairo_set_line_width (cr, 2.6);
    set (cr, hex (0x2c2c2f));
    cairo_move_to (cr, kCx - 11.0 * c, kCy - 11.0 * s);
    cairo_line_to (cr, kCx + 11.0 * c, kCy + 11.0 * s);
    cairo_stroke (cr);
    pointerLine (cr, angle, 4.5, 11.0, 1.9, hex (0xefe6cf));
    // cream centre insert
    cairo_pattern_t* p = cairo_pattern_create_radial (kCx - 1.5, kCy - 1.5, 0.2, kCx, kCy, 4.2);
    addStop (p, 0.0, hex (0xfffaee));
    addStop (p, 1.0, hex (0xb9ac8c));
    cairo_set_source (cr, p);
    circle (cr, 3.6);
    cairo_fill (cr);
    cairo_pattern_destroy (p);
    cairo_set_line_width (cr, 0.5);
    cairo_set_source_rgba (cr, 0, 0, 0, 0.5);
    circle (cr, 3.6);
    cairo_stroke (cr);
}

}   // namespace

void drawKnob (cairo_t* cr, int id, int frame, int frames)
{
    const double angle = pointerAngle (frame, frames);
    switch (id)
    {
        case kBitmapKnobXxl: knurledWithSkirt (cr, angle); break;
        case kBitmapKnobDrive: satinCylinder (cr, angle); break;
        case kBitmapKnobBat: spunAluminium (cr, angle); break;
        default: creamInsert (cr, angle); break;
    }
}

}   // namespace Morvane::Artwork::Families
