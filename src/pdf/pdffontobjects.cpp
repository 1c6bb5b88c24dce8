#include "pdf/pdffontobjects.h"

#include "pdf/pdffont.h"
#include "pdf/pdfobjects.h"
#include "pdf/pdfsyntax.h"

#include <QCryptographicHash>

#include <algorithm>
#include <initializer_list>
#include <string>

namespace {

// The six capitals before a subset's name, which tell readers that it is a subset and keep
// subsets of one font with different glyphs apart.
std::string subsetTag(const std::vector<unsigned> &glyphs, const std::string &name)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QByteArrayView(name.data(), qsizetype(name.size())));
    hash.addData(
        QByteArrayView(reinterpret_cast<const char *>(glyphs.data()), qsizetype(glyphs.size() * sizeof(unsigned))));
    const QByteArray digest = hash.result();
    std::string tag;
    for (int i = 0; i < 6; ++i)
        tag += char('A' + static_cast<unsigned char>(digest[i]) % 26);
    return tag + '+';
}

// UTF-16 code units (or glyph codes) as one hexadecimal string: <0041>, <D83DDE00>.
void hexUnits(std::string &out, std::initializer_list<unsigned> units)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    out += '<';
    for (const unsigned unit : units)
        for (const int shift : {12, 8, 4, 0})
            out += Hex[(unit >> shift) & 0xF];
    out += '>';
}

// The characters of the glyphs, as a CMap from glyph codes to UTF-16.
std::string toUnicode(const PdfFont &font, const std::vector<unsigned> &glyphs)
{
    std::vector<std::pair<unsigned, char32_t>> mapped;
    for (const unsigned glyph : glyphs)
        if (const char32_t character = font.characterOf(glyph))
            mapped.emplace_back(glyph, character);
    std::string cmap = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                       "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                       "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                       "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    constexpr std::size_t PerBlock = 100;  // the most a block may hold
    for (std::size_t first = 0; first < mapped.size(); first += PerBlock) {
        const std::size_t count = std::min(PerBlock, mapped.size() - first);
        PdfSyntax::integer(cmap, qint64(count));
        cmap += " beginbfchar\n";
        for (std::size_t i = first; i < first + count; ++i) {
            hexUnits(cmap, {mapped[i].first});
            cmap += ' ';
            const char32_t character = mapped[i].second;
            if (character < 0x10000)
                hexUnits(cmap, {unsigned(character)});
            else
                hexUnits(cmap, {unsigned(0xD800 + ((character - 0x10000) >> 10)),
                                unsigned(0xDC00 + ((character - 0x10000) & 0x3FF))});
            cmap += '\n';
        }
        cmap += "endbfchar\n";
    }
    cmap += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    return cmap;
}

// The widths of the glyphs, runs of neighbouring indices together: "3 [600 600] 17 [612.5]".
std::string widths(const PdfFont &font, const std::vector<unsigned> &glyphs)
{
    std::string list = "[";
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        if (i == 0 || glyphs[i] != glyphs[i - 1] + 1) {
            if (i > 0)
                list += "] ";
            PdfSyntax::integer(list, glyphs[i]);
            list += " [";
        } else {
            list += ' ';
        }
        PdfSyntax::thousandths(list, font.widthMillionths(glyphs[i]));
    }
    if (!glyphs.empty())
        list += ']';
    list += ']';
    return list;
}

}  // namespace

bool writeFont(PdfObjects &objects, int fontObject, const PdfFont &font, const std::vector<unsigned> &glyphs)
{
    const std::optional<std::string> file = font.subset(glyphs);
    if (!file)
        return false;
    const FontDescription description = font.description();
    std::string name;
    PdfSyntax::name(name, subsetTag(glyphs, description.postScriptName) + description.postScriptName);

    const int fontFile = objects.reserve();
    std::string dictionary = "/Length1 ";
    PdfSyntax::integer(dictionary, qint64(file->size()));
    objects.writeStream(fontFile, dictionary, *file);

    const int descriptor = objects.reserve();
    std::string body = "<< /Type /FontDescriptor /FontName " + name + " /Flags ";
    // Symbolic (its glyphs are named by index, not by a standard encoding), perhaps of one pitch.
    PdfSyntax::integer(body, description.fixedPitch ? 4 + 1 : 4);
    body += " /FontBBox [";
    for (const int edge : description.box) {
        body += ' ';
        PdfSyntax::integer(body, edge);
    }
    body += " ] /ItalicAngle ";
    PdfSyntax::number(body, description.italicAngle);
    body += " /Ascent ";
    PdfSyntax::integer(body, description.ascent);
    body += " /Descent ";
    PdfSyntax::integer(body, description.descent);
    body += " /CapHeight ";
    PdfSyntax::integer(body, description.capHeight);
    body += " /StemV 80 /FontFile2 ";
    PdfSyntax::integer(body, fontFile);
    body += " 0 R >>";
    objects.write(descriptor, body);

    const int glyphFont = objects.reserve();
    body = "<< /Type /Font /Subtype /CIDFontType2 /BaseFont " + name
           + " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> /FontDescriptor ";
    PdfSyntax::integer(body, descriptor);
    body += " 0 R /CIDToGIDMap /Identity /DW 0 /W " + widths(font, glyphs) + " >>";
    objects.write(glyphFont, body);

    const int characters = objects.reserve();
    objects.writeStream(characters, {}, toUnicode(font, glyphs));

    body = "<< /Type /Font /Subtype /Type0 /BaseFont " + name + " /Encoding /Identity-H /DescendantFonts [";
    PdfSyntax::integer(body, glyphFont);
    body += " 0 R] /ToUnicode ";
    PdfSyntax::integer(body, characters);
    body += " 0 R >>";
    objects.write(fontObject, body);
    return true;
}
