#pragma once

#include <QDate>

struct AppContext;

// GSTR-1 from a window: asks where the table to check goes (the JSON files go beside it), writes
// the return of the current unit for `month` and says how it went, problems first.
void writeGstr1FromWindow(AppContext &context, const QDate &month);
