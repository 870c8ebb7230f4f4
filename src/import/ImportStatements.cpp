#include "ImportStatements.h"

#include <QStringList>
#include <stdexcept>

namespace ImportStatements {

namespace {

// The store keeps exact numbers as decimal numbers of up to 15 significant
// digits; a longer one would come back rounded.
constexpr int ExactDigits = 15;

int significantDigits(const QString &decimal)
{
    QString digits = decimal;
    digits.remove(QLatin1Char('-'));
    digits.remove(QLatin1Char('.'));
    while (digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    return int(digits.size());
}

QString quotedText(const QString &text)
{
    QString out = text;
    out.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + out + QLatin1Char('\'');
}

} // namespace

bool copied(const AccessColumn &column)
{
    return column.kind != AccessKind::Binary;
}

QString skipReason(const AccessColumn &column)
{
    if (copied(column))
        return QString();
    return QStringLiteral("%1 (%2): binary data (pictures, documents, attachments) is not copied")
        .arg(column.name, column.typeName);
}

QString bracketed(const QString &name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}

QString storeType(const AccessColumn &column)
{
    switch (column.kind) {
    case AccessKind::YesNo: return QStringLiteral("BIT");
    case AccessKind::Byte: return QStringLiteral("BYTE");
    case AccessKind::Integer: return QStringLiteral("SHORT");
    case AccessKind::Long: return QStringLiteral("LONG");
    case AccessKind::Counter: return QStringLiteral("COUNTER");
    case AccessKind::Currency: return QStringLiteral("CURRENCY");
    case AccessKind::Decimal: return QStringLiteral("NUMERIC");
    case AccessKind::Single: return QStringLiteral("SINGLE");
    case AccessKind::Double: return QStringLiteral("DOUBLE");
    case AccessKind::DateTime: return QStringLiteral("DATETIME");
    case AccessKind::Text:
        return column.textLength > 0 ? QStringLiteral("TEXT(%1)").arg(column.textLength) : QStringLiteral("TEXT");
    case AccessKind::Memo: return QStringLiteral("MEMO");
    case AccessKind::Guid: return QStringLiteral("GUID");
    case AccessKind::Binary: break;
    }
    return QString();
}

QString createTable(const AccessTable &table)
{
    QStringList columns;
    for (const AccessColumn &column : table.columns) {
        if (copied(column))
            columns << bracketed(column.name) + QLatin1Char(' ') + storeType(column);
    }
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(bracketed(table.name), columns.join(QStringLiteral(", ")));
}

QString insertHead(const AccessTable &table)
{
    QStringList columns;
    for (const AccessColumn &column : table.columns) {
        if (copied(column))
            columns << bracketed(column.name);
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(bracketed(table.name), columns.join(QStringLiteral(", ")));
}

QString rowValues(const AccessTable &table, const AccessRow &row)
{
    QStringList values;
    for (int i = 0; i < table.columns.size(); ++i) {
        if (copied(table.columns[i]))
            values << literal(table.columns[i], row.values[i]);
    }
    return QLatin1Char('(') + values.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString literal(const AccessColumn &column, const QVariant &value)
{
    if (!value.isValid())
        return QStringLiteral("NULL");
    switch (column.kind) {
    case AccessKind::YesNo:
    case AccessKind::Byte:
    case AccessKind::Integer:
    case AccessKind::Long:
    case AccessKind::Counter:
        return QString::number(value.toLongLong());
    case AccessKind::Single:
    case AccessKind::Double:
        return QString::number(value.toDouble(), 'g', 17);
    case AccessKind::Currency:
    case AccessKind::Decimal: {
        const QString decimal = value.toString();
        if (significantDigits(decimal) > ExactDigits)
            throw std::invalid_argument(QStringLiteral("%1 holds %2, more digits than the store keeps exactly")
                                            .arg(column.name, decimal).toStdString());
        return decimal;
    }
    case AccessKind::DateTime:
    case AccessKind::Text:
    case AccessKind::Memo:
    case AccessKind::Guid:
        return quotedText(value.toString());
    case AccessKind::Binary:
        break;
    }
    return QStringLiteral("NULL");
}

} // namespace ImportStatements
