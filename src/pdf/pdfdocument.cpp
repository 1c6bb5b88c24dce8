#include "pdf/pdfdocument.h"

#include "pdf/pdffont.h"

#include <QIODevice>

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>

namespace {

// The width of the lines and frames: the thinnest line a printer makes.
constexpr double HairLine = 0.1;

cairo_status_t writeTo(void *device, const unsigned char *data, unsigned int length)
{
    const qint64 written = static_cast<QIODevice *>(device)->write(reinterpret_cast<const char *>(data), length);
    return written == qint64(length) ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

}  // namespace

PdfDocument::PdfDocument(QIODevice &device, double width, double height)
    : m_surface(cairo_pdf_surface_create_for_stream(writeTo, &device, width, height)), m_cairo(cairo_create(m_surface))
{
}

PdfDocument::~PdfDocument()
{
    for (const Scaled &scaled : m_scaled)
        cairo_scaled_font_destroy(scaled.scaled);
    cairo_destroy(m_cairo);
    cairo_surface_destroy(m_surface);
}

void PdfDocument::setTitle(const QString &title)
{
    cairo_pdf_surface_set_metadata(m_surface, CAIRO_PDF_METADATA_TITLE, title.toUtf8().constData());
}

void PdfDocument::setCreator(const QString &creator)
{
    cairo_pdf_surface_set_metadata(m_surface, CAIRO_PDF_METADATA_CREATOR, creator.toUtf8().constData());
}

void PdfDocument::glyphs(const PdfFont &font, double size, std::span<const PlacedGlyph> glyphs, double stretch)
{
    auto run = std::find_if(m_runs.begin(), m_runs.end(),
                            [&](const Run &r) { return r.font == &font && r.size == size && r.stretch == stretch; });
    if (run == m_runs.end())
        run = m_runs.insert(m_runs.end(), Run{&font, size, stretch, {}});
    run->glyphs.insert(run->glyphs.end(), glyphs.begin(), glyphs.end());
}

void PdfDocument::line(QPointF from, QPointF to) { m_lines.emplace_back(from, to); }

void PdfDocument::frame(const QRectF &rect) { m_frames.push_back(rect); }

namespace {

// A hairline as the box it covers, filled: square ends half its width beyond both points. A
// viewer shades a filled hairline by how much of a pixel it covers, as it does the text, where a
// stroked one would be a full pixel at any zoom. Boxes are what cairo fills fastest.
void addHairLine(cairo_t *cairo, const QLineF &line)
{
    const QRectF box =
        QRectF(line.p1(), line.p2()).normalized().adjusted(-HairLine / 2, -HairLine / 2, HairLine / 2, HairLine / 2);
    cairo_rectangle(cairo, box.x(), box.y(), box.width(), box.height());
}

}  // namespace

void PdfDocument::drawLines()
{
    if (m_lines.empty() && m_frames.empty())
        return;
    for (const QLineF &line : m_lines)
        addHairLine(m_cairo, line);
    for (const QRectF &rect : m_frames)
        for (const QLineF &side :
             {QLineF(rect.topLeft(), rect.topRight()), QLineF(rect.topRight(), rect.bottomRight()),
              QLineF(rect.bottomRight(), rect.bottomLeft()), QLineF(rect.bottomLeft(), rect.topLeft())})
            addHairLine(m_cairo, side);
    cairo_fill(m_cairo);
    m_lines.clear();
    m_frames.clear();
}

void PdfDocument::fill(std::span<const QRectF> rects, bool black)
{
    const double shade = black ? 0.0 : 1.0;
    cairo_set_source_rgb(m_cairo, shade, shade, shade);
    for (const QRectF &rect : rects)
        cairo_rectangle(m_cairo, rect.x(), rect.y(), rect.width(), rect.height());
    cairo_fill(m_cairo);
    cairo_set_source_rgb(m_cairo, 0, 0, 0);
}

cairo_scaled_font_t *PdfDocument::scaledFont(const Run &run)
{
    for (const Scaled &scaled : m_scaled)
        if (scaled.font == run.font && scaled.size == run.size && scaled.stretch == run.stretch)
            return scaled.scaled;
    cairo_matrix_t matrix;
    cairo_matrix_init_scale(&matrix, run.size * run.stretch, run.size);
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    // Unhinted metrics: the advances cairo expects are then the ones the glyphs were placed with.
    cairo_font_options_t *options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_scaled_font_t *scaled = cairo_scaled_font_create(run.font->cairoFace(), &matrix, &identity, options);
    cairo_font_options_destroy(options);
    m_scaled.push_back({run.font, run.size, run.stretch, scaled});
    return scaled;
}

void PdfDocument::drawGlyphs()
{
    std::vector<cairo_glyph_t> glyphs;
    for (Run &run : m_runs) {
        if (run.glyphs.empty())
            continue;
        glyphs.clear();
        glyphs.reserve(run.glyphs.size());
        for (const PlacedGlyph &glyph : run.glyphs)
            glyphs.push_back({glyph.index, glyph.x, glyph.y});
        cairo_set_scaled_font(m_cairo, scaledFont(run));
        cairo_show_glyphs(m_cairo, glyphs.data(), int(glyphs.size()));
        run.glyphs.clear();
    }
}

void PdfDocument::newPage()
{
    drawLines();
    drawGlyphs();
    cairo_show_page(m_cairo);
}

std::optional<QString> PdfDocument::finish()
{
    drawLines();
    drawGlyphs();
    cairo_show_page(m_cairo);
    cairo_surface_finish(m_surface);
    const cairo_status_t status = cairo_surface_status(m_surface);
    if (status == CAIRO_STATUS_SUCCESS)
        return std::nullopt;
    return QString::fromUtf8(cairo_status_to_string(status));
}
