#pragma once

#include "gst/gstr1.h"

#include <QByteArray>
#include <QJsonObject>
#include <QStringView>

#include <optional>

class OutputSet;

// The version of the offline tool's GSTR-1 JSON the files follow.
inline constexpr QStringView Gstr1JsonVersion = u"GST3.2.4";

// One company's return in the JSON the portal's offline tool imports: gstin, fp (MMYYYY),
// version, hash, and the sections b2b, b2cl, b2cs, hsn (hsn_b2b, hsn_b2c) and doc_issue, each
// present, empty or not.
QJsonObject gstr1Json(const Gstr1Filing &filing, const QDate &month);
// "32AABCS4821R1Z4_122026_GSTR1.json"
QString gstr1FileName(const QString &gstin, const QDate &month);

// The same figures as one table for a person to check: every invoice of b2b, b2cl and b2cs, the
// sums of b2cs and hsn, the series of Table 13 and the bills with problems.
QByteArray gstr1Csv(const Gstr1Return &gstr1);

// Stages a JSON file per filing in `folder`, and the table at `csvPath` when given, among
// `outputs`. Returns the failure text, or nothing.
std::optional<QString> stageGstr1(const Gstr1Return &gstr1, const QString &folder,
                                  const std::optional<QString> &csvPath, OutputSet &outputs);

// "GSTR-1 of 12-2026: 215 bills in 2 files, 3 bills with problems listed", or for a month
// without bills "No bills dated in 12-2026: 2 files with empty sections written".
QString gstr1Summary(const Gstr1Return &gstr1);
