#pragma once

#include <QByteArray>
#include <QString>

// Whole files for tests: the bytes of a file ("<missing>" when it cannot be read), and a file
// written with the given bytes (false when it cannot be).
QByteArray readAll(const QString &path);
bool writeAll(const QString &path, const QByteArray &bytes);
