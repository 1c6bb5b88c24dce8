#include "billing/windows1252.h"

#include <array>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Bytes 0x80 to 0x9F of Windows-1252; 0 where the code page leaves the byte undefined.
constexpr std::array<char16_t, 32> HighControls = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                   0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char encode(char16_t c)
{
    if (c < 0x20 || c == 0x7F)
        return ' ';
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] != 0 && HighControls[i] == c)
            return char(0x80 + i);
    }
    return '?';
}

// Copies a text of printable ASCII characters (0x20 to 0x7E) byte for byte; false, with `p`
// partly written, when the text holds any other character.
bool copyPrintableAscii(char *p, const char16_t *chars, qsizetype size)
{
    qsizetype i = 0;
#if defined(__SSE2__)
    // Eight characters at a time: one outside the range leaves a lane above zero.
    const __m128i first = _mm_set1_epi16(0x20);
    const __m128i span = _mm_set1_epi16(0x7E - 0x20);
    for (; i + 8 <= size; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(chars + i));
        const __m128i beyond = _mm_subs_epu16(_mm_sub_epi16(v, first), span);
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(beyond, _mm_setzero_si128())) != 0xFFFF)
            return false;
        _mm_storel_epi64(reinterpret_cast<__m128i *>(p + i), _mm_packus_epi16(v, v));
    }
#endif
    for (; i < size; ++i) {
        if (std::uint16_t(chars[i] - 0x20) > 0x7E - 0x20)
            return false;
        p[i] = char(chars[i]);
    }
    return true;
}

}  // namespace

void encodeWindows1252(char *p, QStringView text)
{
    const char16_t *chars = text.utf16();
    const qsizetype size = text.size();
    // Nearly every printed text is plain ASCII: copied as it is, and only a text with anything
    // else is converted character by character.
    if (copyPrintableAscii(p, chars, size))
        return;
    for (qsizetype i = 0; i < size; ++i)
        p[i] = encode(chars[i]);
}

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *p = text.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        const char16_t c = (u >= 0x80 && u <= 0x9F) ? HighControls[u - 0x80] : char16_t(u);
        *p++ = QChar(c == 0 ? u'?' : c);
    }
    return text;
}
