#include "pdf/pdfdocument.h"
#include "pdf/pdffont.h"
#include "pdf/textlines.h"
#include "testfiles.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

using Glyphs = std::vector<unsigned>;

Glyphs glyphsOf(const ShapedText &text)
{
    Glyphs glyphs;
    for (const ShapedGlyph &glyph : text.glyphs)
        glyphs.push_back(glyph.index);
    return glyphs;
}

}  // namespace

class tst_Pdf : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fontMetricsAndKerning();
    void linesBreakWhereTheRulesAllow();
    void documentHasRealTextInEmbeddedFonts();
    void failedWritesAreReported();

private:
    std::unique_ptr<PdfFont> m_font;
};

void tst_Pdf::initTestCase()
{
    m_font = PdfFont::load(u"DejaVu Sans"_s, false);
    QVERIFY2(m_font, "DejaVu Sans is not installed (scripts/setup installs fonts-dejavu-core)");
}

void tst_Pdf::fontMetricsAndKerning()
{
    QCOMPARE(m_font->family(), u"DejaVu Sans"_s);
    QCOMPARE(PdfFont::load(u"DejaVu Sans"_s, true)->family(), u"DejaVu Sans"_s);
    // Lines of 9 points stand 10.484375 points apart: ascent and descent in whole 64ths.
    const VerticalMetrics nine = m_font->metrics(9);
    QCOMPARE(nine.ascent, 535 / 64.0);
    QCOMPARE(nine.descent, 136 / 64.0);
    // A pair the font kerns is narrower than its letters apart; widths scale with the size.
    const double pair = m_font->shape(u"AV", 10).width;
    QVERIFY(pair < m_font->shape(u"A", 10).width + m_font->shape(u"V", 10).width);
    QCOMPARE(m_font->shape(u"AV", 20).width, 2 * pair);
    // Every glyph knows the text it draws, and a missing character is the missing glyph.
    const ShapedText shaped = m_font->shape(u"Rs. 10", 9);
    QCOMPARE(shaped.glyphs.size(), std::size_t(6));
    QCOMPARE(shaped.glyphs[4].cluster, 4);
    QCOMPARE(shaped.widthOf(4), shaped.glyphs[4].x);
    QCOMPARE(shaped.widthOf(6), shaped.width);
    QVERIFY(m_font->glyphIndex(U'A') != 0);
    QCOMPARE(m_font->glyphIndex(U'\U0010FFFD'), 0u);
}

void tst_Pdf::linesBreakWhereTheRulesAllow()
{
    // The lines as their glyphs, against the glyphs of the texts expected.
    const auto lines = [&](const QString &text, double width) {
        std::vector<Glyphs> glyphs;
        for (const ShapedText &line : textLines(*m_font, 9, text, width))
            glyphs.push_back(glyphsOf(line));
        return glyphs;
    };
    const auto expected = [&](const QStringList &texts) {
        std::vector<Glyphs> glyphs;
        for (const QString &text : texts)
            glyphs.push_back(glyphsOf(m_font->shape(text, 9)));
        return glyphs;
    };
    QVERIFY(lines(QString(), 100).empty());
    // Fits: one line, without the trailing blanks (they would shift a right-aligned text).
    QCOMPARE(lines(u"Kochi  "_s, 100), expected({u"Kochi"_s}));
    QCOMPARE(textLines(*m_font, 9, u"Kochi  "_s, 100).front().width, m_font->shape(u"Kochi", 9).width);
    // Too wide: as many words as fit on each line.
    const double width = std::max(m_font->shape(u"161 MG Road", 9).width, m_font->shape(u"Kochi Kerala", 9).width) + 1;
    QVERIFY(m_font->shape(u"161 MG Road Kochi", 9).width > width);
    QCOMPARE(lines(u"161 MG Road Kochi Kerala"_s, width), expected({u"161 MG Road"_s, u"Kochi Kerala"_s}));
    // A forced break, an empty line between two.
    QCOMPARE(lines(u"RO-360\n\n20-Dec-2025"_s, 200), expected({u"RO-360"_s, QString(), u"20-Dec-2025"_s}));
    // A word wider than the width sticks out on its own line; a hyphen before a digit is no break.
    QCOMPARE(lines(u"A ABCDEFGHIJKLMNOP B"_s, 20), expected({u"A"_s, u"ABCDEFGHIJKLMNOP"_s, u"B"_s}));
    QCOMPARE(lines(u"RO-360"_s, 10), expected({u"RO-360"_s}));
    QCOMPARE(lines(u"Pre-printed"_s, m_font->shape(u"Pre-", 9).width + 1), expected({u"Pre-"_s, u"printed"_s}));
}

void tst_Pdf::documentHasRealTextInEmbeddedFonts()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"two.pdf"_s);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const std::unique_ptr<PdfFont> bold = PdfFont::load(u"DejaVu Sans"_s, true);
        PdfDocument pdf(file, 595, 842);
        pdf.setTitle(u"Tax invoices"_s);
        const auto write = [&](const PdfFont &font, const QString &text, double x, double y, double stretch = 1) {
            std::vector<PlacedGlyph> glyphs;
            for (const ShapedGlyph &glyph : font.shape(text, 9).glyphs)
                glyphs.push_back({glyph.index, x + glyph.x * stretch, y});
            pdf.glyphs(font, 9, glyphs, stretch);
        };
        write(*m_font, u"Invoice No : KB/000360"_s, 40, 60);
        write(*bold, u"Total (Rs.) 1540.29"_s, 40, 80);
        pdf.line({40, 90}, {555, 90});
        pdf.frame({40, 100, 100, 30});
        const QRectF dark{300, 300, 10, 10};
        pdf.fill({&dark, 1}, true);
        pdf.newPage();
        write(*m_font, u"Condensed Rupees"_s, 40, 60, 10 / 17.14);
        QCOMPARE(pdf.finish(), std::nullopt);
        QCOMPARE(file.error(), QFileDevice::NoError);
    }
    const std::optional<QString> info = programOutput(u"pdfinfo"_s, {path});
    if (!info)
        QSKIP("pdfinfo is not installed (scripts/setup installs poppler-utils)");
    QVERIFY(info->contains(QRegularExpression(u"Pages:\\s+2\\n"_s)));
    QVERIFY(info->contains(QRegularExpression(u"Title:\\s+Tax invoices\\n"_s)));
    const QStringList pages =
        programOutput(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s}).value_or(QString()).split(u'\f');
    QVERIFY(pages.size() >= 2);
    QVERIFY(pages[0].contains(u"Invoice No : KB/000360"_s));
    QVERIFY(pages[0].contains(u"Total (Rs.) 1540.29"_s));
    QVERIFY2(pages[1].contains(u"Condensed Rupees"_s), qPrintable(pages[1]));
    // Both fonts embedded, as subsets of the glyphs used.
    const QStringList fonts =
        programOutput(u"pdffonts"_s, {path}).value_or(QString()).split(u'\n', Qt::SkipEmptyParts).mid(2);
    QCOMPARE(fonts.size(), 2);
    for (const QString &font : fonts)
        QVERIFY2(font.contains(QRegularExpression(u"\\+DejaVuSans(-Bold)? .* yes yes yes "_s)), qPrintable(font));
}

void tst_Pdf::failedWritesAreReported()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(u"full.pdf"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(file.open(QIODevice::ReadOnly));  // every write fails
    PdfDocument pdf(file, 595, 842);
    std::vector<PlacedGlyph> glyphs{{m_font->glyphIndex(U'x'), 40, 60}};
    pdf.glyphs(*m_font, 9, glyphs);
    QVERIFY(pdf.finish().has_value());
}

QTEST_MAIN(tst_Pdf)
#include "tst_pdf.moc"
