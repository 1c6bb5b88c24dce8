#pragma once

#include <QByteArray>
#include <QString>

// The code page of the print files: one byte per character. Characters the code page lacks
// become "?"; control characters inside a text become a blank, so a stray line break in a cell
// can never add a line to a page.
// encodeWindows1252 writes exactly text.size() bytes at `out`.
void encodeWindows1252(char *out, QStringView text);
QString fromWindows1252(QByteArrayView bytes);
