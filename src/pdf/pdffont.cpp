#include "pdf/pdffont.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <hb-ot.h>
#include <hb.h>

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
    // cairo reads the same file; the pattern names it, so both see the same glyphs.
    font->m_cairoFace = cairo_ft_font_face_create_for_pattern(found.get());
    if (cairo_font_face_status(font->m_cairoFace) != CAIRO_STATUS_SUCCESS)
        return nullptr;
    return font;
}

PdfFont::~PdfFont()
{
    for (const auto &[units, font] : m_sizes)
        hb_font_destroy(font);
    if (m_cairoFace)
        cairo_font_face_destroy(m_cairoFace);
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
    QString key = text.toString();
    const auto known = m_shaped.constFind(key);
    if (known != m_shaped.cend())
        return *known;
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
    return *m_shaped.insert(std::move(key), std::move(shaped));
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
