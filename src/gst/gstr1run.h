#pragma once

#include "common/progress.h"
#include "gst/gstr1.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

class Db;
struct Deployment;

// What a GSTR-1 run is asked for: the month, the units whose bills it takes, the folder of the JSON
// files and the table for a person to check.
struct Gstr1Request
{
    QDate month;
    QStringList units;
    QString folder;
    std::optional<QString> csvPath;
};

struct Gstr1Written
{
    Gstr1Return gstr1;
    std::optional<QString> stopped;  // generation stopped (too many bills, or asked to): nothing written
    std::optional<QString> failure;  // an output could not be written: nothing written
};

// The GST bills of the units dated in the month, generated as Show generates them (by bill date
// here), made into the return and written whole: every file, or none. `progress` hears how far each
// unit's generation got and may stop the run. Database failures pass to the caller as DbError.
Gstr1Written writeGstr1(Db &db, const Deployment &deployment, const Gstr1Request &request,
                        const Progress &progress = {});
