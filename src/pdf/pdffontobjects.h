#pragma once

#include <vector>

class PdfFont;
class PdfObjects;

// Writes `font` as object `fontObject`: a composite font whose character codes are the glyph
// indices (two bytes each, as the pages show them), with the glyphs used embedded as a subset,
// their widths, and the characters they stand for, so text can be searched and copied. False
// when the font cannot be cut.
bool writeFont(PdfObjects &objects, int fontObject, const PdfFont &font, const std::vector<unsigned> &glyphs);
