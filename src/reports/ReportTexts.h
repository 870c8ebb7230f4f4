#pragma once

#include <QString>
#include <QVariant>

// Words the reports print for stored codes, so a code is never printed bare
// and a code that names nothing says so instead of printing as a blank.
namespace ReportTexts {

// name when the code has one; "unknown <kind> (<code>)" when the code names
// nothing; "not recorded" when no code is stored (NULL, 0 or blank).
QString codeName(const QString &name, const QVariant &code, const QString &kind);

// The health report's impairment type in words, read as the health report
// screen reads it ("TEMP" temporary, any other stored text permanent), with
// "BOTH" (or "B") from older records as both; nothing stored "not recorded".
QString impairmentType(const QString &stored);

} // namespace ReportTexts
