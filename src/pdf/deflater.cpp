#include "pdf/deflater.h"

#include <libdeflate.h>

namespace {

// The fastest level: on a run of invoices it takes about a third of the time of zlib's fastest,
// for a file 3 % smaller than that one and 4 % larger than zlib's default level gives.
constexpr int Level = 1;

}  // namespace

Deflater::Deflater() : m_compressor(libdeflate_alloc_compressor(Level)) {}

Deflater::~Deflater() { libdeflate_free_compressor(m_compressor); }

bool Deflater::compress(std::string_view data, std::string &out)
{
    if (!m_compressor)
        return false;
    out.resize(libdeflate_zlib_compress_bound(m_compressor, data.size()));
    const std::size_t length = libdeflate_zlib_compress(m_compressor, data.data(), data.size(), out.data(), out.size());
    out.resize(length);
    return length > 0;
}
