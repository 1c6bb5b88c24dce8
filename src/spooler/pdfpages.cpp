#include "spooler/pdfpages.h"

#include "billing/windows1252.h"
#include "common/outputfile.h"
#include "spooler/printmarkup.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Resolution = 720;              // device units per inch
constexpr double Pitch = Resolution / 10.0;  // 10 characters per inch
constexpr double CondensedPitch = Resolution / 17.14;
constexpr double Leading = Resolution / 6.0;  // 6 lines per inch
constexpr double Margin = Resolution / 4.0;   // a quarter inch all round
constexpr double StrikeOffset = Resolution / 180.0;

QFont printerFont(bool bold)
{
    QFont font(u"DejaVu Sans Mono"_s);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(12);
    font.setBold(bold);
    return font;
}

class PageWriter
{
public:
    explicit PageWriter(QPdfWriter &pdf) : m_painter(&pdf), m_pdf(pdf)
    {
        for (const bool bold : {false, true})
            m_advance[bold] = QFontMetricsF(printerFont(bold), &pdf).horizontalAdvance(u'M');
    }

    bool isActive() const { return m_painter.isActive(); }

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

    bool newPage() { return m_pdf.newPage(); }
    bool end() { return m_painter.end(); }

private:
    // Each word is put at its own print position and squeezed to the pitch, so columns line
    // up whatever the font's own advance.
    void drawRun(const PrintRun &run, double x, double baseline, double pitch)
    {
        const bool bold = run.attributes.has(Attribute::Emphasized);
        const int passes = run.attributes.has(Attribute::DoubleStrike) ? 2 : 1;
        m_painter.setFont(printerFont(bold));
        const double scale = pitch / m_advance[bold];
        qsizetype i = 0;
        while (i < run.text.size()) {
            if (run.text[i] == u' ') {
                ++i;
                continue;
            }
            qsizetype end = i;
            while (end < run.text.size() && run.text[end] != u' ')
                ++end;
            for (int pass = 0; pass < passes; ++pass) {
                m_painter.save();
                m_painter.translate(x + i * pitch + pass * StrikeOffset, baseline);
                m_painter.scale(scale, 1.0);
                m_painter.drawText(QPointF(0, 0), run.text.mid(i, end - i));
                m_painter.restore();
            }
            i = end;
        }
    }

    QPainter m_painter;
    QPdfWriter &m_pdf;
    double m_advance[2] = {Pitch, Pitch};
};

std::optional<QString> drawPages(const QByteArray &printFile, int pageLines, OutputFile &output)
{
    const QString pdfPath = output.path();
    QPdfWriter pdf(&output.device());
    pdf.setResolution(Resolution);
    pdf.setCreator(u"inetspooler"_s);
    const double heightInches = pageLines / 6.0 + 0.5;
    pdf.setPageSize(QPageSize(QSizeF(8.5, heightInches), QPageSize::Inch, u"Stationery"_s, QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    PageWriter pages(pdf);
    if (!pages.isActive())
        return output.failure();
    const QList<QByteArray> lines = printFileLines(printFile);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0 && i % pageLines == 0 && !pages.newPage())
            return u"cannot add a page to "_s + pdfPath;
        pages.drawLine(int(i % pageLines), fromWindows1252(lines[i]));
    }
    if (!pages.end())
        return u"cannot finish "_s + pdfPath;
    if (output.device().error() != QFileDevice::NoError)
        return output.failure();
    return std::nullopt;
}

}  // namespace

std::optional<QString> writePdfPages(const QByteArray &printFile, int pageLines, const QString &pdfPath)
{
    // The earlier PDF stays until the new one is whole: a full disk or a killed spooler never
    // leaves a broken file under its name.
    return writeWholeFile(pdfPath, [&](OutputFile &output) { return drawPages(printFile, pageLines, output); });
}
