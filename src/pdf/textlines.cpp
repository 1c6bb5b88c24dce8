#include "pdf/textlines.h"

#include <QList>
#include <QTextBoundaryFinder>

namespace {

QStringView withoutTrailingBlanks(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1].isSpace())
        --end;
    return text.first(end);
}

void addLines(const PdfFont &font, double size, QStringView paragraph, double width, std::vector<ShapedText> &lines)
{
    ShapedText whole = font.shape(paragraph, size);
    if (whole.widthOf(withoutTrailingBlanks(paragraph).size()) <= width) {
        if (paragraph.size() != withoutTrailingBlanks(paragraph).size())
            whole = font.shape(withoutTrailingBlanks(paragraph), size);
        lines.push_back(std::move(whole));
        return;
    }
    QList<qsizetype> breaks;  // where a line may end, the paragraph's end last
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, paragraph.toString());
    for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary())
        breaks.append(at);
    if (breaks.isEmpty() || breaks.last() != paragraph.size())
        breaks.append(paragraph.size());
    qsizetype start = 0;
    qsizetype next = 0;  // the first break after start
    while (start < paragraph.size()) {
        const double left = whole.widthOf(start);
        qsizetype end = breaks[next++];
        while (next < breaks.size()) {
            const qsizetype visible =
                start + withoutTrailingBlanks(paragraph.sliced(start, breaks[next] - start)).size();
            if (whole.widthOf(visible) - left > width)
                break;
            end = breaks[next++];
        }
        lines.push_back(font.shape(withoutTrailingBlanks(paragraph.sliced(start, end - start)), size));
        start = end;
    }
}

}  // namespace

std::vector<ShapedText> textLines(const PdfFont &font, double size, QStringView text, double width)
{
    std::vector<ShapedText> lines;
    if (text.isEmpty())
        return lines;
    for (const QStringView paragraph : text.tokenize(u'\n'))
        addLines(font, size, paragraph, width, lines);
    return lines;
}
