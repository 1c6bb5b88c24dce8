#include "common/textfields.h"

using namespace Qt::Literals::StringLiterals;

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Index just after the last non-digit (0 when the text is all digits).
qsizetype prefixLength(const QString &text)
{
    for (qsizetype i = text.size(); i > 0; --i)
        if (!isDigit(text[i - 1]))
            return i;
    return 0;
}

// Adds one to a string of decimal digits, growing it when it overflows.
QString incremented(QString digits)
{
    if (digits.isEmpty())
        return u"1"_s;
    qsizetype i = digits.size() - 1;
    while (i >= 0 && digits[i] == u'9')
        digits[i--] = u'0';
    if (i < 0)
        digits.prepend(u'1');
    else
        digits[i] = QChar(digits[i].unicode() + 1);
    return digits;
}

QString withoutLeadingZeros(const QString &digits)
{
    qsizetype i = 0;
    while (i + 1 < digits.size() && digits[i] == u'0')
        ++i;
    return digits.mid(i);
}

}  // namespace

QString NextCode(const QString &code)
{
    const QString c = code.trimmed();
    const qsizetype prefix = prefixLength(c);
    // The number is kept as digits so a long series never overflows an integer.
    QString number = incremented(withoutLeadingZeros(c.mid(prefix)));
    if (number.isEmpty())
        number = u"1"_s;
    const qsizetype width = c.size() - prefix;
    if (number.size() < width)
        number = QString(width - number.size(), u'0') + number;
    return c.left(prefix) + number;
}

QString seriesAfter(const QString &series, const QString &code)
{
    const QString next = NextCode(code);
    const QString current = series.trimmed();
    const qsizetype prefix = prefixLength(current);
    if (current.isEmpty() || prefixLength(next) != prefix || next.left(prefix) != current.left(prefix))
        return next;
    const QString at = withoutLeadingZeros(current.mid(prefix));
    const QString after = withoutLeadingZeros(next.mid(prefix));
    const bool beyond = after.size() != at.size() ? after.size() > at.size() : after > at;
    return beyond ? next : series;
}

QString AlignText(const QString &text, int width, const QString &alignment)
{
    if (width < 0)
        width = 0;
    const QString cut = text.left(width);
    const qsizetype d = width - cut.size();
    if (alignment == u"L"_s)
        return cut + QString(d, u' ');
    if (alignment == u"R"_s)
        return QString(d, u' ') + cut;
    if (alignment == u"C"_s) {
        const qsizetype h = d / 2;
        return QString(h, u' ') + cut + QString(d - h, u' ');
    }
    return {};
}

QString ComposeCode(const QString &templateCode, const QString &typed)
{
    if (templateCode.isEmpty())
        return {};
    const qsizetype prefix = prefixLength(templateCode);
    const qsizetype width = templateCode.size() - prefix;
    QString digits = withoutLeadingZeros(typed.mid(prefixLength(typed)));
    // No typed digits: the running number is taken as zero.
    if (digits.isEmpty())
        digits = u"0"_s;
    if (digits.size() < width)
        digits = QString(width - digits.size(), u'0') + digits;
    return templateCode.left(prefix) + digits.right(width);
}
