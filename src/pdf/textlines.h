#pragma once

#include "pdf/pdffont.h"

#include <QStringView>

#include <vector>

// A text cut into lines no wider than `width` where the line-breaking rules allow a break (after
// a blank, after a hyphen before a letter, ...), each line shaped on its own without its trailing
// blanks. "\n" always ends a line. A word wider than `width` keeps a line of its own and sticks
// out. An empty text has no line.
std::vector<ShapedText> textLines(const PdfFont &font, double size, QStringView text, double width);
