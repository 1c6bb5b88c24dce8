#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class Db;
class DbError;
class Dialogs;

// One split edition as the master's grid lists it.
struct SplitEdition
{
    QString code;  // empty when the row has no code
    QString name;
    QString editionCode;
    QString editionName;
};

// What Save writes: the texts as typed (the store trims name and edition), who saves and when.
struct SplitEditionEntry
{
    QString unitCode;
    QString code;
    QString name;
    QString editionCode;
    QString userId;
    QDateTime at;
    QString proposedCode;  // the code New proposed; a `code` still equal to it is the series' next
};

enum class SplitEditionSave {
    Saved,
    DuplicateName,  // another split edition (of any unit) already has the name
    Missing,        // the split edition being edited is no longer there
};

// Only the first user (user id 1) may create, change or delete split editions.
bool mayChangeSplitEditions(const QString &userId);

// The split edition master's table: listing, numbering and the changes, each change in one
// transaction. Failed statements throw DbError (nothing is left half-written).
class SplitEditionStore
{
public:
    explicit SplitEditionStore(Db &db);

    // Every split edition whose edition is in the edition master, ordered by code.
    QList<SplitEdition> list();
    // The code the next split edition gets (the "ADVT_SPLIT" series); empty, with the number
    // setup message shown, when the series is missing.
    QString proposedCode(Dialogs &dialogs);
    // True when a split edition other than `except` has this (trimmed) name.
    bool nameTaken(const QString &name, const QString &except = {});
    // True when the edition master has the edition (the list shows split editions through it).
    bool editionKnown(const QString &editionCode);

    // Stores the new split edition and moves the series on from its code. A code left as New
    // proposed it is drawn from the series at the save itself, so workstations that save at the
    // same time each take their own; a code typed by hand is stored as typed, and moves the
    // series on only when it lies beyond it (seriesAfter). Deadlocks, lock waits and cluster
    // certification failures are retried (Db::runTransaction). When the connection breaks during
    // the commit, the row is looked for before anything is said: Saved when it is there as
    // written, else the failure is thrown.
    SplitEditionSave insert(const SplitEditionEntry &entry);
    // Renames and re-assigns the split edition now called `currentName`; its code stays. A commit
    // without answer is checked as insert() checks it.
    SplitEditionSave update(const QString &currentName, const SplitEditionEntry &entry);
    void remove(const QString &name);

private:
    bool nameTakenAfterFailure(const QString &name, const QString &except);
    bool storedAfterAll(const DbError &failure, const QString &sql, const QStringList &row);

    Db &m_db;
};
