#include "StoreCopy.h"

#include "CheckTables.h"
#include "Connection.h"
#include "SchemaTables.h"
#include "StoreError.h"

#include <QHash>
#include <QSet>
#include <QVariant>

namespace {

// The host's tables as its own SQL creates them, with the columns the
// program reads, for a target that does not have them yet.
const QHash<QString, QString> &hostTableStatements()
{
    static const QHash<QString, QString> statements = {
        {QStringLiteral("General_Info"),
         QStringLiteral("CREATE TABLE General_Info (SchoolName TEXT, District TEXT, Circuit TEXT, EmisCode TEXT)")},
        {QStringLiteral("SchoolGrades"),
         QStringLiteral("CREATE TABLE SchoolGrades (ID LONG, Name TEXT, schoolgrade TEXT, CONSTRAINT Grades_PK PRIMARY KEY (ID))")},
        {QStringLiteral("Disabilities"),
         QStringLiteral("CREATE TABLE Disabilities (id LONG, Name TEXT, CONSTRAINT Disabilities_PK PRIMARY KEY (id))")},
        {QStringLiteral("Learner_Info"),
         QStringLiteral("CREATE TABLE Learner_Info (ID LONG, FName TEXT, SName TEXT, Grade LONG, AccessionNo TEXT, "
                        "BirthDate TEXT, Status TEXT, LSENStatus LONG, SocialGrantNo TEXT, LSENDisabilities LONG, "
                        "LearnerID LONG, CONSTRAINT Learner_PK PRIMARY KEY (ID))")},
        {QStringLiteral("MultipleDisabilities"),
         QStringLiteral("CREATE TABLE MultipleDisabilities (LearnerID LONG, DisabilityID LONG, Knumber TEXT, Testdate TEXT)")},
    };
    return statements;
}

// Rows per INSERT: fewer round trips to a server, statements of a few
// hundred kilobytes at most.
constexpr int RowsPerStatement = 100;

QString literal(const QVariant &value)
{
    if (!value.isValid())
        return QStringLiteral("NULL");
    switch (value.typeId()) {
    case QMetaType::LongLong:
        return QString::number(value.toLongLong());
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 17);
    case QMetaType::QByteArray:
        throw StoreError(3146, QStringLiteral("A stored value holds bytes, which the copy does not carry."));
    default: {
        QString text = value.toString();
        text.replace(QLatin1Char('\''), QStringLiteral("''"));
        return QLatin1Char('\'') + text + QLatin1Char('\'');
    }
    }
}

QStringList copiedTables()
{
    return HostTables() + SchemaTables::dataTables() + SchemaTables::lookupTables();
}

bool holdsSchool(Connection &to)
{
    for (const QString &table : {QStringLiteral("General_Info"), QStringLiteral("Learner_Info")}) {
        if (to.tableExists(table) && to.query(QStringLiteral("SELECT Count(*) AS n FROM ") + table).value(0, QStringLiteral("n")).toLongLong() > 0)
            return true;
    }
    return false;
}

// The target's tables, made as the program makes them, outside the rows'
// transaction (the table check runs transactions of its own).
void makeTables(Connection &to)
{
    StoreCopy::createHostTables(to);
    CheckTables(to);
}

// A target that cannot keep U+0000 in a text refuses the whole copy, before
// anything is written, naming where the character is.
void refuseUnstorableTexts(const QString &table, const Recordset &rows, const QString &target)
{
    const bool keyed = rows.hasField(QStringLiteral("ID"));
    for (int row = 0; row < rows.recordCount(); ++row) {
        for (const QString &column : rows.fieldNames()) {
            const QVariant value = rows.value(row, column);
            if (value.typeId() != QMetaType::QString || !value.toString().contains(QChar(0)))
                continue;
            const QString where = keyed ? QStringLiteral("the row with ID %1").arg(rows.text(row, QStringLiteral("ID")))
                                           : QStringLiteral("row %1").arg(row + 1);
            throw StoreError(3146,
                             QStringLiteral("%1, %2, column %3 contains a character (U+0000) that the server cannot store; "
                                            "nothing was copied to %4. Remove the character and copy again.")
                                 .arg(table, where, column, target),
                             StoreError::Kind::Refused);
        }
    }
}

int copyRows(const Recordset &rows, Connection &to, const QString &table)
{
    // The columns both sides have, by name whatever its case.
    QSet<QString> targetColumns;
    for (const QString &column : to.columnNames(table))
        targetColumns << column.toLower();
    QStringList names;
    QVector<int> columns;
    for (const QString &column : rows.fieldNames()) {
        if (targetColumns.contains(column.toLower())) {
            names << QLatin1Char('[') + column + QLatin1Char(']');
            columns << rows.column(column);
        }
    }
    to.execute(QStringLiteral("DELETE FROM ") + table);
    const QString head = QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(table, names.join(QStringLiteral(", ")));
    for (int first = 0; first < rows.recordCount(); first += RowsPerStatement) {
        QStringList tuples;
        for (int row = first; row < qMin(first + RowsPerStatement, rows.recordCount()); ++row) {
            QStringList values;
            for (int column : columns)
                values << literal(rows.value(row, rows.fieldNames().at(column)));
            tuples << QLatin1Char('(') + values.join(QStringLiteral(", ")) + QLatin1Char(')');
        }
        to.execute(head + tuples.join(QStringLiteral(", ")));
    }
    // A counter given out next continues after the highest copied value.
    to.query(QStringLiteral("SELECT sna_continue_counter('%1') AS continued").arg(table));
    return rows.recordCount();
}

} // namespace

void StoreCopy::createHostTables(Connection &to)
{
    to.prepareStore();
    for (const QString &table : HostTables()) {
        if (!to.tableExists(table))
            to.execute(hostTableStatements().value(table));
    }
}

QMap<QString, int> StoreCopy::copy(Connection &from, Connection &to, Existing existing)
{
    for (const QString &table : HostTables()) {
        if (!from.tableExists(table))
            throw StoreError(StoreError::NotASchoolDatabase,
                             QStringLiteral("%1 is not a school database: it has no %2 table.").arg(from.path(), table));
    }
    if (existing == Existing::Refuse && holdsSchool(to))
        throw StoreError(StoreError::NotASchoolDatabase,
                         QStringLiteral("%1 holds a school's rows already; nothing was copied. "
                                        "Give --replace to replace them.").arg(to.path()),
                         StoreError::Kind::Refused);
    // Every row is read, and found fit for the target, before anything is written.
    const QStringList tables = copiedTables();
    QVector<Recordset> read;
    for (const QString &table : tables) {
        read << from.query(QStringLiteral("SELECT * FROM ") + table);
        if (!to.holdsNulInText())
            refuseUnstorableTexts(table, read.last(), to.path());
    }
    makeTables(to);
    QMap<QString, int> copied;
    Transaction transaction(to);
    for (int t = 0; t < tables.size(); ++t)
        copied.insert(tables.at(t), copyRows(read.at(t), to, tables.at(t)));
    transaction.commit();
    return copied;
}
