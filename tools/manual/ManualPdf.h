// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small A4 document writer over cairo's PDF surface: text set by Pango (its markup for bold and
// italics) flowing down the page, pictures drawn by callbacks, page breaks and page numbers.
#include <functional>
#include <vector>
#include <string>

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace Manual {

// Text made safe for Pango markup.
std::string escape (const std::string& text);

class ManualPdf
{
public:
    static constexpr double kPageWidth = 595.0;   // A4 in points
    static constexpr double kPageHeight = 842.0;
    static constexpr double kMargin = 56.0;
    static constexpr double kTextWidth = kPageWidth - 2 * kMargin;

    // Draws into a rectangle whose top-left corner is the origin, in points.
    using Picture = std::function<void (cairo_t*, double width, double height)>;

    ManualPdf (const std::string& path, const std::string& title);
    ~ManualPdf ();
    ManualPdf (const ManualPdf&) = delete;
    ManualPdf& operator= (const ManualPdf&) = delete;

    bool ok () const;

    void title (const std::string& text, const std::string& subtitle);
    void heading (const std::string& text);   // starts a section, never alone at a page end
    void subheading (const std::string& text);
    void paragraph (const std::string& markup);
    void bullet (const std::string& markup);
    void code (const std::string& text);   // one line in a fixed-width face
    // A picture on the left and the text beside it, kept together on one page.
    void pictureWithText (double width, double height, const Picture& picture,
                          const std::string& markup);
    // Rows of cells (Pango markup), the first row bold; column widths in points.
    void table (const std::vector<std::vector<std::string>>& rows,
                const std::vector<double>& widths);
    void newPage ();
    // Writes the last page; false when the file could not be written.
    bool finish ();

private:
    double measure (const std::string& markup, double width, double size, bool mono = false) const;
    double draw (const std::string& markup, double x, double y, double width, double size,
                 bool mono = false);
    // Lines of markup, those beginning with "• " indented under their bullet; the height, and
    // the text drawn when paint is true.
    double textBlock (const std::string& markup, double x, double top, double width, bool paint);
    void need (double height);
    void footer ();

    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    double y = kMargin;
    int page = 1;
    std::string documentTitle;
};

}   // namespace Manual
