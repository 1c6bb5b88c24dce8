#include "common/csvtext.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

bool csvNeedsQuotes(QStringView text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c == u',' || c == u'"' || c == u'\n' || c == u'\r'; });
}

QString csvField(const QString &text)
{
    if (!csvNeedsQuotes(text))
        return text;
    QString quoted = text;
    quoted.replace(u"\""_s, u"\"\""_s);
    return u'"' + quoted + u'"';
}

QString csvLine(const QStringList &fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += u',';
        line += csvField(fields.at(i));
    }
    return line + u'\n';
}
