#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The print file drawn as PDF pages for a laser printer or a preview: 80 positions at 10 per
// inch and 6 lines per inch on a page of the layout's line count, in a monospaced font, every
// character on its print position. Emphasized text is drawn bold, double-strike text twice with
// a slight offset, condensed text at 17.14 per inch. Returns the failure's description.
std::optional<QString> writePdfPages(const QByteArray &printFile, int pageLines, const QString &pdfPath);
