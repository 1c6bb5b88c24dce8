#include "spooler/escp.h"

#include "billing/windows1252.h"
#include "spooler/printmarkup.h"

namespace {

// Upper half of PC437, the character table Epson-compatible printers start with.
const char16_t Pc437High[] = u"ÇüéâäàåçêëèïîìÄÅÉæÆôöòûùÿÖÜ¢£¥₧ƒáíóúñÑªº¿⌐¬½¼¡«»░▒▓│┤╡╢╖╕╣║╗╝╜╛┐"
                             u"└┴┬├─┼╞╟╚╔╩╦╠═╬╧╨╤╥╙╘╒╓╫╪┘┌█▄▌▐▀αßΓπΣσµτΦΘΩδ∞φε∩≡±≥≤⌠⌡÷≈°∙·√ⁿ²■\u00a0";

char toPc437(QChar c)
{
    if (c.unicode() < 0x80)
        return char(c.unicode());
    for (int i = 0; i < 128; ++i) {
        if (Pc437High[i] == c.unicode())
            return char(0x80 + i);
    }
    return '?';
}

// ESC followed by one letter: most ESC/P switches.
QByteArray escape(char letter) { return QByteArray("\x1b") + letter; }

QByteArray switchCode(Attribute attribute, bool on)
{
    switch (attribute) {
    case Attribute::DoubleStrike: return escape(on ? 'G' : 'H');
    case Attribute::Emphasized: return escape(on ? 'E' : 'F');
    case Attribute::Condensed: return on ? QByteArray("\x0f") : QByteArray("\x12");
    case Attribute::None: break;
    }
    return {};
}

void appendLine(QByteArray &job, QStringView line)
{
    unsigned open = 0;
    qsizetype end = line.size();
    while (end > 0 && line[end - 1] == u' ')
        --end;
    for (qsizetype i = 0; i < end; ++i) {
        if (const std::optional<Marker> marker = markerAt(line, i)) {
            job += switchCode(marker->attribute, marker->on);
            open = marker->on ? open | unsigned(marker->attribute) : open & ~unsigned(marker->attribute);
            ++i;
            continue;
        }
        job += toPc437(line[i]);
    }
    // A line never carries an attribute over to the next one.
    for (const Attribute a : {Attribute::DoubleStrike, Attribute::Emphasized, Attribute::Condensed}) {
        if (open & unsigned(a))
            job += switchCode(a, false);
    }
    job += "\r\n";
}

}  // namespace

QByteArray escpJob(const QByteArray &printFile, int pageLines)
{
    // Reset, 6 lpi, 10 cpi, no skip over the perforation (the file counts its own lines), and
    // the page length of the stationery in lines.
    QByteArray job = escape('@') + escape('2') + escape('P') + escape('O') + escape('C');
    job += char(pageLines);
    job.reserve(printFile.size() + job.size());
    for (const QByteArray &line : printFileLines(printFile))
        appendLine(job, fromWindows1252(line));
    return job;
}
