#pragma once

#include <QString>

// The GST state code of the state a six-digit PIN lies in ("682011" -> "32", Kerala); empty for a
// PIN that is not six digits or whose first digits name no postal circle. The postal circles
// follow the states, with the few districts of one state served from another's circle told apart
// by their first three digits.
QString stateCodeOfPin(const QString &pin);
