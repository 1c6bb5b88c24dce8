#include "app/appicon.h"

using namespace Qt::Literals::StringLiterals;

// The same picture the desktop's application menu shows for the installed desk.
QIcon appIcon() { return QIcon(u":/selvoro.png"_s); }
