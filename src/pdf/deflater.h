#pragma once

#include <string>
#include <string_view>

struct libdeflate_compressor;

// Compresses the streams of a PDF (the Flate filter, zlib format), each one whole: a page at a
// time, with one compressor for the file.
class Deflater
{
public:
    Deflater();
    ~Deflater();
    Deflater(const Deflater &) = delete;
    Deflater &operator=(const Deflater &) = delete;

    // `data` compressed into `out` (replacing what it held); false when it cannot be.
    bool compress(std::string_view data, std::string &out);

private:
    libdeflate_compressor *m_compressor;
};
