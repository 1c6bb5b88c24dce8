#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Db;

// The rows of a help query as the help grid lists them: query columns 0 to displayFields - 1 as
// text. Query columns 3 and 4 may be NULL (empty text); a NULL elsewhere throws DbError.
QList<QStringList> helpRows(Db &db, const QString &query, int displayFields);

// The help grid's search rule: the text begins with the typed text, letter case ignored.
bool matchesHelpSearch(const QString &text, const QString &typed);
