#pragma once

#include "AccessImport.h"
#include "AccessReader.h"

#include <QString>
#include <QVector>

class Connection;

// Writes one table's rows into the store, many rows to a statement (one
// statement per row costs the translation and the statement's set-up each
// time). A statement the store refuses is written again row by row, so every
// row that cannot be written is counted and named with its reason.
class RowWriter
{
public:
    RowWriter(Connection &connection, const AccessTable &table, TableImport &report);

    // rowNumber counts from 1 in the table's stored order.
    void add(const AccessRow &row, qint64 rowNumber);
    // Writes what is still pending; call once after the last row.
    void flush();

private:
    struct Pending
    {
        QString values;
        qint64 rowNumber;
    };

    void writeOneByOne();
    void failed(qint64 rowNumber, const QString &reason);

    Connection &m_connection;
    const AccessTable &m_table;
    TableImport &m_report;
    const QString m_head;
    QVector<Pending> m_pending;
    qsizetype m_pendingSize = 0;
};
