#include "lookup/helprows.h"

#include "common/db.h"

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
