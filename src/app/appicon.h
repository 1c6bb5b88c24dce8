#pragma once

#include <QIcon>

// The program's emblem: the window icon and the picture of the login window.
QIcon appIcon();
