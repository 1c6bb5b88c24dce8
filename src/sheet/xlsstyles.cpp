#include "sheet/xlsstyles.h"

#include <algorithm>
#include <array>
#include <climits>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr quint16 FirstFont = 5;  // font index 4 never appears in a workbook
constexpr int DefaultFontRecords = 4;
constexpr quint16 FirstCustomFormat = 164;
constexpr quint16 TwoDecimalsBuiltIn = 2;
constexpr quint16 FirstPaletteIndex = 0x08;
constexpr quint16 AutomaticFontColour = 0x7FFF;
constexpr quint16 BorderColour = 0x08;  // black
constexpr quint16 SystemForeground = 0x40;
constexpr quint16 SystemBackground = 0x41;
constexpr quint8 UsedAttributes = 0xFC;  // number format, font, alignment, border, fill, protection
constexpr quint8 BottomAligned = 0x20;

// The built-in colours at indexes 0x08 to 0x3F.
constexpr std::array<QRgb, 56> Palette = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF, 0x800000, 0x008000,
    0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080, 0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF,
    0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF, 0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000,
    0x008080, 0x0000FF, 0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696, 0x003366, 0x339966,
    0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
};

int channel(QRgb color, int shift) { return int((color >> shift) & 0xFF); }

quint8 horizontal(Sheet::HAlign align)
{
    switch (align) {
    case Sheet::HAlign::General: return 0;
    case Sheet::HAlign::Left: return 1;
    case Sheet::HAlign::Center: return 2;
    case Sheet::HAlign::Right: return 3;
    }
    return 0;
}

quint8 vertical(Sheet::VAlign align)
{
    switch (align) {
    case Sheet::VAlign::Top: return 0;
    case Sheet::VAlign::Center: return 1;
    case Sheet::VAlign::Bottom: return 2;
    }
    return 2;
}

Biff::Data fontRecord(const Sheet::Font &font, quint16 colour)
{
    Biff::Data data;
    const quint16 options = (font.bold ? 0x01 : 0) | (font.italic ? 0x02 : 0) | (font.strikeOut ? 0x08 : 0);
    data.u16(quint16(qRound(font.size * 20))).u16(options).u16(colour).u16(font.bold ? 700 : 400).u16(0);
    data.u8(font.underline ? 1 : 0).u8(0).u8(0).u8(0).shortString(font.name);
    return data;
}

// One of the fixed style XFs (0 to 14) or the default cell XF (15).
Biff::Data fixedXf(bool style, quint8 used)
{
    Biff::Data data;
    data.u16(0).u16(0).u16(style ? 0xFFF5 : 0x0001).u8(BottomAligned).u8(0).u8(0).u8(used);
    data.u32(0).u32(0).u16(SystemForeground | (SystemBackground << 7));
    return data;
}

}  // namespace

quint16 XlsStyles::paletteIndex(QRgb color)
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < int(Palette.size()); ++i) {
        int distance = 0;
        for (int shift : {0, 8, 16}) {
            const int d = channel(color, shift) - channel(Palette[i], shift);
            distance += d * d;
        }
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return quint16(FirstPaletteIndex + best);
}

quint16 XlsStyles::font(const Sheet::Font &font)
{
    if (font == Sheet::Font())
        return 0;
    const auto it = std::find(m_fonts.begin(), m_fonts.end(), font);
    if (it != m_fonts.end())
        return quint16(FirstFont + (it - m_fonts.begin()));
    m_fonts.push_back(font);
    return quint16(FirstFont + m_fonts.size() - 1);
}

quint16 XlsStyles::format(const QString &format)
{
    if (format.isEmpty())
        return 0;
    if (format == u"0.00"_s)
        return TwoDecimalsBuiltIn;
    qsizetype at = m_formats.indexOf(format);
    if (at < 0) {
        m_formats.append(format);
        at = m_formats.size() - 1;
    }
    return quint16(FirstCustomFormat + at);
}

quint16 XlsStyles::xf(int styleId)
{
    if (styleId == 0)
        return DefaultCellXf;
    const auto known = m_xfs.find(styleId);
    if (known != m_xfs.end())
        return known->second;
    const Sheet::Style &style = m_sheet.styleById(styleId);
    const quint16 index = quint16(DefaultCellXf + 1 + m_xfStyles.size());
    m_xfStyles.push_back(styleId);
    m_xfFonts.push_back(font(style.font));
    m_xfFormats.push_back(format(style.numberFormat));
    m_xfs.emplace(styleId, index);
    return index;
}

void XlsStyles::write(Biff::Stream &stream) const
{
    for (int i = 0; i < DefaultFontRecords; ++i)
        stream.record(Biff::Font, fontRecord(Sheet::Font(), AutomaticFontColour));
    for (const Sheet::Font &f : m_fonts)
        stream.record(Biff::Font, fontRecord(f, paletteIndex(f.color)));
    for (int i = 0; i < m_formats.size(); ++i)
        stream.record(Biff::Format, Biff::Data().u16(quint16(FirstCustomFormat + i)).string(m_formats[i]));

    stream.record(Biff::Xf, fixedXf(true, 0x00));
    for (int i = 1; i < DefaultCellXf; ++i)
        stream.record(Biff::Xf, fixedXf(true, 0xF4));
    stream.record(Biff::Xf, fixedXf(false, 0x00));
    for (size_t i = 0; i < m_xfStyles.size(); ++i) {
        const Sheet::Style &s = m_sheet.styleById(m_xfStyles[i]);
        const quint8 align = quint8(horizontal(s.hAlign) | (s.wordWrap ? 0x08 : 0) | (vertical(s.vAlign) << 4));
        const quint32 lines = (s.borderLeft ? 0x1 : 0) | (s.borderRight ? 0x10 : 0) | (s.borderTop ? 0x100 : 0)
                              | (s.borderBottom ? 0x1000 : 0) | (s.borderLeft ? BorderColour << 16 : 0)
                              | (s.borderRight ? quint32(BorderColour) << 23 : 0);
        const quint16 fill = s.fill ? paletteIndex(*s.fill) : 0;
        const quint32 moreLines =
            (s.borderTop ? BorderColour : 0) | (s.borderBottom ? BorderColour << 7 : 0) | (s.fill ? 1u << 26 : 0);
        const quint16 fillColours =
            s.fill ? quint16(fill | (fill << 7)) : quint16(SystemForeground | (SystemBackground << 7));
        Biff::Data data;
        data.u16(m_xfFonts[i]).u16(m_xfFormats[i]).u16(0x0001).u8(align).u8(0).u8(0).u8(UsedAttributes);
        data.u32(lines).u32(moreLines).u16(fillColours);
        stream.record(Biff::Xf, data);
    }
    stream.record(Biff::Style, Biff::Data().u16(0x8000).u8(0).u8(0xFF));
}
