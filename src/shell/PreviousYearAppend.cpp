#include "PreviousYearAppend.h"

#include "Connection.h"
#include "HourglassCursor.h"
#include "MessageBoxes.h"
#include "SchemaTables.h"
#include "StoreError.h"
#include "StoreLocks.h"
#include "StoreWork.h"

#include <QDate>
#include <limits>

namespace PreviousYearAppend {

const QStringList &tables()
{
    static const QStringList list = {
        QStringLiteral("SNE_Learner_Background_Info"),
        QStringLiteral("SNE_Learning_And_Development_Barriers"),
        QStringLiteral("SNE_Factors_Classroom"),
        QStringLiteral("SNE_Factors_Community"),
        QStringLiteral("SNE_Factors_School"),
        QStringLiteral("SNE_Learner_Support_Needs"),
        QStringLiteral("SNE_DBST_Review_ILST_Request"),
        QStringLiteral("SNE_DBST_Support_Strategy"),
        QStringLiteral("SNE_Action_Review"),
    };
    return list;
}

QString statement(Connection &connection, const QString &table, qint32 year)
{
    QString insertList;
    QString selectList;
    // The key is left out of both lists: the store numbers the copies. A
    // server may hand the names back folded to lower case.
    for (const QString &column : connection.columnNames(table)) {
        if (column.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0)
            continue;
        insertList += QStringLiteral("[") + column + QStringLiteral("],");
        if (column.compare(QLatin1String("Data_Year"), Qt::CaseInsensitive) == 0)
            selectList += QString::number(year) + QStringLiteral(" As [Data_Year],");
        else
            selectList += QStringLiteral("[Tbl].[") + column + QStringLiteral("],");
    }
    insertList.chop(1);
    selectList.chop(1);

    return QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + insertList + QStringLiteral(") ")
        + QStringLiteral("SELECT ") + selectList + QStringLiteral(" FROM ") + table + QStringLiteral(" AS [Tbl] ")
        + QStringLiteral(" INNER JOIN [Learner_Info] as [LI] on [Tbl].[LearnerID] = [LI].[ID]")
        + QStringLiteral(" WHERE ([LI].[Status] = 'C' AND ((([Tbl].[Data_Year])=") + QString::number(year - 1)
        + QStringLiteral(")")
        + QStringLiteral(" AND [Tbl].[LearnerID] not in (Select [sCurY].[LearnerID] From ") + table
        + QStringLiteral(" AS [sCurY] Where [sCurY].[data_year] = ") + QString::number(year)
        + QStringLiteral(" AND [sCurY].[LearnerID] = [LI].[ID])))");
}

qint32 copyAll(Connection &connection, qint32 year, const std::function<void(const QString &, int)> &copied)
{
    // All indexes and all copies, or nothing: a learner half carried over
    // would be skipped by the next run for the tables already copied, and one
    // commit instead of one per statement is what the engine's own copy costs.
    Transaction transaction(connection);
    // Two computers appending at once: the second waits, then finds every
    // row copied and copies none again.
    LockLearnerYear(connection, 0, year);
    // A school with a full year of records copies far more rows than a
    // 16-bit count holds; the count is 32-bit and checked, never wrapped.
    qint64 rows = 0;
    for (const QString &table : tables()) {
        // The copy asks, for every row of last year, whether the learner has
        // this year's row already: a look-up with the index the table check
        // makes, made here too for a database the check has not seen since.
        connection.execute(SchemaTables::indexStatement(table));
        const int tableRows = connection.execute(statement(connection, table, year));
        if (copied)
            copied(table, tableRows);
        rows += tableRows;
        if (rows > std::numeric_limits<qint32>::max())
            throw StoreError(StoreError::Overflow, QStringLiteral("Overflow"));
    }
    transaction.commit();
    return qint32(rows);
}

QString warningText(qint32 year)
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("When appending SIAS information from ") + QString::number(year - 1) + QStringLiteral(" to ")
        + QString::number(year) + QStringLiteral(", the following sections ") + crlf
        + QStringLiteral("will not be brought over as learners must be re-evaluated and information might change.")
        + crlf + crlf + QStringLiteral("Stage 1:    DP Diagnostic Profile") + crlf + crlf
        + QStringLiteral("Stage 2:    ISP: Individual Support Plan") + crlf + crlf
        + QStringLiteral("Stage 3:    Section 3a: Assessment of support requirements") + crlf + crlf
        + QStringLiteral("Please remember to update the rolled over sections where information has changed and ") + crlf
        + QStringLiteral("complete the outstanding section information.") + crlf + crlf + QStringLiteral("Append?");
}

} // namespace PreviousYearAppend

bool AppendPreviousYear()
{
    return AppendPreviousYear(QDate::currentDate().year());
}

bool AppendPreviousYear(qint32 year)
{
    qint32 rows = 0;
    const bool completed = StoreWork::run(QStringLiteral("frmSelectLearner"), QStringLiteral("AppendInfo"),
                                          [&](Connection &connection) {
        // Inside the trapped body: the pointer is back before any report shows.
        HourglassCursor hourglass;
        rows = PreviousYearAppend::copyAll(connection, year);
    });
    if (completed)
        ShowUserMessage(QStringLiteral("Append Complete: ") + QString::number(rows) + QStringLiteral(" Rows Affected"));
    return completed;
}
