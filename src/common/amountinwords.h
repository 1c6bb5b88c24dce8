#pragma once

#include <QString>

// A rupee amount in English words with Indian grouping, as the tax invoice prints the total:
// 1234.56 -> "Rupees One Thousand Two Hundred Thirty Four And Fifty Six Paise only".
// Amounts above 99999999.99 give empty text. A negative amount is worded as its absolute value.
QString AmountInWords(double amount);
