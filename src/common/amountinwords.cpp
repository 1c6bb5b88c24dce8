#include "common/amountinwords.h"

#include "common/numbers.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

const std::array<QString, 10> Units = {u""_s, u" One"_s, u" Two"_s, u" Three"_s, u" Four"_s,
                                       u" Five"_s, u" Six"_s, u" Seven"_s, u" Eight"_s, u" Nine"_s};
const std::array<QString, 10> Teens = {u" Ten"_s, u" Eleven"_s, u" Twelve"_s, u" Thirteen"_s, u" Fourteen"_s,
                                       u" Fifteen"_s, u" Sixteen"_s, u" Seventeen"_s, u" Eighteen"_s, u" Nineteen"_s};
const std::array<QString, 10> Tens = {u""_s, u""_s, u" Twenty"_s, u" Thirty"_s, u" Fourty"_s,
                                      u" Fifty"_s, u" Sixty"_s, u" Seventy"_s, u" Eighty"_s, u" Ninety"_s};
// Place names by digit position from the right; "X" marks a tens position and is never written.
const std::array<QString, 10> Places = {u""_s, u""_s, u"X"_s, u" Hundred"_s, u" Thousand"_s,
                                        u"X"_s, u" Lakhs"_s, u"X"_s, u" Crores"_s, u"X"_s};

QString place(qsizetype position)
{
    return position >= 0 && position < qsizetype(Places.size()) ? Places[position] : QString();
}

QString digitWords(const QString &digits)
{
    QString words;
    const qsizetype length = digits.size();
    for (qsizetype i = 0; i < length; ++i) {
        qsizetype p = length - i;
        const int d = digits[i].digitValue();
        if (place(p) == u"X"_s) {
            if (d == 1 && i + 1 < length) {
                ++i;
                --p;
                words += Teens[digits[i].digitValue()] + place(p);
            } else {
                words += Tens[d];
                if (i + 1 < length && digits[i + 1] == u'0' && !Tens[d].isEmpty())
                    words += place(p - 1);
            }
        } else {
            words += Units[d];
            if (p > 1 && d != 0)
                words += place(p);
        }
    }
    return words;
}

}  // namespace

QString AmountInWords(double amount)
{
    if (amount > 99999999.99)
        return {};
    const QString formatted = twoDecimals(amount < 0 ? -amount : amount);
    const qsizetype point = formatted.indexOf(u'.');
    const QString rupees = formatted.left(point);
    const QString paise = formatted.mid(point + 1);
    QString words = u"Rupees"_s + digitWords(rupees);
    if (paise.toInt() == 0)
        return words + u" Only"_s;
    if (formatted.toDouble() > 1)
        words += u" And"_s;
    else
        words.clear();
    return words + digitWords(paise) + u" Paise only"_s;
}
