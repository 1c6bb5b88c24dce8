#pragma once

#include <QString>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct hb_blob_t;
struct hb_face_t;
struct hb_font_t;
struct hb_buffer_t;

// One glyph of a shaped text: its index in the font, where its origin lies from the start of the
// text (points), and the UTF-16 position of the text it draws.
struct ShapedGlyph
{
    unsigned index = 0;
    double x = 0;
    qsizetype cluster = 0;
};

// A text as the font draws it at one size: glyphs with kerning, and the advance of the whole.
struct ShapedText
{
    std::vector<ShapedGlyph> glyphs;
    double width = 0;
    // The width of the text's first `length` UTF-16 positions.
    double widthOf(qsizetype length) const;
};

// Ascent and descent of a font at one size, in points.
struct VerticalMetrics
{
    double ascent = 0;
    double descent = 0;
    double height() const { return ascent + descent; }
};

// What a PDF says of a font to a reader that lacks it, in thousandths of the font's size.
struct FontDescription
{
    std::string postScriptName;
    std::array<int, 4> box{};  // of all its glyphs: left, bottom, right, top
    int ascent = 0;
    int descent = 0;  // below the baseline: negative
    int capHeight = 0;
    double italicAngle = 0;
    bool fixedPitch = false;
};

// A font of the system's font configuration (a family, regular or bold), shaped with HarfBuzz and
// embedded into PDFs as the glyphs used. Sizes are in points. Advances are the font's own; ascent
// and descent are whole 64ths of a point, as the rasteriser once rounded them, so lines of text
// stand where they always stood.
class PdfFont
{
public:
    // The font the font configuration chooses for `family`; null when no font file can be read.
    static std::unique_ptr<PdfFont> load(const QString &family, bool bold);
    ~PdfFont();
    PdfFont(const PdfFont &) = delete;
    PdfFont &operator=(const PdfFont &) = delete;

    // The family of the file the configuration chose (another one when `family` is missing).
    const QString &family() const { return m_family; }

    ShapedText shape(QStringView text, double size) const;
    VerticalMetrics metrics(double size) const;
    // The glyph for one character, without shaping (0, the missing glyph, when the font lacks it).
    unsigned glyphIndex(char32_t character) const;
    // The advance of one glyph at `size`.
    double advance(unsigned glyph, double size) const;
    // The advance of one glyph in millionths of the size: its width in a PDF, in thousandths of
    // the size with three decimals. 0 for a glyph the font does not have.
    int widthMillionths(unsigned glyph) const;
    // The character a glyph stands for (the lowest when several share it), 0 when none does.
    char32_t characterOf(unsigned glyph) const;
    FontDescription description() const;
    // The font file reduced to `glyphs` (and what they are made of), each keeping its index; none
    // when HarfBuzz cannot cut the font.
    std::optional<std::string> subset(const std::vector<unsigned> &glyphs) const;

private:
    PdfFont() = default;
    // A text shaped in the font's own units.
    struct DesignGlyph
    {
        unsigned index;
        int x;
        int cluster;
    };
    struct Shaped
    {
        std::vector<DesignGlyph> glyphs;
        int width = 0;
    };
    static constexpr std::size_t ShapedKept = 20000;
    // Texts are looked up as they come, without a copy.
    struct TextHash
    {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view text) const { return std::hash<std::u16string_view>{}(text); }
    };

    void loadGlyphTables();
    hb_font_t *fontAt(double size) const;
    const Shaped &shaped(QStringView text) const;

    QString m_family;
    hb_blob_t *m_blob = nullptr;
    hb_face_t *m_face = nullptr;
    hb_font_t *m_design = nullptr;  // in the font's own units
    hb_buffer_t *m_buffer = nullptr;
    mutable std::map<int, hb_font_t *> m_sizes;  // for the metrics, by size in 64ths of a point
    mutable std::unordered_map<std::u16string, Shaped, TextHash, std::equal_to<>> m_shaped;
    std::array<unsigned, 256> m_latin1{};  // the glyphs of the first 256 characters, looked up once
    std::vector<int> m_widths;             // by glyph, in millionths of the size
    std::vector<char32_t> m_characters;    // by glyph
};
