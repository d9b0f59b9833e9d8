// SPDX-License-Identifier: GPL-3.0-or-later
// Places come from the editor's own layout tables, so the manual shows the window as it is.
#include "ManualPictures.h"
#include <cairo.h>
#include <pango/pangocairo.h>
#include <cmath>
#ifdef OVERMOOR_MANUAL_ARTWORK
#include "editor/CMVXOvermoorLayout.h"
#include "editor/CMVXStravelGUIContainer.h"
#include "resources/artwork/Artwork.h"
#endif

namespace Manual {

namespace {

constexpr double kWellLeft = 2, kWellTop = 19;   // where the window shows the pedal

// Frame `frame` of a stacked bitmap with its top-left corner at (x, y), in window pixels.
void drawFrame (cairo_t* cr, int id, int frame, double x, double y)
{
    cairo_save (cr);
#ifdef OVERMOOR_MANUAL_ARTWORK
    const Morvane::Artwork::BitmapSize size = Morvane::Artwork::bitmapSize (id);
    const double frameHeight = size.frameHeight ();
    cairo_translate (cr, x, y);
    cairo_rectangle (cr, 0, 0, size.width, frameHeight);
    cairo_clip (cr);
    cairo_translate (cr, 0, -frame * frameHeight);
    Morvane::Artwork::drawBitmap (cr, id, 1.0);
#else
    // Built without the artwork: a plain grey pedal.
    (void)id;
    (void)frame;
    cairo_rectangle (cr, x, y, kFaceWidth, kFaceHeight);
    cairo_set_source_rgb (cr, 0.3, 0.3, 0.32);
    cairo_fill (cr);
#endif
    cairo_restore (cr);
}

void drawPedalAt (cairo_t* cr, int model, const std::vector<float>& knobValues)
{
    drawFrame (cr, 600, model, 0, 0);
#ifdef OVERMOOR_MANUAL_ARTWORK
    const CMVXPedalLayout& layout = pedalLayout (model);
    const CMVXStravelGUIContainer places (0);
    for (int k = 0; k < layout.knobCount; ++k)
    {
        const CMVXKnobPlace& knob = layout.knobs[k];
        const CMVXLayoutRect corner = places.getLayoutRect (knob.layoutKey);
        const size_t index = static_cast<size_t> (knob.tag - 2);
        const double value = index < knobValues.size () ? knobValues[index] : 0.5;
        const int frames = Morvane::Artwork::bitmapSize (layout.knobStrip).frames;
        drawFrame (cr, layout.knobStrip, static_cast<int> (std::lround (value * (frames - 1))),
                   corner.left + knob.dx, corner.top + knob.dy);
    }
    drawFrame (cr, footswitchBitmap (layout.footswitchStyle), 0, layout.footswitchLeft,
               layout.footswitchTop);
    const CMVXLayoutRect lamp = places.getLayoutRect (kLayoutLamp);
    drawFrame (cr, kBitmapStatusLamp, 1, lamp.left, lamp.top);   // lit: the effect is on
#endif
}

// The display's two rows as the window shows them: model selector and info button above, preset
// menu and save button below, with the texts the menus show.
void drawDisplayRows (cairo_t* cr, const char* modelName, const char* presetName)
{
#ifdef OVERMOOR_MANUAL_ARTWORK
    const CMVXStravelGUIContainer places (0);
    auto at = [&] (int key, int id) {
        const CMVXLayoutRect corner = places.getLayoutRect (key);
        drawFrame (cr, id, 0, corner.left, corner.top);
        return corner;
    };
    at (kLayoutInfoMenu, kBitmapInfo);
    at (kLayoutSaveMenu, kBitmapSave);
    for (const auto& [key, text] :
         {std::pair {kLayoutModelMenu, modelName}, std::pair {kLayoutPresetMenu, presetName}})
    {
        const CMVXLayoutRect corner = at (key, kBitmapSelector);
        PangoLayout* layout = pango_cairo_create_layout (cr);
        PangoFontDescription* font = pango_font_description_from_string ("DejaVu Sans");
        pango_font_description_set_absolute_size (font, 11 * PANGO_SCALE);
        pango_layout_set_font_description (layout, font);
        pango_font_description_free (font);
        pango_layout_set_text (layout, text, -1);
        int width = 0, height = 0;
        pango_layout_get_pixel_size (layout, &width, &height);
        cairo_set_source_rgb (cr, 1, 1, 1);
        cairo_move_to (cr, corner.left + 5, corner.top + (20 - height) / 2.0);
        pango_cairo_show_layout (cr, layout);
        g_object_unref (layout);
    }
#else
    (void)cr;
    (void)modelName;
    (void)presetName;
#endif
}

// The artwork is drawn into pixels first: as PDF vectors its textures and film strips (every
// frame of a knob's strip, clipped to one) would make the manual many megabytes.
template <typename Draw>
void paintRasterized (cairo_t* cr, double width, double height, const Draw& draw)
{
    constexpr double kPixelsPerPoint = 3.0;   // about 216 dpi
    cairo_surface_t* image = cairo_image_surface_create (
        CAIRO_FORMAT_RGB24, static_cast<int> (std::ceil (width * kPixelsPerPoint)),
        static_cast<int> (std::ceil (height * kPixelsPerPoint)));
    cairo_t* pixels = cairo_create (image);
    cairo_scale (pixels, kPixelsPerPoint, kPixelsPerPoint);
    draw (pixels);
    cairo_destroy (pixels);
    cairo_save (cr);
    cairo_scale (cr, 1.0 / kPixelsPerPoint, 1.0 / kPixelsPerPoint);
    cairo_set_source_surface (cr, image, 0, 0);
    cairo_paint (cr);
    cairo_restore (cr);
    cairo_surface_destroy (image);
}

}   // namespace

void drawPedal (cairo_t* cr, int model, const std::vector<float>& knobValues, double width,
                double height)
{
    paintRasterized (cr, width, height, [&] (cairo_t* pixels) {
        cairo_scale (pixels, width / kFaceWidth, height / kFaceHeight);
        drawPedalAt (pixels, model, knobValues);
    });
}

void drawWindow (cairo_t* cr, int model, const std::vector<float>& knobValues,
                 const char* modelName, const char* presetName, double width, double height)
{
    paintRasterized (cr, width, height, [&] (cairo_t* pixels) {
        cairo_scale (pixels, width / kWindowWidth, height / kWindowHeight);
        drawFrame (pixels, 500, 0, 0, 0);
        drawDisplayRows (pixels, modelName, presetName);
        cairo_translate (pixels, kWellLeft, kWellTop);
        drawPedalAt (pixels, model, knobValues);
    });
}

}   // namespace Manual
