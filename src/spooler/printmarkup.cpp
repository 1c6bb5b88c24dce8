#include "spooler/printmarkup.h"

using namespace Qt::Literals::StringLiterals;

std::optional<Marker> markerAt(QStringView line, qsizetype i)
{
    if (i + 1 >= line.size() || line[i] != u'\\')
        return std::nullopt;
    switch (line[i + 1].unicode()) {
    case u'D': return Marker{Attribute::DoubleStrike, true};
    case u'd': return Marker{Attribute::DoubleStrike, false};
    case u'E': return Marker{Attribute::Emphasized, true};
    case u'e': return Marker{Attribute::Emphasized, false};
    case u'C': return Marker{Attribute::Condensed, true};
    case u'c': return Marker{Attribute::Condensed, false};
    default: return std::nullopt;
    }
}

QList<PrintRun> parsePrintLine(QStringView line)
{
    QList<PrintRun> runs;
    PrintRun current;
    int column = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (const std::optional<Marker> marker = markerAt(line, i)) {
            Attributes next = current.attributes;
            if (marker->on)
                next.bits |= unsigned(marker->attribute);
            else
                next.bits &= ~unsigned(marker->attribute);
            if (next != current.attributes) {
                if (!current.text.isEmpty())
                    runs.append(current);
                current = PrintRun{column, QString(), next};
            }
            ++i;
            continue;
        }
        current.text += line[i];
        ++column;
    }
    if (!current.text.isEmpty())
        runs.append(current);
    return runs;
}

QList<QByteArray> printFileLines(const QByteArray &content)
{
    QList<QByteArray> lines = content.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}
