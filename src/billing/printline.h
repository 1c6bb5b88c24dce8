#pragma once

#include "billing/windows1252.h"

#include <QStringView>
#include <QVarLengthArray>

#include <cstring>
#include <initializer_list>

// One line of a print layout, laid out left to right in fixed-width fields and held as the bytes
// it prints (Windows-1252, see encodeWindows1252). Every field is cut to its width or filled up
// with blanks, so each later field keeps its position whatever the texts before it hold.
// A print of thousands of bills lays out hundreds of thousands of lines: everything here stays
// inline and allocates nothing for lines of ordinary width.
class PrintLine
{
public:
    PrintLine &blanks(int count)
    {
        const qsizetype size = fieldWidth(count);
        std::memset(append(size), ' ', size_t(size));
        return *this;
    }

    // The text cut to `width` characters, blanks after it (left) or before it (right).
    PrintLine &left(QStringView text, int width) { return left({text}, width); }
    PrintLine &right(QStringView text, int width)
    {
        const qsizetype size = fieldWidth(width);
        const QStringView cut = text.left(size);
        char *field = append(size);
        std::memset(field, ' ', size_t(size - cut.size()));
        encodeWindows1252(field + size - cut.size(), cut);
        return *this;
    }

    // Pieces that make up one left-aligned field together, such as a label and its value.
    PrintLine &left(std::initializer_list<QStringView> pieces, int width)
    {
        const qsizetype size = fieldWidth(width);
        char *field = append(size);
        qsizetype used = 0;
        for (const QStringView piece : pieces) {
            const QStringView cut = piece.left(size - used);
            encodeWindows1252(field + used, cut);
            used += cut.size();
        }
        std::memset(field + used, ' ', size_t(size - used));
        return *this;
    }

    // The text as it stands, however long: fixed labels and attribute markers.
    PrintLine &text(QStringView text)
    {
        encodeWindows1252(append(text.size()), text);
        return *this;
    }

    const char *data() const { return m_bytes.constData(); }
    qsizetype size() const { return m_bytes.size(); }

private:
    static qsizetype fieldWidth(int width) { return width < 0 ? 0 : width; }

    // `count` more bytes at the end of the line, for the caller to fill.
    char *append(qsizetype count)
    {
        const qsizetype at = m_bytes.size();
        m_bytes.resize(at + count);
        return m_bytes.data() + at;
    }

    QVarLengthArray<char, 192> m_bytes;
};
