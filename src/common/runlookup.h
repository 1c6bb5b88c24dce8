#pragma once

#include "common/db.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// What a look-up found for one code: its rows in the order the server gave them, each row the
// texts of its columns (a NULL as empty text).
using LookUpRows = QList<QStringList>;

// The first column of the first row, as the look-up of a single value gives it; empty for no row.
QString firstValue(const LookUpRows &rows);

// The statements of a look-up for a whole run of bills.
//
// `keyed` reads, for every code the run's schedules hold, the rows the look-up finds for it: its
// first column is the code exactly as the schedules hold it, the others are the look-up's own
// columns. It joins the masters to the schedules the run's main query reads, by that query's own
// tables and conditions (billquery.h, runLookUpStatement), so the whole run costs one statement
// whatever its number of bills and codes, and its size is that of the main query. The server
// matches each code under its own collation, as it matches the value of the statement of one code.
//
// `single` is that statement of one code ("?" for the code), for a look-up that may find several
// rows for a code (a master holding its key twice): such a code takes its rows from it, so they
// come in the order the server gives that statement. Empty for an aggregate, which finds one row.
struct RunLookUpStatements
{
    SqlStatement keyed;
    QString single;
};

class RunLookUp
{
public:
    RunLookUp(Db &db, RunLookUpStatements statements);

    // Runs the look-up the first time it is called. Throws DbError when a statement fails.
    void fetch();
    // What the statement of this one code would have found; no rows for a code no schedule of
    // the run holds.
    const LookUpRows &rows(const QString &code) const;

private:
    Db &m_db;
    RunLookUpStatements m_statements;
    bool m_fetched = false;
    QHash<QString, LookUpRows> m_found;
};
