#pragma once

#include <QString>

class Db;
class Dialogs;

// The current value of a numbering series ("ADVT_SPLIT", "ADBL_" + unit code); when the series
// is missing the user is told and the result is empty text.
QString GetNumberSetup(Db &db, Dialogs &dialogs, const QString &seriesId);

// The name of a product; when the product is missing the user is told and the result is empty.
QString GetProductName(Db &db, Dialogs &dialogs, const QString &productCode);
