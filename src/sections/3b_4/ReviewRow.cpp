#include "ReviewRow.h"

#include "AppState.h"
#include "CentralRoutines.h"
#include "Connection.h"

#include <QStringList>

namespace {

const QString Table = QStringLiteral("SNE_DBST_Review_ILST_Request");

} // namespace

ReviewRow::ReviewRow()
    : m_rows(Table)
{
}

Recordset ReviewRow::select(Connection &db, const QStringList &columns)
{
    Recordset rs = db.query(QStringLiteral("SELECT ID, ") + columns.join(QStringLiteral(", ")) + QStringLiteral(" FROM ")
                            + Table + QStringLiteral(" WHERE ") + learnerAndYearCondition() + QStringLiteral(" ORDER BY ID"));
    showRow(rs);
    return rs;
}

void ReviewRow::showRow(const Recordset &rs, const QString &idColumn)
{
    m_rows.showFirst(rs, idColumn);
}

ShownRows::Places ReviewRow::place(const QVector<Column> &columns)
{
    ShownRows::Values values;
    for (const Column &column : columns)
        values.insert(column.first, column.second);
    // Blank answers are answers too: the row stays.
    return ShownRows::onlyPlace(values, true);
}

void ReviewRow::loaded(const QVector<Column> &columns)
{
    m_rows.loaded(place(columns));
}

void ReviewRow::save(Connection &db, const QVector<Column> &columns)
{
    m_rows.save(db, place(columns), ShownRows::learnerAndYear());
}
