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

QStringList typedRows(Connection &connection, const QString &table)
{
    const Recordset rs = connection.query(QStringLiteral("SELECT * FROM ") + table);
    QStringList rows;
    for (int row = 0; row < rs.recordCount(); ++row) {
        QStringList values;
        for (const QString &field : rs.fieldNames()) {
            const QVariant value = rs.value(row, field);
            values << (!value.isValid() ? QStringLiteral("NULL")
                       : value.typeId() == QMetaType::LongLong ? QStringLiteral("int:") + value.toString()
                       : value.typeId() == QMetaType::Double ? QStringLiteral("real:") + QString::number(value.toDouble(), 'g', 17)
                       : QStringLiteral("text:") + value.toString());
        }
        rows << values.join(QLatin1Char('|'));
    }
    rows.sort();
    return rows;
}
