#pragma once

#include <QString>
#include <QStringList>

class Connection;

// Writes the fixed rows of the four lookup tables, one INSERT per row, built as
// "INSERT INTO " + table + " (" + columns + ") VALUES " + row text. The start-up
// check calls the matching routine right after it has created a lookup table.
// Failures are not caught here: they belong to the caller.
class DataInsert
{
public:
    explicit DataInsert(Connection &connection) : m_connection(connection) {}

    // Each returns the number of rows it inserted.
    int InsertIA();     // SNE_lu_Impairment_Area
    int InsertADDS();   // SNE_lu_Activity_Domain_Sub_Section
    int InsertADLD();   // SNE_lu_Activity_Domain_Limit_Desc
    int InsertISP();    // SNE_lu_ISP_Actions

    // The routine that fills a lookup table, by the table's name; -1 for any
    // other table.
    int fill(const QString &table);

private:
    int insertRows(const QString &table);
    Connection &m_connection;
    QString m_columns;
    QStringList m_rows;
};
