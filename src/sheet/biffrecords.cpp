#include "sheet/biffrecords.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <vector>

namespace Biff {

Data &Data::raw(const char *bytes, qsizetype size)
{
    m_bytes.append(bytes, size);
    return *this;
}

Data &Data::u8(quint8 value)
{
    m_bytes.append(char(value));
    return *this;
}

Data &Data::u16(quint16 value)
{
    const quint16 le = qToLittleEndian(value);
    return raw(reinterpret_cast<const char *>(&le), 2);
}

Data &Data::u32(quint32 value)
{
    const quint32 le = qToLittleEndian(value);
    return raw(reinterpret_cast<const char *>(&le), 4);
}

Data &Data::f64(double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const quint64 le = qToLittleEndian(bits);
    return raw(reinterpret_cast<const char *>(&le), 8);
}

bool fitsCompressed(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

Data &Data::characters(const QString &text)
{
    const bool compressed = fitsCompressed(text);
    u8(compressed ? 0 : 1);
    for (const QChar c : text) {
        if (compressed)
            u8(quint8(c.unicode()));
        else
            u16(c.unicode());
    }
    return *this;
}

Data &Data::shortString(const QString &text)
{
    u8(quint8(text.size()));
    return characters(text);
}

Data &Data::string(const QString &text)
{
    u16(quint16(text.size()));
    return characters(text);
}

void Stream::record(quint16 id, const Data &data)
{
    Q_ASSERT(data.size() <= MaxRecordData);
    const quint16 header[2] = {qToLittleEndian(id), qToLittleEndian(quint16(data.size()))};
    m_bytes.append(reinterpret_cast<const char *>(header), sizeof header);
    m_bytes.append(data.data(), data.size());
}

void Stream::patchU32(qsizetype offset, quint32 value)
{
    const quint32 le = qToLittleEndian(value);
    std::memcpy(m_bytes.data() + offset, &le, 4);
}

namespace {

// Fills SST and CONTINUE records. A string starts a new CONTINUE when it does not fit in the
// rest of the current record but would fit in a fresh one; only a string longer than a whole
// record is split, its continuation led by its option byte again.
class SstWriter
{
public:
    explicit SstWriter(Stream &stream) : m_stream(stream) {}

    void header(quint32 total, quint32 unique)
    {
        m_data.u32(total).u32(unique);
        m_freshSize = m_data.size();
    }

    // Writes one string; returns its stream position and its offset within its record.
    std::pair<quint32, quint16> add(const QString &text)
    {
        const bool compressed = fitsCompressed(text);
        const int charBytes = compressed ? 1 : 2;
        const qsizetype whole = 3 + text.size() * charBytes;
        if (m_data.size() > m_freshSize && m_data.size() + whole > MaxRecordData)
            flush();
        if (m_data.size() + 3 + charBytes > MaxRecordData)
            flush();
        const auto position =
            std::pair<quint32, quint16>(quint32(m_stream.size() + 4 + m_data.size()), quint16(4 + m_data.size()));
        m_data.u16(quint16(text.size())).u8(compressed ? 0 : 1);
        const QByteArray latin = compressed ? text.toLatin1() : QByteArray();
        for (qsizetype at = 0; at < text.size();) {
            if (m_data.size() + charBytes > MaxRecordData) {
                flush();
                m_data.u8(compressed ? 0 : 1);
            }
            const qsizetype count = std::min<qsizetype>(text.size() - at, (MaxRecordData - m_data.size()) / charBytes);
            if (compressed) {
                m_data.raw(latin.constData() + at, count);
            } else {
                for (qsizetype i = at; i < at + count; ++i)
                    m_data.u16(text[i].unicode());
            }
            at += count;
        }
        return position;
    }

    void flush()
    {
        m_stream.record(m_id, m_data);
        m_id = Continue;
        m_data = Data();
        m_freshSize = 0;
    }

private:
    Stream &m_stream;
    quint16 m_id = Sst;
    Data m_data;
    qsizetype m_freshSize = 0;
};

}  // namespace

void writeSharedStrings(Stream &stream, const QStringList &strings, quint32 total)
{
    // At most 128 buckets in EXTSST, so its record stays small however many strings there are.
    const int perBucket = std::max<int>(8, int((strings.size() + 127) / 128));
    std::vector<std::pair<quint32, quint16>> buckets;
    SstWriter sst(stream);
    sst.header(total, quint32(strings.size()));
    for (qsizetype i = 0; i < strings.size(); ++i) {
        const auto position = sst.add(strings[i]);
        if (i % perBucket == 0)
            buckets.push_back(position);
    }
    sst.flush();

    Data ext;
    ext.u16(quint16(perBucket));
    for (const auto &[streamPosition, recordOffset] : buckets)
        ext.u32(streamPosition).u16(recordOffset).u16(0);
    stream.record(ExtSst, ext);
}

}  // namespace Biff
