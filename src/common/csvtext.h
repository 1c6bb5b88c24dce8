#pragma once

#include <QString>
#include <QStringList>

// Whether a field must be quoted: it holds a comma, a quote or a line break.
bool csvNeedsQuotes(QStringView text);
// A field of a CSV line: as it is, or in double quotes (quotes doubled) when it holds a comma, a
// quote or a line break.
QString csvField(const QString &text);
// The fields joined by commas, each as csvField() writes it, and a line feed.
QString csvLine(const QStringList &fields);
