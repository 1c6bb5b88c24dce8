#include "pdf/pdfdocument.h"

#include "pdf/pdffont.h"
#include "pdf/pdffontobjects.h"
#include "pdf/pdfsyntax.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// The width of the lines and frames: the thinnest line a printer makes.
constexpr double HairLine = 0.1;

void reference(std::string &out, int object)
{
    PdfSyntax::integer(out, object);
    out += " 0 R";
}

// A glyph's code in a string: two bytes, high first.
void glyphCode(std::string &out, unsigned glyph)
{
    const char code[2] = {char(glyph >> 8), char(glyph & 0xFF)};
    PdfSyntax::escaped(out, {code, 2});
}

}  // namespace

PdfDocument::PdfDocument(QIODevice &device, double width, double height)
    : m_objects(device), m_width(width), m_height(height), m_pages(m_objects.reserve()),
      m_resources(m_objects.reserve())
{
}

void PdfDocument::setTitle(const QString &title) { m_title = title; }

void PdfDocument::setCreator(const QString &creator) { m_creator = creator; }

std::size_t PdfDocument::fontIndex(const PdfFont &font)
{
    const auto known = std::find_if(m_fonts.begin(), m_fonts.end(), [&](const Font &f) { return f.font == &font; });
    if (known != m_fonts.end())
        return std::size_t(known - m_fonts.begin());
    m_fonts.push_back({&font, m_objects.reserve(), {}});
    return m_fonts.size() - 1;
}

void PdfDocument::glyphs(const PdfFont &font, double size, std::span<const PlacedGlyph> glyphs, double stretch)
{
    const std::size_t index = fontIndex(font);
    auto run = std::find_if(m_runs.begin(), m_runs.end(),
                            [&](const Run &r) { return r.font == index && r.size == size && r.stretch == stretch; });
    if (run == m_runs.end())
        run = m_runs.insert(m_runs.end(), Run{index, size, stretch, {}});
    run->glyphs.insert(run->glyphs.end(), glyphs.begin(), glyphs.end());
    std::vector<bool> &used = m_fonts[index].used;
    for (const PlacedGlyph &glyph : glyphs) {
        if (glyph.index >= used.size())
            used.resize(glyph.index + 1);
        used[glyph.index] = true;
    }
}

void PdfDocument::line(QPointF from, QPointF to) { m_lines.emplace_back(from, to); }

void PdfDocument::frame(const QRectF &rect) { m_frames.push_back(rect); }

// A rectangle of the page as PDF gives it: from its bottom left corner, y growing upwards.
void PdfDocument::rectangle(const QRectF &rect)
{
    PdfSyntax::number(m_content, rect.x());
    m_content += ' ';
    PdfSyntax::number(m_content, m_height - rect.y() - rect.height());
    m_content += ' ';
    PdfSyntax::number(m_content, rect.width());
    m_content += ' ';
    PdfSyntax::number(m_content, rect.height());
    m_content += " re\n";
}

void PdfDocument::fill(std::span<const QRectF> rects, bool black)
{
    if (!black)
        m_content += "1 g\n";
    for (const QRectF &rect : rects)
        rectangle(rect);
    m_content += black ? "f\n" : "f\n0 g\n";
}

// The lines as the boxes they cover, filled: square ends half their width beyond both points. A
// viewer shades a filled hairline by how much of a pixel it covers, as it does the text, where a
// stroked one would be a full pixel at any zoom.
void PdfDocument::drawLines()
{
    if (m_lines.empty() && m_frames.empty())
        return;
    const auto hairLine = [&](const QLineF &line) {
        rectangle(QRectF(line.p1(), line.p2())
                      .normalized()
                      .adjusted(-HairLine / 2, -HairLine / 2, HairLine / 2, HairLine / 2));
    };
    for (const QLineF &line : m_lines)
        hairLine(line);
    for (const QRectF &rect : m_frames)
        for (const QLineF &side :
             {QLineF(rect.topLeft(), rect.topRight()), QLineF(rect.topRight(), rect.bottomRight()),
              QLineF(rect.bottomRight(), rect.bottomLeft()), QLineF(rect.bottomLeft(), rect.topLeft())})
            hairLine(side);
    m_content += "f\n";
    m_lines.clear();
    m_frames.clear();
}

// The glyphs of a run as text: each line of glyphs starts with a move to its first glyph, then its
// glyph codes go out as strings, with a shift wherever a glyph does not stand at the end of the
// one before (kerning, a skipped blank, a column of print, a second strike). A line ends where the
// baseline changes or a glyph goes back by more than the size.
void PdfDocument::drawRun(const Run &run)
{
    const PdfFont &font = *m_fonts[run.font].font;
    const double scale = run.size * run.stretch / 1e6;  // points per millionth of the size
    // A shift is in thousandths of the (widened) size, a hundredth of a point at 10 points: glyphs
    // stand within half of that of where they were placed.
    const double unit = scale * 1000;
    m_content += "BT\n/F";
    PdfSyntax::integer(m_content, qint64(run.font));
    m_content += ' ';
    PdfSyntax::number(m_content, run.size);
    m_content += " Tf\n";
    if (run.stretch != 1) {
        PdfSyntax::number(m_content, run.stretch * 100);
        m_content += " Tz\n";
    }
    long long lineX = 0;  // the start of the current line, in thousandths of a point
    long long lineY = 0;
    double pen = 0;  // where the next glyph goes without a shift
    bool inLine = false;
    bool inString = false;
    for (const PlacedGlyph &glyph : run.glyphs) {
        const long long x = PdfSyntax::rounded(glyph.x * 1000);
        const long long y = PdfSyntax::rounded((m_height - glyph.y) * 1000);
        if (!inLine || y != lineY || glyph.x < pen - run.size) {
            if (inLine)
                m_content += inString ? ")] TJ\n" : "] TJ\n";
            PdfSyntax::thousandths(m_content, x - lineX);
            m_content += ' ';
            PdfSyntax::thousandths(m_content, y - lineY);
            m_content += " Td [";
            lineX = x;
            lineY = y;
            pen = double(x) / 1000;
            inLine = true;
            inString = false;
        } else if (const long long shift = PdfSyntax::rounded((pen - glyph.x) / unit); shift != 0) {
            if (inString)
                m_content += ')';
            PdfSyntax::integer(m_content, shift);
            pen -= double(shift) * unit;
            inString = false;
        }
        if (!inString)
            m_content += '(';
        inString = true;
        glyphCode(m_content, glyph.index);
        pen += font.widthMillionths(glyph.index) * scale;
    }
    if (inLine)
        m_content += inString ? ")] TJ\n" : "] TJ\n";
    m_content += "ET\n";
}

void PdfDocument::endPage()
{
    drawLines();
    for (Run &run : m_runs) {
        if (!run.glyphs.empty())
            drawRun(run);
        run.glyphs.clear();
    }
    const int contents = m_objects.reserve();
    m_objects.writeStream(contents, {}, m_content);
    m_content.clear();
    const int page = m_objects.reserve();
    std::string body = "<< /Type /Page /Parent ";
    reference(body, m_pages);
    body += " /Resources ";
    reference(body, m_resources);
    body += " /Contents ";
    reference(body, contents);
    body += " >>";
    m_objects.write(page, body);
    m_pageObjects.push_back(page);
}

void PdfDocument::newPage() { endPage(); }

std::string PdfDocument::information() const
{
    std::string info = "<<";
    if (!m_title.isEmpty()) {
        info += " /Title ";
        PdfSyntax::text(info, m_title);
    }
    if (!m_creator.isEmpty()) {
        info += " /Creator ";
        PdfSyntax::text(info, m_creator);
    }
    const QDateTime now = QDateTime::currentDateTime();
    const int offset = now.offsetFromUtc() / 60;
    info += " /CreationDate ";
    PdfSyntax::text(info, now.toString(u"'D:'yyyyMMddHHmmss"_s) + (offset < 0 ? u'-' : u'+')
                              + u"%1'%2'"_s.arg(std::abs(offset) / 60, 2, 10, QChar(u'0'))
                                    .arg(std::abs(offset) % 60, 2, 10, QChar(u'0')));
    info += " >>";
    return info;
}

std::optional<QString> PdfDocument::finish()
{
    endPage();
    std::optional<QString> failure;
    std::string resources = "<< /Font <<";
    for (std::size_t i = 0; i < m_fonts.size(); ++i) {
        std::vector<unsigned> used;
        for (unsigned glyph = 0; glyph < m_fonts[i].used.size(); ++glyph)
            if (m_fonts[i].used[glyph])
                used.push_back(glyph);
        if (!writeFont(m_objects, m_fonts[i].object, *m_fonts[i].font, used) && !failure)
            failure = u"the font "_s + m_fonts[i].font->family() + u" cannot be embedded"_s;
        resources += " /F";
        PdfSyntax::integer(resources, qint64(i));
        resources += ' ';
        reference(resources, m_fonts[i].object);
    }
    resources += " >> >>";
    m_objects.write(m_resources, resources);

    std::string pages = "<< /Type /Pages /MediaBox [0 0 ";
    PdfSyntax::number(pages, m_width);
    pages += ' ';
    PdfSyntax::number(pages, m_height);
    pages += "] /Count ";
    PdfSyntax::integer(pages, qint64(m_pageObjects.size()));
    pages += " /Kids [";
    for (const int page : m_pageObjects) {
        reference(pages, page);
        pages += ' ';
    }
    pages += "] >>";
    m_objects.write(m_pages, pages);

    const int catalog = m_objects.reserve();
    std::string body = "<< /Type /Catalog /Pages ";
    reference(body, m_pages);
    body += " >>";
    m_objects.write(catalog, body);
    const int info = m_objects.reserve();
    m_objects.write(info, information());
    if (!m_objects.finish(catalog, info) && !failure)
        failure = u"the file could not be written whole"_s;
    return failure;
}
