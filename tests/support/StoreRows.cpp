#include "StoreRows.h"

#include "Connection.h"

QStringList storeRows(Connection &connection, const QString &sql)
{
    const Recordset rs = connection.query(sql);
    QStringList lines;
    for (int row = 0; row < rs.recordCount(); ++row) {
        QStringList fields;
        for (const QString &field : rs.fieldNames())
            fields << (rs.value(row, field).isValid() ? rs.text(row, field) : QStringLiteral("NULL"));
        lines << fields.join(QLatin1Char('|'));
    }
    return lines;
}
