#pragma once

#include "pdf/deflater.h"

#include <QtGlobal>

#include <string>
#include <string_view>
#include <vector>

class QIODevice;

// The objects of a PDF file written into a device as they come, with the cross-reference table
// that finds them at the end. Objects are numbered when reserved and may be written in any order;
// a dictionary may name an object that comes later.
class PdfObjects
{
public:
    explicit PdfObjects(QIODevice &device);

    int reserve();
    // An object: `body` is its value, a dictionary for instance.
    void write(int object, std::string_view body);
    // A stream object, compressed: `dictionary` holds the keys besides its length and filter,
    // without the << >>.
    void writeStream(int object, std::string_view dictionary, std::string_view data);
    // The cross-reference table and trailer, every byte handed to the device. False when a write
    // or the compression failed on the way (the device tells its own failure).
    bool finish(int catalog, int info);

private:
    void begin(int object);
    void append(std::string_view bytes);
    void flush();

    QIODevice &m_device;
    std::string m_buffer;           // not yet written to the device
    qint64 m_written = 0;           // bytes already written
    std::vector<qint64> m_offsets;  // by object number; 0 holds the free list's head
    Deflater m_deflater;
    std::string m_compressed;
    std::string m_header;
    bool m_failed = false;
};
