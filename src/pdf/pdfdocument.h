#pragma once

#include "pdf/pdfobjects.h"

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>
#include <span>
#include <string>
#include <vector>

class PdfFont;
class QIODevice;

// A glyph placed on the page: its baseline origin in points from the page's top left corner.
struct PlacedGlyph
{
    unsigned index = 0;
    double x = 0;
    double y = 0;
};

// A PDF written into a device as it goes, page by page, pages of one size in points, y growing
// downwards. Text is real text in the fonts it names, which are embedded at the end with the
// glyphs used. The lines and glyphs of a page are drawn when the page ends, all the lines as one
// shape and the glyphs by font; filled rectangles are drawn at once. Nothing a page draws
// overlaps, so the order does not show.
class PdfDocument
{
public:
    PdfDocument(QIODevice &device, double width, double height);
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
    // Ends the last page and the file; the failure's description, if there was one. Writing
    // failures of the device are the device's to tell.
    std::optional<QString> finish();

private:
    struct Font
    {
        const PdfFont *font;
        int object;
        std::vector<bool> used;  // by glyph
    };
    struct Run
    {
        std::size_t font = 0;  // in m_fonts
        double size = 0;
        double stretch = 1;
        std::vector<PlacedGlyph> glyphs;
    };
    std::size_t fontIndex(const PdfFont &font);
    void endPage();
    void drawLines();
    void drawRun(const Run &run);
    void rectangle(const QRectF &rect);
    std::string information() const;

    PdfObjects m_objects;
    double m_width;
    double m_height;
    int m_pages;
    int m_resources;
    std::vector<int> m_pageObjects;
    std::vector<Font> m_fonts;
    std::vector<Run> m_runs;  // this page's glyphs, by font, size and stretch
    std::vector<QLineF> m_lines;
    std::vector<QRectF> m_frames;
    std::string m_content;  // this page's drawing
    QString m_title;
    QString m_creator;
};
