// SPDX-License-Identifier: GPL-3.0-or-later
#include "ManualPdf.h"
#include <cairo-pdf.h>
#include <pango/pangocairo.h>
#include <algorithm>
#include <cstdlib>
#include <ctime>

namespace Manual {

namespace {

constexpr double kBodySize = 10.0;
constexpr const char* kFamily = "DejaVu Sans";
constexpr const char* kMonoFamily = "DejaVu Sans Mono";

PangoLayout* makeLayout (cairo_t* cr, const std::string& markup, double width, double size,
                         bool mono)
{
    PangoLayout* layout = pango_cairo_create_layout (cr);
    PangoFontDescription* font = pango_font_description_new ();
    pango_font_description_set_family (font, mono ? kMonoFamily : kFamily);
    pango_font_description_set_absolute_size (font, size * PANGO_SCALE);
    pango_layout_set_font_description (layout, font);
    pango_font_description_free (font);
    pango_layout_set_width (layout, static_cast<int> (width * PANGO_SCALE));
    pango_layout_set_wrap (layout, PANGO_WRAP_WORD_CHAR);
    pango_layout_set_spacing (layout, static_cast<int> (size * 0.25 * PANGO_SCALE));
    pango_layout_set_markup (layout, markup.c_str (), -1);
    return layout;
}

}   // namespace

std::string escape (const std::string& text)
{
    char* escaped = g_markup_escape_text (text.c_str (), -1);
    std::string result = escaped;
    g_free (escaped);
    return result;
}

ManualPdf::ManualPdf (const std::string& path, const std::string& title) : documentTitle (title)
{
    surface = cairo_pdf_surface_create (path.c_str (), kPageWidth, kPageHeight);
    cairo_pdf_surface_set_metadata (surface, CAIRO_PDF_METADATA_TITLE, title.c_str ());
    cairo_pdf_surface_set_metadata (surface, CAIRO_PDF_METADATA_AUTHOR, "Morvane");
    // A release build dates the manual by its sources, so two builds give the same bytes.
    if (const char* epoch = std::getenv ("SOURCE_DATE_EPOCH"); epoch != nullptr && *epoch != 0)
    {
        const std::time_t seconds = static_cast<std::time_t> (std::strtoll (epoch, nullptr, 10));
        char date[32] = {};
        if (std::strftime (date, sizeof (date), "%Y-%m-%dT%H:%M:%SZ", std::gmtime (&seconds)) > 0)
            cairo_pdf_surface_set_metadata (surface, CAIRO_PDF_METADATA_CREATE_DATE, date);
    }
    cr = cairo_create (surface);
}

ManualPdf::~ManualPdf ()
{
    if (cr != nullptr)
        cairo_destroy (cr);
    if (surface != nullptr)
        cairo_surface_destroy (surface);
}

bool ManualPdf::ok () const
{
    return cairo_surface_status (surface) == CAIRO_STATUS_SUCCESS
           && cairo_status (cr) == CAIRO_STATUS_SUCCESS;
}

double ManualPdf::measure (const std::string& markup, double width, double size, bool mono) const
{
    PangoLayout* layout = makeLayout (cr, markup, width, size, mono);
    int w = 0, h = 0;
    pango_layout_get_size (layout, &w, &h);
    g_object_unref (layout);
    return static_cast<double> (h) / PANGO_SCALE;
}

double ManualPdf::draw (const std::string& markup, double x, double top, double width, double size,
                        bool mono)
{
    PangoLayout* layout = makeLayout (cr, markup, width, size, mono);
    cairo_move_to (cr, x, top);
    pango_cairo_show_layout (cr, layout);
    int w = 0, h = 0;
    pango_layout_get_size (layout, &w, &h);
    g_object_unref (layout);
    return static_cast<double> (h) / PANGO_SCALE;
}

void ManualPdf::need (double height)
{
    if (y + height > kPageHeight - kMargin)
        newPage ();
}

void ManualPdf::footer ()
{
    cairo_set_source_rgb (cr, 0.45, 0.45, 0.45);
    const std::string text = documentTitle + "  ·  " + std::to_string (page);
    draw (escape (text), kMargin, kPageHeight - kMargin + 18, kTextWidth, 8.0);
    cairo_set_source_rgb (cr, 0, 0, 0);
}

void ManualPdf::newPage ()
{
    footer ();
    cairo_show_page (cr);
    ++page;
    y = kMargin;
}

void ManualPdf::title (const std::string& text, const std::string& subtitle)
{
    cairo_set_source_rgb (cr, 0.55, 0.12, 0.08);
    y += draw ("<b>" + text + "</b>", kMargin, y, kTextWidth, 30.0);
    cairo_set_source_rgb (cr, 0.2, 0.2, 0.2);
    y += draw (subtitle, kMargin, y + 4, kTextWidth, 13.0) + 18;
    cairo_set_source_rgb (cr, 0, 0, 0);
}

void ManualPdf::heading (const std::string& text)
{
    const std::string markup = "<b>" + text + "</b>";
    // A heading is followed by at least a few lines on the same page.
    need (measure (markup, kTextWidth, 16.0) + 14 + 4 * kBodySize * 1.5);
    y += 10;
    cairo_set_source_rgb (cr, 0.55, 0.12, 0.08);
    y += draw (markup, kMargin, y, kTextWidth, 16.0) + 6;
    cairo_set_source_rgb (cr, 0, 0, 0);
}

void ManualPdf::subheading (const std::string& text)
{
    const std::string markup = "<b>" + text + "</b>";
    need (measure (markup, kTextWidth, 12.0) + 8 + 2 * kBodySize * 1.5);
    y += 4;
    y += draw (markup, kMargin, y, kTextWidth, 12.0) + 4;
}

void ManualPdf::paragraph (const std::string& markup)
{
    need (measure (markup, kTextWidth, kBodySize));
    y += draw (markup, kMargin, y, kTextWidth, kBodySize) + 6;
}

void ManualPdf::bullet (const std::string& markup)
{
    const double indent = 14;
    need (measure (markup, kTextWidth - indent, kBodySize));
    draw ("•", kMargin + 3, y, indent, kBodySize);
    y += draw (markup, kMargin + indent, y, kTextWidth - indent, kBodySize) + 3;
}

void ManualPdf::code (const std::string& text)
{
    const std::string markup = escape (text);
    need (measure (markup, kTextWidth - 14, 9.0, true) + 4);
    y += draw (markup, kMargin + 14, y, kTextWidth - 14, 9.0, true) + 5;
}

double ManualPdf::textBlock (const std::string& markup, double x, double top, double width,
                             bool paint)
{
    // Each line is a paragraph of its own, so a "• " line wraps under its text, not its bullet.
    const std::string mark = "• ";
    const double indent = 10;
    double height = 0;
    for (size_t start = 0;;)
    {
        const size_t end = markup.find ('\n', start);
        std::string line = markup.substr (start, end == std::string::npos ? end : end - start);
        double left = x;
        if (line.rfind (mark, 0) == 0)
        {
            line.erase (0, mark.size ());
            if (paint)
                draw ("•", x, top + height, indent, kBodySize);
            left += indent;
        }
        height += paint ? draw (line, left, top + height, width - (left - x), kBodySize)
                        : measure (line, width - (left - x), kBodySize);
        if (end == std::string::npos)
            return height;
        height += kBodySize * 0.25;   // the line spacing within one layout
        start = end + 1;
    }
}

void ManualPdf::pictureWithText (double width, double height, const Picture& picture,
                                 const std::string& markup)
{
    const double gap = 16;
    const double textHeight = textBlock (markup, 0, 0, kTextWidth - width - gap, false);
    need (std::max (height, textHeight) + 8);
    cairo_save (cr);
    cairo_translate (cr, kMargin, y);
    cairo_rectangle (cr, 0, 0, width, height);
    cairo_clip (cr);
    picture (cr, width, height);
    cairo_restore (cr);
    cairo_set_source_rgb (cr, 0, 0, 0);
    textBlock (markup, kMargin + width + gap, y, kTextWidth - width - gap, true);
    y += std::max (height, textHeight) + 12;
}

void ManualPdf::table (const std::vector<std::vector<std::string>>& rows,
                       const std::vector<double>& widths)
{
    constexpr double kPad = 3, kSize = 9.0;
    for (size_t r = 0; r < rows.size (); ++r)
    {
        auto cell = [&] (size_t c) { return r == 0 ? "<b>" + rows[r][c] + "</b>" : rows[r][c]; };
        double rowHeight = 0;
        for (size_t c = 0; c < rows[r].size () && c < widths.size (); ++c)
            rowHeight = std::max (rowHeight, measure (cell (c), widths[c] - 2 * kPad, kSize));
        rowHeight += 2 * kPad;
        need (rowHeight);
        if (r == 0 || r % 2 == 0)
        {
            cairo_set_source_rgb (cr, r == 0 ? 0.86 : 0.95, r == 0 ? 0.84 : 0.95,
                                  r == 0 ? 0.80 : 0.95);
            double total = 0;
            for (double w : widths)
                total += w;
            cairo_rectangle (cr, kMargin, y, total, rowHeight);
            cairo_fill (cr);
            cairo_set_source_rgb (cr, 0, 0, 0);
        }
        double x = kMargin;
        for (size_t c = 0; c < rows[r].size () && c < widths.size (); ++c)
        {
            draw (cell (c), x + kPad, y + kPad, widths[c] - 2 * kPad, kSize);
            x += widths[c];
        }
        y += rowHeight;
    }
    y += 8;
}

bool ManualPdf::finish ()
{
    footer ();
    cairo_show_page (cr);
    cairo_surface_finish (surface);
    return ok ();
}

}   // namespace Manual
