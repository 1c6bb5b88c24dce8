#include "common/amountinwords.h"

#include "common/numbers.h"

#include <QVarLengthArray>

#include <cmath>
#include <iterator>

namespace {

constexpr QStringView Units[] = {u"",      u" One", u" Two",   u" Three", u" Four",
                                 u" Five", u" Six", u" Seven", u" Eight", u" Nine"};
constexpr QStringView Teens[] = {u" Ten",     u" Eleven",  u" Twelve",    u" Thirteen", u" Fourteen",
                                 u" Fifteen", u" Sixteen", u" Seventeen", u" Eighteen", u" Nineteen"};
constexpr QStringView Tens[] = {u"",       u"",       u" Twenty",  u" Thirty", u" Fourty",
                                u" Fifty", u" Sixty", u" Seventy", u" Eighty", u" Ninety"};
// Place names by digit position from the right; the tens positions (tens, ten thousands, ten
// lakhs, ten crores) have none: their digit is read together with the digit after it.
constexpr QStringView Places[] = {u"", u"", u"", u" Hundred", u" Thousand", u"", u" Lakhs", u"", u" Crores", u""};

QStringView place(qsizetype position)
{
    return position >= 0 && position < qsizetype(std::size(Places)) ? Places[position] : QStringView();
}

bool isTensPlace(qsizetype position) { return position == 2 || position == 5 || position == 7 || position == 9; }

// The words of an amount, gathered in place: the longest amount takes about 190 characters.
class Words
{
public:
    Words &operator+=(QStringView text)
    {
        m_chars.append(text.utf16(), text.size());
        return *this;
    }
    QString toString() const { return QString(reinterpret_cast<const QChar *>(m_chars.constData()), m_chars.size()); }

private:
    QVarLengthArray<char16_t, 256> m_chars;
};

void appendDigitWords(Words &words, QStringView digits)
{
    const qsizetype length = digits.size();
    for (qsizetype i = 0; i < length; ++i) {
        qsizetype p = length - i;
        const int d = digits[i].unicode() - u'0';
        if (isTensPlace(p)) {
            if (d == 1 && i + 1 < length) {
                ++i;
                --p;
                words += Teens[digits[i].unicode() - u'0'];
                words += place(p);
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
}

}  // namespace

QString AmountInWords(double amount)
{
    const double absolute = std::fabs(amount);
    if (absolute > 99999999.99)
        return {};
    const TwoDecimalText amountText(absolute);
    const QStringView formatted = amountText.text();
    const qsizetype point = formatted.indexOf(u'.');
    const QStringView rupees = formatted.left(point);
    const QStringView paise = formatted.mid(point + 1);
    Words words;
    if (paise.isEmpty() || paise == u"00") {
        words += u"Rupees";
        appendDigitWords(words, rupees);
        words += u" Only";
        return words.toString();
    }
    // Below one rupee only the paise are worded.
    if (rupees != u"0") {
        words += u"Rupees";
        appendDigitWords(words, rupees);
        words += u" And";
    }
    appendDigitWords(words, paise);
    words += u" Paise only";
    return words.toString();
}
