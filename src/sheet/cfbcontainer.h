#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Writes a Compound File (version 3, 512-byte sectors) holding one stream with the given name
// (at most 31 characters), as an Excel 97-2003 workbook is stored. The stream is padded with
// zero bytes to at least 4096 bytes so that it never lives in the mini stream. Returns false
// when the device refused a write.
bool writeCompoundFile(QIODevice &device, const QString &streamName, const QByteArray &stream);
