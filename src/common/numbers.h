#pragma once

#include <QString>

// The rounding and number-to-text rules of amounts. Each rule lives here once; callers name the
// rule they want.

// The leading numeric part of a text (blanks before it skipped, a sign, digits, a decimal point,
// an exponent); "" or a text without one gives 0. "1250.5 sq" gives 1250.5.
double leadingNumber(QStringView text);

// A value computed in binary floating point from decimal amounts (a difference, a product, a
// quotient), brought back to the decimal it stands for: read at 15 significant digits, so binary
// noise such as 2.4999999999999996 for 2.5 never decides a half or shows in a text.
double settledDecimal(double computed);

// Whole units with an exact half going to the even neighbour: 2.5 -> 2, 3.5 -> 4, -3.5 -> -4.
// The half is judged on the value's shortest decimal form, not on its binary approximation.
double roundHalfEven(double value);

// A decimal text ("1500.00", "-2.675", "1e3") with exactly two decimals; an exact half in the
// third decimal goes away from zero: 1.005 -> "1.01", 2.675 -> "2.68". Not a number gives "".
QString twoDecimals(QStringView decimalText);
// The same for a double, judged on its shortest decimal form (so 1.005 -> "1.01").
QString twoDecimals(double value);

// What twoDecimals gives, kept in the object itself: code that prints thousands of amounts
// reads them without allocating. Empty when the input is not a number.
class TwoDecimalText
{
public:
    explicit TwoDecimalText(QStringView decimalText);
    explicit TwoDecimalText(double value);
    QStringView text() const { return m_long.isNull() ? QStringView(m_chars + m_begin, m_size) : QStringView(m_long); }

private:
    void setDecimal(QStringView decimalText);
    bool setPlainDecimal(QStringView decimalText);

    char16_t m_chars[24];  // the text is written from the end backwards
    qsizetype m_begin = 0;
    qsizetype m_size = 0;
    QString m_long;  // a result too long for m_chars
};

// The shortest decimal text of a number: 1500 -> "1500", 12.5 -> "12.5", -0 -> "0".
QString shortestText(double value);
// The shortest form of an exact decimal text: "1500.00" -> "1500", "12.50" -> "12.5".
QString shortestText(const QString &decimalText);
