#pragma once

#include <QString>
#include <QStringView>

// A GSTIN: a two-digit state code, the holder's PAN, an entity character, usually 'Z', and a
// check character computed over the first fourteen.

// The check character that the first fourteen characters of `gstin` call for; nothing (a null
// QChar) when one of them is not a digit or a capital letter.
QChar gstinCheckCharacter(QStringView gstin);

// Whether `gstin` is a GSTIN: fifteen characters, a known state code (01 to 38, 97, 99), a PAN of
// five capitals, four digits and a capital, an entity character and a 'Z' position that are digits
// or capitals, and the right check character. Lower case is refused, as the portal refuses it.
bool isValidGstin(QStringView gstin);

// The state code of a GSTIN: its first two characters.
QString gstinStateCode(QStringView gstin);
