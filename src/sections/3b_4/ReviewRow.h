#pragma once

#include "ShownRows.h"

#include <QPair>
#include <QString>
#include <QVector>

class Connection;
class Recordset;

// The one row of SNE_DBST_Review_ILST_Request per learner and year that the
// three Section 4 pages share. Each page owns some of its columns and writes
// only those, and only the ones the user changed: it updates them in the row
// it showed, or inserts a row holding only them when none was stored, so the
// first page saved creates the row and the others keep each other's answers.
// The row is never deleted; a second row of the same learner and year is left
// as it is.
class ReviewRow
{
public:
    // A column the page owns and the value it writes, as the statement writes it
    // (a bare 1 or 0, or a quoted text passed through SqlText).
    using Column = QPair<QString, QString>;

    ReviewRow();

    // The page's columns of the current learner's row for the data year (no
    // row when none exists yet); the row read is the one the page shows.
    Recordset select(Connection &db, const QStringList &columns);
    // The same for a row a page read in a statement of its own: the first
    // row's idColumn, NULL when the learner has no row yet.
    void showRow(const Recordset &rs, const QString &idColumn = QStringLiteral("ID"));
    // What the page shows once its columns are in the cells.
    void loaded(const QVector<Column> &columns);

    // Writes the page's changed columns on the connection of the running save.
    void save(Connection &db, const QVector<Column> &columns);
    // The save's transaction committed.
    void committed() { m_rows.committed(); }

private:
    static ShownRows::Places place(const QVector<Column> &columns);

    ShownRows m_rows;
};
