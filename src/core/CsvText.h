#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Spreadsheet text as RFC 4180 writes it: a field holding a comma, a double
// quote or a line break is quoted with its quotes doubled; records end in
// CRLF; UTF-8 throughout.
namespace CsvText {
QString field(const QString &text);
QByteArray record(const QStringList &fields);
}
