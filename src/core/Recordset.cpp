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

Recordset::Fill::Fill(QStringList fieldNames)
    : m_names(std::move(fieldNames)), m_distinct(m_names.size()), m_cells(m_names.size()), m_values(m_names.size())
{
}

quint32 Recordset::Fill::indexOf(int column, const QVariant &value)
{
    Distinct &distinct = m_distinct[column];
    QVector<QVariant> &values = m_values[column];
    const auto added = [&values, &value] {
        values.append(value);
        return quint32(values.size() - 1);
    };
    const auto known = [&added](auto &seen, const auto &key) {
        const auto found = seen.constFind(key);
        return found != seen.constEnd() ? *found : *seen.insert(key, added());
    };
    // A column whose first rows are mostly different values (keys, names)
    // gains nothing from being looked up cell by cell; it only pays for the
    // look-up. Such a column stops looking from then on.
    constexpr int Sample = 256;
    if (!distinct.keepsAll && m_rows == Sample && values.size() > Sample / 2) {
        distinct = Distinct();
        distinct.keepsAll = true;
    }
    if (distinct.keepsAll)
        return added();
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        if (distinct.null < 0)
            distinct.null = added();
        return quint32(distinct.null);
    case QMetaType::QString:
        return known(distinct.texts, value.toString());
    case QMetaType::LongLong:
        return known(distinct.numbers, value.toLongLong());
    default:
        // Fractions and binary values are few and seldom repeat.
        return added();
    }
}

void Recordset::Fill::append(const QVariant &value)
{
    if (m_names.isEmpty())
        return;
    m_cells[m_next].append(indexOf(m_next, value));
    if (++m_next == m_names.size()) {
        m_next = 0;
        ++m_rows;
    }
}

Recordset Recordset::Fill::take()
{
    Recordset result;
    result.m_names = std::move(m_names);
    result.m_cells = std::move(m_cells);
    result.m_values = std::move(m_values);
    result.m_rowCount = m_rows;
    for (QVector<quint32> &cells : result.m_cells)
        cells.squeeze();
    for (QVector<QVariant> &values : result.m_values)
        values.squeeze();
    m_distinct.clear();
    return result;
}

void Recordset::moveNext()
{
    if (m_position < m_rowCount)
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
    return cell(m_position, index);
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
    if (row < 0 || row >= m_rowCount)
        noCurrentRecord();
    return cell(row, index);
}

QString Recordset::text(int row, const QString &field) const
{
    return text(row, checkedIndex(field));
}

QString Recordset::text(int row, int column) const
{
    if (row < 0 || row >= m_rowCount)
        noCurrentRecord();
    if (column < 0 || column >= m_names.size())
        return QString();
    const QVariant &v = cell(row, column);
    return v.isValid() ? v.toString() : QString();
}
