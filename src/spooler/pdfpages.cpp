#include "spooler/pdfpages.h"

#include "billing/windows1252.h"
#include "common/outputfile.h"
#include "spooler/printmarkup.h"

#include "pdf/pdfdocument.h"
#include "pdf/pdffont.h"

#include <array>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// In points.
constexpr double Pitch = 72.0 / 10.0;  // 10 characters per inch
constexpr double CondensedPitch = 72.0 / 17.14;
constexpr double Leading = 72.0 / 6.0;  // 6 lines per inch
constexpr double Margin = 72.0 / 4.0;   // a quarter inch all round
constexpr double StrikeOffset = 72.0 / 180.0;
constexpr double FontSize = 12;

class PageWriter
{
public:
    PageWriter(PdfDocument &pdf, std::array<std::unique_ptr<PdfFont>, 2> fonts) : m_pdf(pdf), m_fonts(std::move(fonts))
    {
        for (const bool bold : {false, true})
            m_advance[bold] = m_fonts[bold]->advance(m_fonts[bold]->glyphIndex(U'M'), FontSize);
    }

    void drawLine(int lineOnPage, QStringView line)
    {
        const double baseline = Margin + (lineOnPage + 1) * Leading - Leading / 4;
        double x = Margin;
        for (const PrintRun &run : parsePrintLine(line)) {
            const double pitch = run.attributes.has(Attribute::Condensed) ? CondensedPitch : Pitch;
            drawRun(run, x, baseline, pitch);
            x += run.text.size() * pitch;
        }
    }

private:
    // Every character is put at its own print position, the font squeezed to the pitch, so
    // columns line up whatever the font's own advance.
    void drawRun(const PrintRun &run, double x, double baseline, double pitch)
    {
        const bool bold = run.attributes.has(Attribute::Emphasized);
        const int passes = run.attributes.has(Attribute::DoubleStrike) ? 2 : 1;
        const PdfFont &font = *m_fonts[bold];
        for (int pass = 0; pass < passes; ++pass) {
            m_glyphs.clear();
            for (qsizetype i = 0; i < run.text.size(); ++i)
                if (run.text[i] != u' ')
                    m_glyphs.push_back(
                        {font.glyphIndex(run.text[i].unicode()), x + i * pitch + pass * StrikeOffset, baseline});
            m_pdf.glyphs(font, FontSize, m_glyphs, pitch / m_advance[bold]);
        }
    }

    PdfDocument &m_pdf;
    std::array<std::unique_ptr<PdfFont>, 2> m_fonts;
    std::vector<PlacedGlyph> m_glyphs;
    double m_advance[2] = {Pitch, Pitch};
};

std::optional<QString> drawPages(const QByteArray &printFile, int pageLines, OutputFile &output)
{
    std::array<std::unique_ptr<PdfFont>, 2> fonts{PdfFont::load(u"DejaVu Sans Mono"_s, false),
                                                  PdfFont::load(u"DejaVu Sans Mono"_s, true)};
    if (!fonts[0] || !fonts[1])
        return u"no font for the print (DejaVu Sans Mono)"_s;
    const QString pdfPath = output.path();
    PdfDocument pdf(output.device(), 8.5 * 72, (pageLines / 6.0 + 0.5) * 72);
    pdf.setCreator(u"inetspooler"_s);
    PageWriter pages(pdf, std::move(fonts));
    const QList<QByteArray> lines = printFileLines(printFile);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0 && i % pageLines == 0)
            pdf.newPage();
        pages.drawLine(int(i % pageLines), fromWindows1252(lines[i]));
    }
    const std::optional<QString> failure = pdf.finish();
    if (output.device().error() != QFileDevice::NoError)
        return output.failure();
    if (failure)
        return u"cannot finish "_s + pdfPath + u": "_s + *failure;
    return std::nullopt;
}

}  // namespace

std::optional<QString> writePdfPages(const QByteArray &printFile, int pageLines, const QString &pdfPath)
{
    // The earlier PDF stays until the new one is whole: a full disk or a killed spooler never
    // leaves a broken file under its name.
    return writeWholeFile(pdfPath, [&](OutputFile &output) { return drawPages(printFile, pageLines, output); });
}
