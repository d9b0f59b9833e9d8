// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/artwork/ArtworkFamilies.h"
#include "resources/artwork/Painting.h"

#include <cairo.h>

#include <cmath>

namespace Morvane::Artwork::Families {
using namespace Paint;

namespace {
void plain (cairo_t* cr, double w, double h, std::uint32_t colour)
{
    roundedRect (cr, 0.5, 0.5, w - 1, h - 1, 3);
    set (cr, hex (colour));
    cairo_fill (cr);
}
} // namespace

void drawFootswitch (cairo_t* cr, int id, int frame)
{
    const double w = id == 100 ? 44 : id == 101 ? 171 : 85;
    const double h = id == 100 ? 43 : id == 101 ? 78 : 41;
    plain (cr, w, h, frame ? 0x606060 : 0x909090);
}

void drawKnob (cairo_t* cr, int id, int frame, int frames)
{
    cairo_arc (cr, 20, 20, 16, 0, 2 * M_PI);
    set (cr, hex (0x202020));
    cairo_fill (cr);
    const double a = (120.0 + 300.0 * frame / (frames - 1)) * M_PI / 180.0;
    cairo_move_to (cr, 20, 20);
    cairo_line_to (cr, 20 + 14 * std::cos (a), 20 + 14 * std::sin (a));
    cairo_set_line_width (cr, 2);
    set (cr, hex (0xffffff));
    cairo_stroke (cr);
}

void drawPedalFace (cairo_t* cr, int model)
{
    plain (cr, 180, 220, 0x304050 + model * 0x101000);
}

void drawWindowBackground (cairo_t* cr)
{
    plain (cr, 180, 300, 0x202020);
}

void drawNamePanel (cairo_t* cr)
{
    plain (cr, 180, 24, 0x303030);
}

void drawSelectorField (cairo_t* cr, bool open)
{
    plain (cr, 135, 20, open ? 0x505050 : 0x404040);
}

void drawBarButton (cairo_t* cr, int id)
{
    plain (cr, 37, 17, 0x404040 + (id - 104) * 0x080808);
}

void drawPanelButton (cairo_t* cr, bool accept, bool pressed)
{
    plain (cr, 18, 17, accept ? (pressed ? 0x206020 : 0x30a030) : (pressed ? 0x602020 : 0xa03030));
}

void drawLamp (cairo_t* cr, int frame)
{
    cairo_arc (cr, 11, 11, 8, 0, 2 * M_PI);
    set (cr, hex (frame ? 0xff3020 : 0x401010));
    cairo_fill (cr);
}

void drawStatusLamp (cairo_t* cr, int frame)
{
    cairo_arc (cr, 18, 10, 6, 0, 2 * M_PI);
    set (cr, hex (frame == 1 ? 0xff3020 : 0x401010));
    cairo_fill (cr);
}

void drawAbout (cairo_t* cr, int id)
{
    plain (cr, 180, 300, id == 900 ? 0x102030 : 0x203010);
}

} // namespace Morvane::Artwork::Families
