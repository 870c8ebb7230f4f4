#include "RowWriter.h"

#include "Connection.h"
#include "ImportStatements.h"
#include "StoreError.h"

#include <QStringList>
#include <stdexcept>

namespace {

// Rows to a statement, and the statement's size at which it is written early
// (long memos): large enough that the statement's fixed cost vanishes.
constexpr int RowsPerStatement = 100;
constexpr qsizetype CharactersPerStatement = 1 << 20;
// Rows that could not be written are named up to this many per table.
constexpr int FailuresNamed = 5;

} // namespace

RowWriter::RowWriter(Connection &connection, const AccessTable &table, TableImport &report)
    : m_connection(connection), m_table(table), m_report(report), m_head(ImportStatements::insertHead(table))
{
}

void RowWriter::add(const AccessRow &row, qint64 rowNumber)
{
    if (!row.problem.isEmpty())
        return failed(rowNumber, row.problem);
    try {
        m_pending.append({ImportStatements::rowValues(m_table, row), rowNumber});
    } catch (const std::invalid_argument &error) {
        return failed(rowNumber, QString::fromStdString(error.what()));
    }
    m_pendingSize += m_pending.constLast().values.size();
    if (m_pending.size() >= RowsPerStatement || m_pendingSize >= CharactersPerStatement)
        flush();
}

void RowWriter::flush()
{
    if (m_pending.isEmpty())
        return;
    QStringList values;
    values.reserve(m_pending.size());
    for (const Pending &row : std::as_const(m_pending))
        values << row.values;
    try {
        m_connection.execute(m_head + values.join(QStringLiteral(", ")));
        m_report.rowsWritten += m_pending.size();
    } catch (const StoreError &) {
        // A refused statement writes none of its rows: find the ones at fault.
        writeOneByOne();
    }
    m_pending.clear();
    m_pendingSize = 0;
}

void RowWriter::writeOneByOne()
{
    for (const Pending &row : std::as_const(m_pending)) {
        try {
            m_connection.execute(m_head + row.values);
            ++m_report.rowsWritten;
        } catch (const StoreError &error) {
            failed(row.rowNumber, error.description());
        }
    }
}

void RowWriter::failed(qint64 rowNumber, const QString &reason)
{
    ++m_report.failedRows;
    if (m_report.rowFailures.size() < FailuresNamed)
        m_report.rowFailures << QStringLiteral("row %1: %2").arg(rowNumber).arg(reason);
}
