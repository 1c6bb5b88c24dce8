#pragma once

#include <QList>
#include <QString>

#include <optional>

// The print attributes the bill layouts switch on and off with markers: "\D" "\E" "\C" switch
// one on, "\d" "\e" "\c" switch it off. Markers take no print position.
enum class Attribute : unsigned { None = 0, DoubleStrike = 1, Emphasized = 2, Condensed = 4 };

struct Attributes
{
    unsigned bits = 0;
    bool has(Attribute a) const { return bits & unsigned(a); }
    bool operator==(const Attributes &) const = default;
};

// A stretch of one line printed with the same attributes, starting at `column` (0 at the left
// margin, counted on the line with its markers removed).
struct PrintRun
{
    int column = 0;
    QString text;
    Attributes attributes;
};

// What a marker does: which attribute, and whether it switches it on.
struct Marker
{
    Attribute attribute = Attribute::None;
    bool on = false;
};

// The marker at `line[i]` (a backslash and one of the six letters), or nothing: any other
// backslash is an ordinary character.
std::optional<Marker> markerAt(QStringView line, qsizetype i);

// A line of the print file cut into runs. Every line starts with all attributes off, so a line
// that forgets to close one cannot spoil the rest of the job.
QList<PrintRun> parsePrintLine(QStringView line);

// The print file cut into lines at CR LF (a lone LF also ends a line); nothing after the last
// line end makes no extra line.
QList<QByteArray> printFileLines(const QByteArray &content);
