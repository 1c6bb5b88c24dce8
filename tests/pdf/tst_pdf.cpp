#include "pdf/pdfdocument.h"
#include "pdf/pdffont.h"
#include "pdf/pdfsyntax.h"
#include "pdf/textlines.h"
#include "testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// What a poppler tool prints for the file; none when it is missing. A tool that had to repair
// the file (a wrong offset, a bad stream) says so on its error output, which fails the test.
std::optional<QString> readerOutput(const QString &program, const QStringList &arguments)
{
    const std::optional<ProgramRun> run = runProgram(program, arguments);
    if (!run)
        return std::nullopt;
    if (!run->errors.isEmpty())
        qWarning("%s: %s", qPrintable(program), run->errors.constData());
    return run->exitCode == 0 && run->errors.isEmpty() ? run->output : QString();
}

QByteArray numberText(double value)
{
    std::string text;
    PdfSyntax::number(text, value);
    return QByteArray::fromStdString(text);
}

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
    void numbersAndStringsAsTheSyntaxWantsThem();
    void documentHasRealTextInEmbeddedFonts();
    void glyphCodesThatLookLikeSyntaxStayText();
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

void tst_Pdf::numbersAndStringsAsTheSyntaxWantsThem()
{
    // Three decimals at most, half away from zero, no trailing zeros, no "-0".
    QCOMPARE(numberText(10), QByteArray("10"));
    QCOMPARE(numberText(0.5), QByteArray("0.5"));
    QCOMPARE(numberText(-12.125), QByteArray("-12.125"));
    QCOMPARE(numberText(841.99951), QByteArray("842"));
    QCOMPARE(numberText(0.0125), QByteArray("0.013"));
    QCOMPARE(numberText(-0.0004), QByteArray("0"));
    QCOMPARE(numberText(-0.0006), QByteArray("-0.001"));
    std::string literal;
    PdfSyntax::literal(literal, "a(b)\\c\rd\n");
    QCOMPARE(QByteArray::fromStdString(literal), QByteArray("(a\\(b\\)\\\\c\\rd\n)"));
    std::string text;
    PdfSyntax::text(text, u"Tax (Rs.)"_s);
    PdfSyntax::text(text, u"\u20B9 10"_s);
    QCOMPARE(QByteArray::fromStdString(text), QByteArray("(Tax \\(Rs.\\))<FEFF20B9002000310030>"));
    std::string name;
    PdfSyntax::name(name, "KB/Dejavu Sans#1");
    QCOMPARE(QByteArray::fromStdString(name), QByteArray("/KB#2FDejavu#20Sans#231"));
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
    const std::optional<QString> info = readerOutput(u"pdfinfo"_s, {path});
    if (!info)
        QSKIP("pdfinfo is not installed (scripts/setup installs poppler-utils)");
    QVERIFY(info->contains(QRegularExpression(u"Pages:\\s+2\\n"_s)));
    QVERIFY(info->contains(QRegularExpression(u"Title:\\s+Tax invoices\\n"_s)));
    const QStringList pages =
        readerOutput(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s}).value_or(QString()).split(u'\f');
    QVERIFY(pages.size() >= 2);
    QVERIFY(pages[0].contains(u"Invoice No : KB/000360"_s));
    QVERIFY(pages[0].contains(u"Total (Rs.) 1540.29"_s));
    QVERIFY2(pages[1].contains(u"Condensed Rupees"_s), qPrintable(pages[1]));
    // Both fonts embedded, as subsets of the glyphs used.
    const QStringList fonts =
        readerOutput(u"pdffonts"_s, {path}).value_or(QString()).split(u'\n', Qt::SkipEmptyParts).mid(2);
    QCOMPARE(fonts.size(), 2);
    for (const QString &font : fonts)
        QVERIFY2(font.contains(QRegularExpression(u"\\+DejaVuSans(-Bold)? .* yes yes yes "_s)), qPrintable(font));
}

void tst_Pdf::glyphCodesThatLookLikeSyntaxStayText()
{
    // A glyph's code is two bytes in a string: the bytes of "(", ")", "\\" and a carriage return
    // must not end the string, escape the next byte or become a line feed.
    QString expected;
    std::vector<PlacedGlyph> glyphs;
    for (const unsigned index : {0x28u, 0x29u, 0x5Cu, 0x0Du}) {
        const char32_t character = m_font->characterOf(index);
        QVERIFY2(character > U' ', qPrintable(u"glyph %1 draws no character"_s.arg(index)));
        expected += QString::fromUcs4(&character, 1);
        glyphs.push_back({index, 40 + 20.0 * glyphs.size(), 60});
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(u"codes.pdf"_s);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        PdfDocument pdf(file, 595, 842);
        pdf.glyphs(*m_font, 9, glyphs);
        QCOMPARE(pdf.finish(), std::nullopt);
    }
    const std::optional<QString> text = readerOutput(u"pdftotext"_s, {path, u"-"_s});
    if (!text)
        QSKIP("pdftotext is not installed (scripts/setup installs poppler-utils)");
    QCOMPARE(QString(*text).remove(QRegularExpression(u"\\s"_s)), expected);
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
