#include "sheet/cfbcontainer.h"

#include <QIODevice>
#include <QtEndian>

#include <cstring>
#include <vector>

namespace {

constexpr int SectorSize = 512;
constexpr int EntriesPerSector = SectorSize / 4;
constexpr int HeaderFatEntries = 109;                     // FAT sector numbers the header holds itself
constexpr int FatNumbersPerDifat = EntriesPerSector - 1;  // the last entry chains to the next DIFAT sector
constexpr quint32 FreeSector = 0xFFFFFFFF;
constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr quint32 FatSector = 0xFFFFFFFD;
constexpr quint32 DifatSector = 0xFFFFFFFC;
constexpr quint32 NoStream = 0xFFFFFFFF;
constexpr int MiniStreamCutoff = 4096;

void put16(QByteArray &bytes, int at, quint16 value) { qToLittleEndian(value, bytes.data() + at); }

void put32(QByteArray &bytes, int at, quint32 value) { qToLittleEndian(value, bytes.data() + at); }

QByteArray sectorOf(const std::vector<quint32> &entries, size_t first)
{
    QByteArray sector(SectorSize, '\0');
    for (int i = 0; i < EntriesPerSector; ++i)
        put32(sector, i * 4, first + i < entries.size() ? entries[first + i] : FreeSector);
    return sector;
}

// One 128-byte directory entry.
void putEntry(QByteArray &sector, int index, const QString &name, quint8 type, quint32 child, quint32 start,
              quint32 size)
{
    const int at = index * 128;
    for (int i = 0; i < name.size(); ++i)
        put16(sector, at + i * 2, name[i].unicode());
    put16(sector, at + 64, quint16((name.size() + 1) * 2));  // bytes, the terminator included
    sector[at + 66] = char(type);
    sector[at + 67] = 1;  // black: with a single child every red-black rule holds
    put32(sector, at + 68, NoStream);
    put32(sector, at + 72, NoStream);
    put32(sector, at + 76, child);
    put32(sector, at + 116, start);
    put32(sector, at + 120, size);
}

}  // namespace

bool writeCompoundFile(QIODevice &device, const QString &streamName, const QByteArray &stream)
{
    const quint32 streamSize = quint32(std::max<qsizetype>(stream.size(), MiniStreamCutoff));
    const quint32 streamSectors = (streamSize + SectorSize - 1) / SectorSize;
    const quint32 directory = streamSectors;

    // FAT and DIFAT sectors are sectors too: grow their counts until they cover every sector.
    quint32 fatCount = 1, difatCount = 0;
    for (;;) {
        const quint32 total = streamSectors + 1 + fatCount + difatCount;
        const quint32 fat = (total + EntriesPerSector - 1) / EntriesPerSector;
        const quint32 difat =
            fat > HeaderFatEntries ? (fat - HeaderFatEntries + FatNumbersPerDifat - 1) / FatNumbersPerDifat : 0;
        if (fat == fatCount && difat == difatCount)
            break;
        fatCount = fat;
        difatCount = difat;
    }
    const quint32 firstFat = directory + 1;
    const quint32 firstDifat = firstFat + fatCount;

    std::vector<quint32> fat(size_t(fatCount) * EntriesPerSector, FreeSector);
    for (quint32 s = 0; s < streamSectors; ++s)
        fat[s] = s + 1 < streamSectors ? s + 1 : EndOfChain;
    fat[directory] = EndOfChain;
    for (quint32 s = 0; s < fatCount; ++s)
        fat[firstFat + s] = FatSector;
    for (quint32 s = 0; s < difatCount; ++s)
        fat[firstDifat + s] = DifatSector;

    QByteArray header(SectorSize, '\0');
    const char signature[] = {'\xD0', '\xCF', '\x11', '\xE0', '\xA1', '\xB1', '\x1A', '\xE1'};
    std::memcpy(header.data(), signature, sizeof signature);
    put16(header, 0x18, 0x003E);
    put16(header, 0x1A, 0x0003);
    put16(header, 0x1C, 0xFFFE);
    put16(header, 0x1E, 9);
    put16(header, 0x20, 6);
    put32(header, 0x2C, fatCount);
    put32(header, 0x30, directory);
    put32(header, 0x38, MiniStreamCutoff);
    put32(header, 0x3C, EndOfChain);
    put32(header, 0x44, difatCount ? firstDifat : EndOfChain);
    put32(header, 0x48, difatCount);
    for (quint32 i = 0; i < HeaderFatEntries; ++i)
        put32(header, 0x4C + int(i) * 4, i < fatCount ? firstFat + i : FreeSector);

    QByteArray entries(SectorSize, '\0');
    putEntry(entries, 0, QStringLiteral("Root Entry"), 5, 1, EndOfChain, 0);
    putEntry(entries, 1, streamName, 2, NoStream, 0, streamSize);
    for (int unused = 2; unused < 4; ++unused) {
        for (int field = 68; field <= 76; field += 4)
            put32(entries, unused * 128 + field, NoStream);
    }

    bool ok = device.write(header) == header.size() && device.write(stream) == stream.size();
    const qint64 padding = qint64(streamSectors) * SectorSize - stream.size();
    ok = ok && device.write(QByteArray(padding, '\0')) == padding;
    ok = ok && device.write(entries) == entries.size();
    for (quint32 s = 0; ok && s < fatCount; ++s)
        ok = device.write(sectorOf(fat, size_t(s) * EntriesPerSector)) == SectorSize;
    for (quint32 s = 0; ok && s < difatCount; ++s) {
        std::vector<quint32> numbers(EntriesPerSector, FreeSector);
        for (quint32 i = 0; i < FatNumbersPerDifat; ++i) {
            const quint32 fatIndex = HeaderFatEntries + s * FatNumbersPerDifat + i;
            if (fatIndex < fatCount)
                numbers[i] = firstFat + fatIndex;
        }
        numbers[FatNumbersPerDifat] = s + 1 < difatCount ? firstDifat + s + 1 : EndOfChain;
        ok = device.write(sectorOf(numbers, 0)) == SectorSize;
    }
    return ok;
}
