#include "pdf/pdffont.h"

#include <fontconfig/fontconfig.h>
#include <hb-ot.h>
#include <hb-subset.h>
#include <hb.h>

#include <cmath>

namespace {

constexpr double Units = 64.0;  // advances and metrics are whole 64ths of a point

int unitsOf(double size) { return qRound(size * Units); }

struct PatternDeleter
{
    void operator()(FcPattern *pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

}  // namespace

double ShapedText::widthOf(qsizetype length) const
{
    for (const ShapedGlyph &glyph : glyphs)
        if (glyph.cluster >= length)
            return glyph.x;
    return width;
}

std::unique_ptr<PdfFont> PdfFont::load(const QString &family, bool bold)
{
    const QByteArray name = family.toUtf8();
    Pattern wanted(FcPatternCreate());
    FcPatternAddString(wanted.get(), FC_FAMILY, reinterpret_cast<const FcChar8 *>(name.constData()));
    FcPatternAddInteger(wanted.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(wanted.get(), FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, wanted.get(), FcMatchPattern);
    FcDefaultSubstitute(wanted.get());
    FcResult result = FcResultNoMatch;
    Pattern found(FcFontMatch(nullptr, wanted.get(), &result));
    FcChar8 *file = nullptr;
    FcChar8 *foundFamily = nullptr;
    int index = 0;
    if (!found || FcPatternGetString(found.get(), FC_FILE, 0, &file) != FcResultMatch)
        return nullptr;
    FcPatternGetInteger(found.get(), FC_INDEX, 0, &index);
    FcPatternGetString(found.get(), FC_FAMILY, 0, &foundFamily);

    std::unique_ptr<PdfFont> font(new PdfFont);
    font->m_family = QString::fromUtf8(reinterpret_cast<const char *>(foundFamily));
    font->m_blob = hb_blob_create_from_file_or_fail(reinterpret_cast<const char *>(file));
    if (!font->m_blob)
        return nullptr;
    font->m_face = hb_face_create(font->m_blob, unsigned(index));
    if (hb_face_get_glyph_count(font->m_face) == 0)
        return nullptr;
    font->m_design = hb_font_create(font->m_face);
    hb_font_set_scale(font->m_design, int(hb_face_get_upem(font->m_face)), int(hb_face_get_upem(font->m_face)));
    font->m_buffer = hb_buffer_create();
    for (char32_t character = 0; character < font->m_latin1.size(); ++character) {
        hb_codepoint_t glyph = 0;
        font->m_latin1[character] = hb_font_get_nominal_glyph(font->m_design, character, &glyph) ? glyph : 0;
    }
    font->loadGlyphTables();
    return font;
}

void PdfFont::loadGlyphTables()
{
    const unsigned count = hb_face_get_glyph_count(m_face);
    const double perEm = hb_face_get_upem(m_face);
    m_widths.resize(count);
    for (unsigned glyph = 0; glyph < count; ++glyph)
        m_widths[glyph] = int(std::lround(hb_font_get_glyph_h_advance(m_design, glyph) * 1e6 / perEm));
    m_characters.assign(count, 0);
    hb_set_t *characters = hb_set_create();
    hb_face_collect_unicodes(m_face, characters);
    for (hb_codepoint_t character = HB_SET_VALUE_INVALID; hb_set_next(characters, &character);) {
        hb_codepoint_t glyph = 0;
        if (hb_font_get_nominal_glyph(m_design, character, &glyph) && glyph < count && m_characters[glyph] == 0)
            m_characters[glyph] = character;  // the set runs upwards: the lowest character stays
    }
    hb_set_destroy(characters);
}

PdfFont::~PdfFont()
{
    for (const auto &[units, font] : m_sizes)
        hb_font_destroy(font);
    hb_font_destroy(m_design);
    hb_buffer_destroy(m_buffer);
    hb_face_destroy(m_face);
    hb_blob_destroy(m_blob);
}

hb_font_t *PdfFont::fontAt(double size) const
{
    const int units = unitsOf(size);
    auto it = m_sizes.find(units);
    if (it == m_sizes.end()) {
        hb_font_t *font = hb_font_create(m_face);
        hb_font_set_scale(font, units, units);
        it = m_sizes.emplace(units, font).first;
    }
    return it->second;
}

const PdfFont::Shaped &PdfFont::shaped(QStringView text) const
{
    const std::u16string_view key(reinterpret_cast<const char16_t *>(text.utf16()), std::size_t(text.size()));
    const auto known = m_shaped.find(key);
    if (known != m_shaped.end())
        return known->second;
    // Texts repeat from page to page (captions, dates, the second copy of a bill); the ones of a
    // run are kept while there are not too many.
    if (m_shaped.size() >= ShapedKept)
        m_shaped.clear();
    hb_buffer_clear_contents(m_buffer);
    hb_buffer_add_utf16(m_buffer, reinterpret_cast<const uint16_t *>(text.utf16()), int(text.size()), 0,
                        int(text.size()));
    hb_buffer_guess_segment_properties(m_buffer);
    hb_shape(m_design, m_buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t *info = hb_buffer_get_glyph_infos(m_buffer, &count);
    const hb_glyph_position_t *position = hb_buffer_get_glyph_positions(m_buffer, &count);
    Shaped shaped;
    shaped.glyphs.reserve(count);
    int x = 0;
    for (unsigned i = 0; i < count; ++i) {
        shaped.glyphs.push_back({info[i].codepoint, x + position[i].x_offset, int(info[i].cluster)});
        x += position[i].x_advance;
    }
    shaped.width = x;
    return m_shaped.emplace(key, std::move(shaped)).first->second;
}

ShapedText PdfFont::shape(QStringView text, double size) const
{
    const Shaped &design = shaped(text);
    const double scale = size / hb_face_get_upem(m_face);
    ShapedText result;
    result.glyphs.reserve(design.glyphs.size());
    for (const DesignGlyph &glyph : design.glyphs)
        result.glyphs.push_back({glyph.index, glyph.x * scale, glyph.cluster});
    result.width = design.width * scale;
    return result;
}

VerticalMetrics PdfFont::metrics(double size) const
{
    hb_font_extents_t extents{};
    hb_font_get_h_extents(fontAt(size), &extents);
    return {extents.ascender / Units, -extents.descender / Units};
}

unsigned PdfFont::glyphIndex(char32_t character) const
{
    if (character < m_latin1.size())
        return m_latin1[character];
    hb_codepoint_t glyph = 0;
    return hb_font_get_nominal_glyph(m_design, character, &glyph) ? glyph : 0;
}

double PdfFont::advance(unsigned glyph, double size) const
{
    return hb_font_get_glyph_h_advance(m_design, glyph) * size / hb_face_get_upem(m_face);
}

int PdfFont::widthMillionths(unsigned glyph) const { return glyph < m_widths.size() ? m_widths[glyph] : 0; }

char32_t PdfFont::characterOf(unsigned glyph) const { return glyph < m_characters.size() ? m_characters[glyph] : 0; }

namespace {

// A big-endian 16-bit value of a font table, 0 beyond its end.
int tableShort(hb_blob_t *table, unsigned offset, bool isSigned)
{
    unsigned length = 0;
    const auto *data = reinterpret_cast<const unsigned char *>(hb_blob_get_data(table, &length));
    if (offset + 2 > length)
        return 0;
    const unsigned value = unsigned(data[offset]) << 8 | data[offset + 1];
    return isSigned && value >= 0x8000 ? int(value) - 0x10000 : int(value);
}

}  // namespace

FontDescription PdfFont::description() const
{
    const double perEm = hb_face_get_upem(m_face);
    const auto thousandths = [&](double units) { return int(std::lround(units * 1000 / perEm)); };
    FontDescription description;
    unsigned length = 0;
    if (const unsigned available =
            hb_ot_name_get_utf8(m_face, HB_OT_NAME_ID_POSTSCRIPT_NAME, HB_LANGUAGE_INVALID, &length, nullptr)) {
        std::string name(available + 1, '\0');
        length = unsigned(name.size());
        hb_ot_name_get_utf8(m_face, HB_OT_NAME_ID_POSTSCRIPT_NAME, HB_LANGUAGE_INVALID, &length, name.data());
        name.resize(length);
        description.postScriptName = name;
    }
    if (description.postScriptName.empty())
        description.postScriptName = m_family.toStdString();
    hb_blob_t *head = hb_face_reference_table(m_face, HB_TAG('h', 'e', 'a', 'd'));
    for (int i = 0; i < 4; ++i)
        description.box[i] = thousandths(tableShort(head, 36 + 2 * i, true));
    hb_blob_destroy(head);
    hb_position_t position = 0;
    if (hb_ot_metrics_get_position(m_design, HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER, &position))
        description.ascent = thousandths(position);
    if (hb_ot_metrics_get_position(m_design, HB_OT_METRICS_TAG_HORIZONTAL_DESCENDER, &position))
        description.descent = thousandths(position);
    if (hb_ot_metrics_get_position(m_design, HB_OT_METRICS_TAG_CAP_HEIGHT, &position))
        description.capHeight = thousandths(position);
    hb_blob_t *post = hb_face_reference_table(m_face, HB_TAG('p', 'o', 's', 't'));
    description.italicAngle = tableShort(post, 4, true) + tableShort(post, 6, false) / 65536.0;
    description.fixedPitch = tableShort(post, 12, false) != 0 || tableShort(post, 14, false) != 0;
    hb_blob_destroy(post);
    return description;
}

std::optional<std::string> PdfFont::subset(const std::vector<unsigned> &glyphs) const
{
    hb_subset_input_t *input = hb_subset_input_create_or_fail();
    if (!input)
        return std::nullopt;
    // Glyph indices stay, so the pages can name glyphs before the subset is made; the tables of
    // shaping are of no use to a reader, which draws the glyphs where the page puts them.
    hb_subset_input_set_flags(input, HB_SUBSET_FLAGS_RETAIN_GIDS);
    hb_set_t *kept = hb_subset_input_glyph_set(input);
    hb_set_add(kept, 0);
    for (const unsigned glyph : glyphs)
        hb_set_add(kept, glyph);
    hb_set_t *dropped = hb_subset_input_set(input, HB_SUBSET_SETS_DROP_TABLE_TAG);
    for (const hb_tag_t table : {HB_TAG('G', 'S', 'U', 'B'), HB_TAG('G', 'P', 'O', 'S'), HB_TAG('G', 'D', 'E', 'F'),
                                 HB_TAG('k', 'e', 'r', 'n'), HB_TAG('B', 'A', 'S', 'E'), HB_TAG('J', 'S', 'T', 'F'),
                                 HB_TAG('M', 'A', 'T', 'H')})
        hb_set_add(dropped, table);
    hb_face_t *cut = hb_subset_or_fail(m_face, input);
    hb_subset_input_destroy(input);
    if (!cut)
        return std::nullopt;
    hb_blob_t *blob = hb_face_reference_blob(cut);
    unsigned length = 0;
    const char *data = hb_blob_get_data(blob, &length);
    std::optional<std::string> file;
    if (length > 0)
        file.emplace(data, length);
    hb_blob_destroy(blob);
    hb_face_destroy(cut);
    return file;
}
