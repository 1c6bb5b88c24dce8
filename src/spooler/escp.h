#pragma once

#include <QByteArray>

// The print file as raw ESC/P bytes for a dot-matrix printer on continuous stationery: the
// printer reset to 6 lines per inch and 10 characters per inch, the page length set to the
// layout's line count, the markers turned into printer codes (D double-strike, E emphasized,
// C condensed), each line's trailing blanks dropped, and the characters put into the printer's
// PC437 table.
QByteArray escpJob(const QByteArray &printFile, int pageLines);
