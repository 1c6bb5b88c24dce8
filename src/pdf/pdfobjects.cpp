#include "pdf/pdfobjects.h"

#include "pdf/pdfsyntax.h"

#include <QIODevice>

namespace {

// Bytes gathered before they go to the device: a few pages' worth.
constexpr std::size_t FlushAt = 256 * 1024;

}  // namespace

PdfObjects::PdfObjects(QIODevice &device) : m_device(device), m_offsets(1, 0)
{
    // A comment of bytes above 127 tells file transfers that the file is binary.
    append("%PDF-1.5\n%\xE2\xE3\xCF\xD3\n");
}

int PdfObjects::reserve()
{
    m_offsets.push_back(-1);
    return int(m_offsets.size() - 1);
}

void PdfObjects::begin(int object)
{
    m_offsets[object] = m_written + qint64(m_buffer.size());
    m_header.clear();
    PdfSyntax::integer(m_header, object);
    m_header += " 0 obj\n";
    append(m_header);
}

void PdfObjects::write(int object, std::string_view body)
{
    begin(object);
    append(body);
    append("\nendobj\n");
}

void PdfObjects::writeStream(int object, std::string_view dictionary, std::string_view data)
{
    if (!m_deflater.compress(data, m_compressed)) {
        m_failed = true;
        m_compressed.clear();
    }
    begin(object);
    m_header.assign("<< /Length ");
    PdfSyntax::integer(m_header, qint64(m_compressed.size()));
    m_header += " /Filter /FlateDecode ";
    m_header += dictionary;
    m_header += " >>\nstream\n";
    append(m_header);
    append(m_compressed);
    append("\nendstream\nendobj\n");
}

void PdfObjects::append(std::string_view bytes)
{
    m_buffer.append(bytes);
    if (m_buffer.size() >= FlushAt)
        flush();
}

void PdfObjects::flush()
{
    if (!m_failed && !m_buffer.empty())
        m_failed = m_device.write(m_buffer.data(), qint64(m_buffer.size())) != qint64(m_buffer.size());
    m_written += qint64(m_buffer.size());
    m_buffer.clear();
}

bool PdfObjects::finish(int catalog, int info)
{
    const qint64 table = m_written + qint64(m_buffer.size());
    std::string text = "xref\n0 ";
    PdfSyntax::integer(text, qint64(m_offsets.size()));
    text += "\n0000000000 65535 f \n";
    char entry[] = "0000000000 00000 n \n";
    for (std::size_t object = 1; object < m_offsets.size(); ++object) {
        if (m_offsets[object] < 0) {
            m_failed = true;  // reserved and never written: the file would be broken
            break;
        }
        qint64 offset = m_offsets[object];  // ten digits, as the table's entries have them
        for (int digit = 9; digit >= 0; --digit, offset /= 10)
            entry[digit] = char('0' + offset % 10);
        text.append(entry, 20);
    }
    text += "trailer\n<< /Size ";
    PdfSyntax::integer(text, qint64(m_offsets.size()));
    text += " /Root ";
    PdfSyntax::integer(text, catalog);
    text += " 0 R /Info ";
    PdfSyntax::integer(text, info);
    text += " 0 R >>\nstartxref\n";
    PdfSyntax::integer(text, table);
    text += "\n%%EOF\n";
    append(text);
    flush();
    return !m_failed;
}
