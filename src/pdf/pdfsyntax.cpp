#include "pdf/pdfsyntax.h"

#include <algorithm>
#include <charconv>

namespace PdfSyntax {

void integer(std::string &out, long long value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

void thousandths(std::string &out, long long value)
{
    if (value < 0) {
        out += '-';
        value = -value;
    }
    integer(out, value / 1000);
    int fraction = int(value % 1000);
    if (fraction == 0)
        return;
    char digits[4] = {'.', char('0' + fraction / 100), char('0' + fraction / 10 % 10), char('0' + fraction % 10)};
    int length = 4;
    while (digits[length - 1] == '0')
        --length;
    out.append(digits, length);
}

void number(std::string &out, double value) { thousandths(out, rounded(value * 1000)); }

void escaped(std::string &out, std::string_view bytes)
{
    for (const char byte : bytes) {
        switch (byte) {
        case '(':
        case ')':
        case '\\': out += '\\'; break;
        case '\r': out += "\\r"; continue;  // a bare CR would be read as a line end
        default: break;
        }
        out += byte;
    }
}

void literal(std::string &out, std::string_view bytes)
{
    out += '(';
    escaped(out, bytes);
    out += ')';
}

void text(std::string &out, const QString &text)
{
    const bool ascii =
        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= 32 && c.unicode() < 127; });
    if (ascii) {
        literal(out, text.toLatin1().toStdString());
        return;
    }
    static constexpr char Hex[] = "0123456789ABCDEF";
    out += "<FEFF";
    for (const QChar c : text)
        for (const int shift : {12, 8, 4, 0})
            out += Hex[(c.unicode() >> shift) & 0xF];
    out += '>';
}

void name(std::string &out, std::string_view name)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    static constexpr std::string_view Delimiters = "()<>[]{}/%#";
    out += '/';
    for (const char byte : name) {
        const auto code = static_cast<unsigned char>(byte);
        if (code > 32 && code < 127 && Delimiters.find(byte) == std::string_view::npos) {
            out += byte;
        } else {
            out += '#';
            out += Hex[code >> 4];
            out += Hex[code & 0xF];
        }
    }
}

}  // namespace PdfSyntax
