#include "einvoice/gstin.h"

namespace {

constexpr QStringView Alphabet = u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool isCapital(QChar c) { return c >= u'A' && c <= u'Z'; }

bool isKnownStateCode(QStringView code)
{
    if (code.size() != 2 || !isDigit(code[0]) || !isDigit(code[1]))
        return false;
    const int value = code.toInt();
    return (value >= 1 && value <= 38) || value == 97 || value == 99;
}

bool isPan(QStringView pan)
{
    for (int i = 0; i < 10; ++i) {
        const bool digitPlace = i >= 5 && i <= 8;
        if (digitPlace ? !isDigit(pan[i]) : !isCapital(pan[i]))
            return false;
    }
    return true;
}

}  // namespace

QChar gstinCheckCharacter(QStringView gstin)
{
    if (gstin.size() < 14)
        return {};
    int sum = 0;
    for (int i = 0; i < 14; ++i) {
        const qsizetype value = Alphabet.indexOf(gstin[i]);
        if (value < 0)
            return {};
        // Weights 1, 2, 1, 2, ... from the left; each product counts as quotient plus remainder by 36.
        const int product = int(value) * (i % 2 == 0 ? 1 : 2);
        sum += product / 36 + product % 36;
    }
    return Alphabet[(36 - sum % 36) % 36];
}

bool isValidGstin(QStringView gstin)
{
    if (gstin.size() != 15 || !isKnownStateCode(gstin.first(2)) || !isPan(gstin.sliced(2, 10)))
        return false;
    for (QChar c : gstin.sliced(12))
        if (!isDigit(c) && !isCapital(c))
            return false;
    return gstinCheckCharacter(gstin) == gstin[14];
}

QString gstinStateCode(QStringView gstin) { return gstin.first(qMin<qsizetype>(2, gstin.size())).toString(); }
