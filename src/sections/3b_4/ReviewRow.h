#pragma once

#include <QPair>
#include <QString>
#include <QVector>

class Connection;
class Recordset;

// The one row of SNE_DBST_Review_ILST_Request per learner and year that the
// three Section 4 pages share. Each page owns some of its columns and writes
// only those: it updates them when the row exists and otherwise inserts a row
// holding only them, so the first page saved creates the row and the others
// keep each other's answers. The row is never deleted.
namespace ReviewRow {

// A column the page owns and the value it writes, as the statement writes it
// (a bare 1 or 0, or a quoted text passed through SqlText).
using Column = QPair<QString, QString>;

// The page's columns of the current learner's row for the data year; no row
// when none exists yet.
Recordset select(Connection &db, const QStringList &columns);

// Writes the page's columns on the connection of the running save (its
// transaction covers the look-up and the write).
void save(Connection &db, const QVector<Column> &columns);

// A text as the statements write it: quoted, through SqlText.
QString quoted(const QString &text);

} // namespace ReviewRow
