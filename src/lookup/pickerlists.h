#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Db;

// The entries of the product and group pickers and the filter texts they hand back to the bill
// print form: products as a "/" combination compared with the schedule's product code, groups as
// an SQL in-list.
struct PickerEntry
{
    QString name;      // the text the user ticks
    QString code;      // what goes into the filter
    QString priority;  // products only: their place in the list
};

// Products in the order of their priority.
QList<PickerEntry> productEntries(Db &db);
// Agency groups (client types) in the order of their names.
QList<PickerEntry> groupEntries(Db &db);

// The ticked product codes joined by "/": P1/P3.
QString productCombination(const QStringList &codes);
// The ticked group codes as an in-list, each in single quotes with a quote inside doubled: 'G2','G5'.
// Generation reads the codes back out of it and binds them as values.
QString groupInList(const QStringList &codes);
