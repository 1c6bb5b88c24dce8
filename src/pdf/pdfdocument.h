#pragma once

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>
#include <span>
#include <vector>

class PdfFont;
class QIODevice;
struct _cairo;
struct _cairo_surface;
struct _cairo_scaled_font;

// A glyph placed on the page: its baseline origin in points from the page's top left corner.
struct PlacedGlyph
{
    unsigned index = 0;
    double x = 0;
    double y = 0;
};

// A PDF written by cairo into a device as it goes, pages of one size in points, y growing
// downwards. Text is real text in the fonts it names, which are embedded with the glyphs used.
// The lines and glyphs of a page are drawn when the page ends, one path for all the lines and a
// few long runs of glyphs per font instead of one per text: each drawing operation costs cairo
// far more than its size. Filled rectangles are drawn at once; nothing a page draws overlaps, so
// the order does not show.
class PdfDocument
{
public:
    PdfDocument(QIODevice &device, double width, double height);
    ~PdfDocument();
    PdfDocument(const PdfDocument &) = delete;
    PdfDocument &operator=(const PdfDocument &) = delete;

    void setTitle(const QString &title);
    void setCreator(const QString &creator);

    // Glyphs in `font` at `size`, widened by `stretch` (a condensed print is narrower than 1).
    void glyphs(const PdfFont &font, double size, std::span<const PlacedGlyph> glyphs, double stretch = 1.0);
    // A horizontal or vertical hairline, and a rectangle drawn with it.
    void line(QPointF from, QPointF to);
    void frame(const QRectF &rect);
    // Rectangles filled in black or white, as one shape.
    void fill(std::span<const QRectF> rects, bool black);

    void newPage();
    // Ends the last page and the file; the failure's description, if cairo met one. Writing
    // failures of the device are the device's to tell.
    std::optional<QString> finish();

private:
    struct Run
    {
        const PdfFont *font = nullptr;
        double size = 0;
        double stretch = 1;
        std::vector<PlacedGlyph> glyphs;
    };
    void drawLines();
    void drawGlyphs();
    _cairo_scaled_font *scaledFont(const Run &run);

    _cairo_surface *m_surface = nullptr;
    _cairo *m_cairo = nullptr;
    std::vector<Run> m_runs;  // this page's glyphs, by font
    std::vector<QLineF> m_lines;
    std::vector<QRectF> m_frames;
    struct Scaled
    {
        const PdfFont *font;
        double size;
        double stretch;
        _cairo_scaled_font *scaled;
    };
    std::vector<Scaled> m_scaled;
};
