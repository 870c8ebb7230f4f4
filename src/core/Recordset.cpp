#include "Recordset.h"

#include "StoreError.h"

#include <utility>

namespace {

[[noreturn]] void itemNotFound()
{
    throw StoreError(StoreError::ItemNotFound,
                     QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal."));
}

[[noreturn]] void noCurrentRecord()
{
    // The host engine's text for reading a field at EOF.
    throw StoreError(3021, QStringLiteral("Either BOF or EOF is True, or the current record has been deleted. "
                                          "Requested operation requires a current record."));
}

} // namespace

Recordset::Recordset(QStringList fieldNames, QVector<QVector<QVariant>> rows)
    : m_names(std::move(fieldNames)), m_rows(std::move(rows))
{
}

void Recordset::moveNext()
{
    if (m_position < m_rows.size())
        ++m_position;
}

int Recordset::fieldIndex(const QString &name) const
{
    for (int i = 0; i < m_names.size(); ++i) {
        if (m_names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int Recordset::checkedIndex(const QString &name) const
{
    const int index = fieldIndex(name);
    if (index < 0)
        itemNotFound();
    return index;
}

QVariant Recordset::value(const QString &field) const
{
    const int index = checkedIndex(field);
    if (eof())
        noCurrentRecord();
    return m_rows.at(m_position).value(index);
}

bool Recordset::isTrue(const QString &field) const
{
    const QVariant v = value(field);
    if (!v.isValid() || v.isNull())
        return false;
    bool numeric = false;
    const qlonglong n = v.toLongLong(&numeric);
    if (numeric)
        return n != 0;
    // The words the host's yes/no formats write, as other programs store them.
    const QString word = v.toString().trimmed();
    for (const char *yes : {"True", "Yes", "On"}) {
        if (word.compare(QLatin1String(yes), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString Recordset::text(const QString &field) const
{
    const QVariant v = value(field);
    return v.isValid() ? v.toString() : QString();
}

bool Recordset::isNull(const QString &field) const
{
    return !value(field).isValid();
}

QVariant Recordset::value(int row, const QString &field) const
{
    const int index = checkedIndex(field);
    if (row < 0 || row >= m_rows.size())
        noCurrentRecord();
    return m_rows.at(row).value(index);
}

QString Recordset::text(int row, const QString &field) const
{
    return text(row, checkedIndex(field));
}

QString Recordset::text(int row, int column) const
{
    if (row < 0 || row >= m_rows.size())
        noCurrentRecord();
    const QVariant v = m_rows.at(row).value(column);
    return v.isValid() ? v.toString() : QString();
}
