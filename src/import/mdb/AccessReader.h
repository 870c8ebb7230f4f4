#pragma once

#include "AccessFileCheck.h"

#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

// What an Access column holds, as far as the copy needs to know.
enum class AccessKind {
    YesNo, Byte, Integer, Long, Counter, Currency, Single, Double, DateTime,
    Text, Memo, Guid, Decimal,
    Binary,     // OLE objects, attachments, fixed binary: never copied
};

struct AccessColumn
{
    QString name;
    AccessKind kind = AccessKind::Text;
    int textLength = 0;         // characters, for Text
    int precision = 0;          // for Decimal
    int scale = 0;              // for Decimal
    QString typeName;           // as Access names it, for the report
};

struct AccessTable
{
    QString name;
    QVector<AccessColumn> columns;
    qint64 declaredRows = 0;    // the row count the table's definition gives
};

// One row as read. Values are in the store's terms: NULL is an invalid
// QVariant; yes/no is 0 or 1; whole numbers are qint64; single and double are
// double; currency and decimal are exact decimal texts; dates are the store's
// date texts (JetDate); texts and memos are QString; binary columns are
// invalid. problem names a value the store cannot take (a date outside years
// 100 to 9999), empty when the row is sound.
struct AccessRow
{
    QVector<QVariant> values;
    QString problem;
};

// Reads an Access-format file through mdbtools' libmdb, read-only. The file
// is checked (AccessFileCheck) before libmdb sees it. Dates, currency and
// decimals are taken from the stored bytes, not from libmdb's text forms.
// Throws AccessError when the file cannot be read.
class AccessReader
{
public:
    explicit AccessReader(const QString &path);
    ~AccessReader();
    AccessReader(const AccessReader &) = delete;
    AccessReader &operator=(const AccessReader &) = delete;

    AccessFileCheck::Format format() const;
    // The user tables (system tables and linked tables left out), in the
    // file's catalogue order.
    QVector<AccessTable> tables();

    // Calls onRow for every row of the table in stored order; onRow returns
    // false to stop. Returns the rows read. A table whose rows end before its
    // declared count, or whose values point outside the file, throws Damaged.
    qint64 readRows(const AccessTable &table, const std::function<bool(const AccessRow &)> &onRow);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
