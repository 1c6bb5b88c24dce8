#pragma once

#include <QString>

// The next code of a numbered series: SE0009 -> SE0010, 9999 -> 10000, AB -> AB1, "" -> 1.
QString NextCode(const QString &code);

// What a series that stands at `series` holds once `code` is used: the code after `code`, unless
// that lies behind the series (codes of one prefix compare by their numbers), so a code typed by
// hand never sends the series back to codes already used: SP0008 after SP0000 stays SP0008,
// after SP0100 becomes SP0101. A code of another prefix moves the series on from itself.
QString seriesAfter(const QString &series, const QString &code);

// A text cut or filled with blanks to exactly `width` characters: "L" left, "R" right, "C" centred
// (the odd blank goes to the end). Any other code gives empty text.
QString AlignText(const QString &text, int width, const QString &alignment);

// The typed running number completed to the template's format: template AB/00120 and typed 45
// give AB/00045. An empty template gives empty text.
QString ComposeCode(const QString &templateCode, const QString &typed);
