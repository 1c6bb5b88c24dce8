#pragma once

#include <QString>

#include <string>
#include <string_view>

// The tokens of a PDF file appended to a byte buffer: numbers as short decimals (a thousandth of
// a point is far below what a printer resolves), strings escaped. Speed matters: a run of
// invoices writes millions of numbers.
namespace PdfSyntax {

// Half away from zero, as std::llround, without the library call: it runs for every glyph.
inline long long rounded(double value) { return static_cast<long long>(value < 0 ? value - 0.5 : value + 0.5); }

void integer(std::string &out, long long value);
// `value` rounded to three decimals, without trailing zeros: 10, 0.5, -12.125.
void number(std::string &out, double value);
// A number given in thousandths, as number() writes it: 10500 is "10.5".
void thousandths(std::string &out, long long value);
// Bytes as a literal string, "(...)", with the characters the syntax gives a meaning escaped.
void literal(std::string &out, std::string_view bytes);
// The same without the parentheses: a piece of a string that goes on.
void escaped(std::string &out, std::string_view bytes);
// A text string of the document's information: PDFDocEncoding when it is ASCII, UTF-16 otherwise.
void text(std::string &out, const QString &text);
// A name, "/...": characters outside the regular ones as #xx.
void name(std::string &out, std::string_view name);

}  // namespace PdfSyntax
