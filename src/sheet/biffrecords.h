#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>

#include <QtGlobal>

// Pieces of the Excel 97-2003 (BIFF8) workbook stream: little-endian record data, strings and
// the shared string table. Record ids are the ones of the Excel binary file format.
namespace Biff {

enum RecordId : quint16 {
    Bof = 0x0809,
    Eof = 0x000A,
    CodePage = 0x0042,
    Window1 = 0x003D,
    Font = 0x0031,
    Format = 0x041E,
    Xf = 0x00E0,
    Style = 0x0293,
    BoundSheet = 0x0085,
    Sst = 0x00FC,
    Continue = 0x003C,
    ExtSst = 0x00FF,
    WsBool = 0x0081,
    DefColWidth = 0x0055,
    ColInfo = 0x007D,
    Dimensions = 0x0200,
    Row = 0x0208,
    LabelSst = 0x00FD,
    Number = 0x0203,
    Blank = 0x0201,
    MulBlank = 0x00BE,
    Window2 = 0x023E,
    Pane = 0x0041,
};

constexpr int MaxRecordData = 8224;

// Record data built field by field, little-endian.
class Data
{
public:
    Data &u8(quint8 value);
    Data &u16(quint16 value);
    Data &u32(quint32 value);
    Data &f64(double value);
    // A string with an 8-bit (short) or 16-bit character count, one option byte (compressed
    // when every character fits in one byte) and the characters.
    Data &shortString(const QString &text);
    Data &string(const QString &text);
    Data &raw(const char *bytes, qsizetype size);
    const char *data() const { return m_bytes.data(); }
    qsizetype size() const { return m_bytes.size(); }

private:
    Data &characters(const QString &text);
    QVarLengthArray<char, 64> m_bytes;  // cell records stay off the heap
};

// One BIFF substream: records appended one after the other.
class Stream
{
public:
    void record(quint16 id, const Data &data = {});
    void patchU32(qsizetype offset, quint32 value);
    void append(const QByteArray &bytes) { m_bytes.append(bytes); }
    qsizetype size() const { return m_bytes.size(); }
    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// True when the text can be stored one byte per character (code points up to U+00FF).
bool fitsCompressed(const QString &text);

// Writes SST (split into CONTINUE records where it outgrows a record) and EXTSST.
// `total` is the number of cells that refer to the strings.
void writeSharedStrings(Stream &stream, const QStringList &strings, quint32 total);

}  // namespace Biff
