#pragma once

#include <QDate>

struct AppContext;
class QWidget;

// GSTR-1 from a window: asks where the table to check goes (the JSON files go beside it), writes
// the return of the current unit for `month` and says how it went, problems first. The generation
// shows its progress in the status line of `window`'s main window and can be stopped there.
void writeGstr1FromWindow(AppContext &context, QWidget *window, const QDate &month);
