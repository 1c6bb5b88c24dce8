#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class Db;

// One column of the help grid: its width in twips (0 hides it) and its header caption.
struct HelpColumn
{
    int width = 0;
    QString caption;
};

// What a help grid lists: the query (its column 0 the code, column 1 the searchable text), how
// many of its columns are shown, the window's caption and width in twips, and the columns.
struct HelpQuery
{
    QString sql;
    int displayFields = 1;
    QString caption;
    int formWidth = 0;
    QList<HelpColumn> columns;
};

// The row picked in the help grid: the code and the texts of the next three query columns.
using HelpRow = std::array<QString, 4>;

// The split edition master's F1 in the edition box: the units by priority, code and name.
HelpQuery unitHelp();

// The rows of a help query as the help grid lists them: query columns 0 to displayFields - 1 as
// text. Query columns 3 and 4 may be NULL (empty text); a NULL elsewhere throws DbError.
QList<QStringList> helpRows(Db &db, const QString &query, int displayFields);

// The help grid's search rule: the text begins with the typed text, letter case ignored.
bool matchesHelpSearch(const QString &text, const QString &typed);
