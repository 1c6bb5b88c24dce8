#pragma once

#include "sheet/biffrecords.h"
#include "sheet/sheet.h"

#include <unordered_map>
#include <vector>

// The cell formats of an Excel 97-2003 workbook: one XF record per distinct cell style in the
// order the cells first use them, with the fonts and number formats they need. The first font
// is the workbook's default, Arial 10 pt, in which column widths are measured.
class XlsStyles
{
public:
    static constexpr quint16 DefaultCellXf = 15;

    explicit XlsStyles(const Sheet &sheet) : m_sheet(sheet) {}

    quint16 xf(int styleId);  // the XF index for cells of this style
    // FONT, FORMAT, XF and STYLE records, in the order the globals substream wants them.
    void write(Biff::Stream &stream) const;

    static quint16 paletteIndex(QRgb color);  // the nearest colour of the built-in palette

private:
    quint16 font(const Sheet::Font &font);
    quint16 format(const QString &format);

    const Sheet &m_sheet;
    std::unordered_map<int, quint16> m_xfs;  // style id -> XF index
    std::vector<int> m_xfStyles;             // style ids of XF 16, 17, ...
    std::vector<quint16> m_xfFonts;
    std::vector<quint16> m_xfFormats;
    std::vector<Sheet::Font> m_fonts;  // fonts 5, 6, ...
    QStringList m_formats;             // formats 164, 165, ...
};
