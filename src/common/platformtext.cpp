#include "common/platformtext.h"

#include "common/numbers.h"

#include <QDateTime>
#include <QLocale>

QString shortDate(const QDate &date) { return QLocale::c().toString(date, QString::fromUtf16(ShortDateFormat)); }

QString platformText(const QVariant &value, QMetaType type)
{
    if (value.isNull())
        return {};
    if (!type.isValid())
        type = value.metaType();
    switch (type.id()) {
    case QMetaType::QDate: return shortDate(value.toDate());
    case QMetaType::QDateTime:
        return shortDate(value.toDateTime().date()) + QLatin1Char(' ')
               + value.toDateTime().time().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::Double:
    case QMetaType::Float:
        if (value.metaType().id() == QMetaType::QString)
            return shortestText(value.toString());
        return shortestText(value.toDouble());
    default: return value.toString();
    }
}
