#include "common/numbers.h"

#include <QLocale>

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

std::optional<Decimal> parseDecimal(const QString &text)
{
    const QString t = text.trimmed();
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

double leadingNumber(const QString &text)
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
    QString number = text.mid(start, end - start);
    number.replace(u'd', u'e').replace(u'D', u'e');
    const double value = number.toDouble();
    return std::isfinite(value) ? value : 0;
}

double settledDecimal(double computed)
{
    if (!std::isfinite(computed))
        return computed;
    return QString::number(computed, 'g', 15).toDouble();
}

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return 0;
    const std::optional<Decimal> d = parseDecimal(shortestDouble(value));
    if (!d)
        return std::nearbyint(value);
    return format(roundDecimal(*d, 0, true)).toDouble();
}

QString twoDecimals(const QString &decimalText)
{
    const std::optional<Decimal> d = parseDecimal(decimalText);
    if (!d)
        return {};
    return format(roundDecimal(*d, 2, false));
}

QString twoDecimals(double value)
{
    if (!std::isfinite(value))
        return {};
    return twoDecimals(shortestDouble(value));
}

QString shortestText(double value) { return shortestDouble(value); }

QString shortestText(const QString &decimalText)
{
    std::optional<Decimal> d = parseDecimal(decimalText);
    if (!d)
        return decimalText;
    while (d->scale > 0 && d->digits.back() == u'0') {
        d->digits.chop(1);
        --d->scale;
    }
    return format(*d);
}
