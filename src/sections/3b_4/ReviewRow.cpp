#include "ReviewRow.h"

#include "AppState.h"
#include "CentralRoutines.h"
#include "Connection.h"

#include <QStringList>

namespace ReviewRow {

namespace {

const QString Table = QStringLiteral("SNE_DBST_Review_ILST_Request");

QString whereLearnerAndYear()
{
    return QStringLiteral(" WHERE LearnerID = ") + learnerIdText() + QStringLiteral(" AND Data_Year = ")
        + dataYearText();
}

} // namespace

Recordset select(Connection &db, const QStringList &columns)
{
    return db.query(QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") + Table
                    + whereLearnerAndYear());
}

void save(Connection &db, const QVector<Column> &columns)
{
    QStringList names;
    QStringList values;
    QStringList assignments;
    for (const Column &column : columns) {
        names << column.first;
        values << column.second;
        assignments << column.first + QStringLiteral(" = ") + column.second;
    }
    if (select(db, names).recordCount() > 0) {
        db.execute(QStringLiteral("UPDATE ") + Table + QStringLiteral(" SET ") + assignments.join(QStringLiteral(", "))
                   + whereLearnerAndYear());
        return;
    }
    db.execute(QStringLiteral("INSERT INTO ") + Table + QStringLiteral(" (LearnerID, ") + names.join(QStringLiteral(", "))
               + QStringLiteral(", Data_Year) VALUES (") + learnerIdText() + QStringLiteral(",")
               + values.join(QStringLiteral(",")) + QStringLiteral(",") + dataYearText() + QStringLiteral(")"));
}

QString quoted(const QString &text)
{
    return QStringLiteral("'") + SqlText(text) + QStringLiteral("'");
}

} // namespace ReviewRow
