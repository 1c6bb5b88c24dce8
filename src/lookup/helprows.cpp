#include "lookup/helprows.h"

#include "common/db.h"

using namespace Qt::Literals::StringLiterals;

HelpQuery unitHelp()
{
    return {u"Select * FROM unitmaster order by unit_priority"_s,
            2,
            u"Unit Help"_s,
            4000,
            {{0, u"Unit Code"_s}, {4000, u"Unit Name"_s}}};
}

QList<QStringList> helpRows(Db &db, const QString &query, int displayFields)
{
    QList<QStringList> rows;
    ResultSet records = db.query(query);
    while (records.next()) {
        QStringList row;
        for (int column = 0; column < displayFields; ++column)
            row.append(column == 3 || column == 4 ? records.textOrEmpty(column) : records.text(column));
        rows.append(row);
    }
    return rows;
}

bool matchesHelpSearch(const QString &text, const QString &typed)
{
    return text.left(typed.size()).toUpper() == typed.toUpper();
}
