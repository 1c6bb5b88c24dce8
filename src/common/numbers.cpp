#include "common/numbers.h"

#include <QLocale>
#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>

#include <cmath>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

// A decimal number held as digits, so halves are judged on the decimal value.
struct Decimal
{
    bool negative = false;
    QString digits;  // without leading zeros beyond the units digit
    int scale = 0;   // digits after the point
};

std::optional<Decimal> parseDecimal(QStringView text)
{
    const QStringView t = text.trimmed();
    int i = 0;
    Decimal d;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        d.negative = t[i++] == u'-';
    bool any = false;
    bool point = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.isDigit()) {
            d.digits += c;
            any = true;
            if (point)
                ++d.scale;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!any)
        return std::nullopt;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        bool ok = false;
        const int exponent = t.mid(i + 1).toInt(&ok);
        if (!ok)
            return std::nullopt;
        d.scale -= exponent;
        i = t.size();
    }
    if (i != t.size())
        return std::nullopt;
    if (d.scale < 0) {
        d.digits += QString(-d.scale, u'0');
        d.scale = 0;
    }
    // At least one digit before the point: "1e-5" is 0.00001, not a fraction missing its zeros.
    if (d.digits.size() <= d.scale)
        d.digits.prepend(QString(d.scale - d.digits.size() + 1, u'0'));
    return d;
}

// Rounds to `places` decimals; an exact half goes away from zero or to the even neighbour.
Decimal roundDecimal(Decimal d, int places, bool halfToEven)
{
    if (d.scale <= places) {
        d.digits += QString(places - d.scale, u'0');
        d.scale = places;
        return d;
    }
    const int drop = d.scale - places;
    QString kept = d.digits.left(d.digits.size() - drop);
    const QString dropped = d.digits.right(drop);
    if (kept.isEmpty())
        kept = u"0"_s;
    const QChar first = dropped.at(0);
    const bool restZero = dropped.mid(1).count(u'0') == dropped.size() - 1;
    bool up = first > u'5' || (first == u'5' && !restZero);
    if (first == u'5' && restZero)
        up = !halfToEven || (kept.back().digitValue() % 2 == 1);
    if (up) {
        int k = kept.size() - 1;
        while (k >= 0 && kept[k] == u'9')
            kept[k--] = u'0';
        if (k < 0)
            kept.prepend(u'1');
        else
            kept[k] = QChar(u'0' + kept[k].digitValue() + 1);
    }
    d.digits = kept;
    d.scale = places;
    return d;
}

QString format(const Decimal &d)
{
    QString whole = d.digits.left(d.digits.size() - d.scale);
    QString fraction = d.digits.right(d.scale);
    while (whole.size() > 1 && whole.front() == u'0')
        whole.remove(0, 1);
    if (whole.isEmpty())
        whole = u"0"_s;
    const bool zero = whole == u"0"_s && fraction.count(u'0') == fraction.size();
    QString text = (d.negative && !zero) ? u"-"_s + whole : whole;
    if (!fraction.isEmpty())
        text += u'.' + fraction;
    return text;
}

QString shortestDouble(double value)
{
    if (value == 0)
        return u"0"_s;
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

}  // namespace

double leadingNumber(QStringView text)
{
    int i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const int start = i;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    const int digitsStart = i;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
        ++i;
    const int wholeEnd = i;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
            ++i;
    }
    if (i == digitsStart || (i == digitsStart + 1 && text[digitsStart] == u'.'))
        return 0;
    int end = i;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        int j = i + 1;
        if (j < text.size() && (text[j] == u'-' || text[j] == u'+'))
            ++j;
        const int expStart = j;
        while (j < text.size() && text[j].isDigit() && text[j].unicode() < 128)
            ++j;
        if (j > expStart)
            end = j;
    }
    // Whole numbers of up to 15 digits, as nearly every count and flag of the grid is, are exact
    // as they stand.
    if (end == wholeEnd && end - digitsStart <= 15) {
        qint64 whole = 0;
        for (int k = digitsStart; k < end; ++k)
            whole = whole * 10 + (text[k].unicode() - u'0');
        return text[start] == u'-' ? -double(whole) : double(whole);
    }
    // Only ASCII is left between start and end; an exponent may be written with a D.
    QVarLengthArray<char, 64> number;
    for (qsizetype k = start; k < end; ++k) {
        const char c = char(text[k].unicode());
        if (k > start || c != '+')
            number.append(c == 'd' || c == 'D' ? 'e' : c);
    }
    double value = 0;
    const auto [rest, error] = std::from_chars(number.begin(), number.end(), value);
    // Too large or too small for a double reads as nothing, as any number that is not finite.
    return error == std::errc() && rest == number.end() && std::isfinite(value) ? value : 0;
}

double settledDecimal(double computed)
{
    if (!std::isfinite(computed))
        return computed;
    // 15 significant digits, correctly rounded, read back correctly rounded.
    char digits[32];
    const auto [end, error] =
        std::to_chars(std::begin(digits), std::end(digits), computed, std::chars_format::general, 15);
    double settled = computed;
    if (error == std::errc())
        std::from_chars(digits, end, settled);
    return settled;
}

// The shortest decimal form of a double ends in exactly ".5" only when the double is a whole
// number and a half, and no half lies between a double and its shortest form (the half would be a
// double nearer to that form): so rounding the double to the nearest whole number, ties to the
// even one, is rounding its shortest form.
double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double rounded = std::nearbyint(value);
    return rounded == 0 ? 0.0 : rounded;
}

TwoDecimalText::TwoDecimalText(QStringView decimalText) { setDecimal(decimalText); }

TwoDecimalText::TwoDecimalText(double value)
{
    if (!std::isfinite(value))
        return;
    // Below 2^53 every whole number is a double of its own, so the shortest digits without an
    // exponent are the shortest digits there are, as shortestDouble gives them.
    constexpr double ExactWholes = 9007199254740992.0;
    if (std::fabs(value) < ExactWholes) {
        char digits[32];
        const auto [end, error] = std::to_chars(std::begin(digits), std::end(digits), value, std::chars_format::fixed);
        if (error == std::errc()) {
            char16_t text[std::size(digits)];
            std::copy(std::begin(digits), end, text);
            if (setPlainDecimal(QStringView(text, end - digits)))
                return;
        }
    }
    setDecimal(shortestDouble(value));
}

void TwoDecimalText::setDecimal(QStringView decimalText)
{
    if (setPlainDecimal(decimalText))
        return;
    if (const std::optional<Decimal> d = parseDecimal(decimalText))
        m_long = format(roundDecimal(*d, 2, false));
}

// Amounts are nearly always plain decimals of a few digits ("1500", "-37.125"): those are rounded
// to cents in integer arithmetic, exactly as the digit rules above round them. False when the
// text is anything else (blanks, an exponent, more than 17 digits, not a number).
bool TwoDecimalText::setPlainDecimal(QStringView text)
{
    constexpr int MaxDigits = 17;  // times 100 still fits 64 bits
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    std::uint64_t digits = 0;
    int count = 0;
    int scale = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            if (++count > MaxDigits)
                return false;
            digits = digits * 10 + (c - u'0');
            scale += point;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (count == 0)
        return false;
    std::uint64_t cents = digits;
    for (int s = scale; s < 2; ++s)
        cents *= 10;
    if (scale > 2) {
        std::uint64_t unit = 1;
        for (int s = 2; s < scale; ++s)
            unit *= 10;
        cents = digits / unit + (digits % unit * 2 >= unit ? 1 : 0);  // a half goes away from zero
    }
    char16_t *end = m_chars + std::size(m_chars);
    char16_t *p = end;
    *--p = char16_t(u'0' + cents % 10);
    *--p = char16_t(u'0' + cents / 10 % 10);
    *--p = u'.';
    std::uint64_t whole = cents / 100;
    do {
        *--p = char16_t(u'0' + whole % 10);
        whole /= 10;
    } while (whole > 0);
    if (negative && cents != 0)
        *--p = u'-';
    m_begin = p - m_chars;
    m_size = end - p;
    return true;
}

QString twoDecimals(QStringView decimalText) { return TwoDecimalText(decimalText).text().toString(); }

QString twoDecimals(double value) { return TwoDecimalText(value).text().toString(); }

QString shortestText(double value) { return shortestDouble(value); }

namespace {

// The shortest form of a plain decimal without a blank, a plus sign, an exponent or a leading
// zero ("1500.00", "-0.50", "0"), which is nearly every decimal a result set holds; nothing for
// any other text.
std::optional<QString> plainShortestText(const QString &text)
{
    const qsizetype start = text.startsWith(u'-') ? 1 : 0;
    qsizetype point = -1;
    for (qsizetype i = start; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'.' && point < 0 && i > start)
            point = i;
        else if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const qsizetype wholeEnd = point < 0 ? text.size() : point;
    if (wholeEnd == start || (text[start] == u'0' && wholeEnd - start > 1) || point == text.size() - 1)
        return std::nullopt;
    qsizetype end = text.size();
    if (point >= 0) {
        while (end > point + 1 && text[end - 1] == u'0')
            --end;
        if (end == point + 1)
            end = point;
    }
    // Minus zero is zero.
    if (start == 1 && end == 2 && text[1] == u'0')
        return u"0"_s;
    return end == text.size() ? text : text.left(end);
}

}  // namespace

QString shortestText(const QString &decimalText)
{
    if (std::optional<QString> plain = plainShortestText(decimalText))
        return *plain;
    std::optional<Decimal> d = parseDecimal(decimalText);
    if (!d)
        return decimalText;
    while (d->scale > 0 && d->digits.back() == u'0') {
        d->digits.chop(1);
        --d->scale;
    }
    return format(*d);
}
