#include "common/platformtext.h"

#include "common/numbers.h"

#include <QDateTime>
#include <QLocale>

#include <iterator>

QString shortDate(const QDate &date)
{
    // The format's own text for the years of four digits, without a pass through the format.
    static constexpr char16_t Months[12][4] = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                               u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
    if (!date.isValid() || date.year() < 1000 || date.year() > 9999)
        return QLocale::c().toString(date, QString::fromUtf16(ShortDateFormat));
    const int day = date.day(), year = date.year();
    const char16_t *month = Months[date.month() - 1];
    const char16_t text[] = {char16_t(u'0' + day / 10),
                             char16_t(u'0' + day % 10),
                             u'-',
                             month[0],
                             month[1],
                             month[2],
                             u'-',
                             char16_t(u'0' + year / 1000),
                             char16_t(u'0' + year / 100 % 10),
                             char16_t(u'0' + year / 10 % 10),
                             char16_t(u'0' + year % 10)};
    return QString(reinterpret_cast<const QChar *>(text), std::size(text));
}

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
