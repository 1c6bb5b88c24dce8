#pragma once

#include <QDate>
#include <QMetaType>
#include <QString>
#include <QVariant>

// The short-date format every date of the program is shown in: 07-Dec-2026.
inline constexpr char16_t ShortDateFormat[] = u"dd-MMM-yyyy";

// A date in the short-date format, with English month names whatever the locale.
QString shortDate(const QDate &date);

// A value as the platform turns it into text: a date in the short-date format, a number in its
// shortest decimal form, text unchanged. `type` is the column's type when the value arrived as
// exact decimal text.
QString platformText(const QVariant &value, QMetaType type = QMetaType());
