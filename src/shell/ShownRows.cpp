#include "ShownRows.h"

#include "AppState.h"
#include "Connection.h"
#include "Recordset.h"
#include "StoreError.h"
#include "TextRoutines.h"

#include <QStringList>

namespace {

QString assignments(const ShownRows::Values &values)
{
    QStringList parts;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        parts << QLatin1Char('[') + it.key() + QStringLiteral("] = ") + it.value();
    return parts.join(QStringLiteral(", "));
}

// The columns whose value differs between what was loaded and what is shown now.
ShownRows::Values changedValues(const ShownRows::Values &before, const ShownRows::Values &now)
{
    ShownRows::Values changed;
    for (auto it = now.constBegin(); it != now.constEnd(); ++it) {
        if (!before.contains(it.key()) || before.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    }
    return changed;
}

[[noreturn]] void rowGone(const QString &table)
{
    throw StoreError(StoreError::ItemNotFound,
                     QStringLiteral("A row of %1 shown on this screen was changed or removed by another program since "
                                    "the screen was opened, so nothing of it was saved. Close the screen and open it "
                                    "again to see the stored information.").arg(table));
}

} // namespace

ShownRows::ShownRows(const QString &table)
    : m_table(table)
{
}

ShownRows::ShownRows(const QString &table, const QStringList &identity)
    : m_table(table)
    , m_identity(identity)
{
}

ShownRows::Values ShownRows::learnerAndYear()
{
    return {{QStringLiteral("LearnerID"), learnerIdText()}, {QStringLiteral("Data_Year"), dataYearText()}};
}

QString ShownRows::quoted(const QString &text)
{
    return QLatin1Char('\'') + SqlText(text) + QLatin1Char('\'');
}

QString ShownRows::quotedKeepingEmpty(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("''") : quoted(text);
}

ShownRows::Values ShownRows::learnerOnly()
{
    return {{QStringLiteral("LearnerID"), learnerIdText()}};
}

void ShownRows::clear()
{
    m_ids.clear();
    m_loaded.clear();
    m_pending = false;
}

bool ShownRows::show(int place, qint64 id)
{
    if (m_ids.contains(place))
        return false;
    m_ids.insert(place, id);
    return true;
}

void ShownRows::showFirst(const Recordset &rs, const QString &idColumn)
{
    clear();
    const QVariant id = rs.isEmpty() ? QVariant() : rs.value(0, idColumn);
    if (id.isValid() && !id.isNull())
        show(OnlyPlace, id.toLongLong());
}

ShownRows::Places ShownRows::onlyPlace(const Values &values, bool holdsData)
{
    return {{OnlyPlace, Place{values, holdsData}}};
}

void ShownRows::loaded(const Places &onScreen)
{
    m_loaded = onScreen;
    m_pending = false;
}

QStringList ShownRows::unshownColumns(Connection &db, const Values &written, const Values &owner) const
{
    QStringList columns;
    for (const QString &column : db.columnNames(m_table)) {
        const auto named = [&column](const Values &values) {
            for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
                if (it.key().compare(column, Qt::CaseInsensitive) == 0)
                    return true;
            }
            return false;
        };
        if ((!m_identity.isEmpty() || column.compare(QLatin1String("ID"), Qt::CaseInsensitive) != 0) && !named(written)
            && !named(owner))
            columns << column;
    }
    return columns;
}

void ShownRows::save(Connection &db, const Places &onScreen, const Values &owner)
{
    m_pendingIds = m_ids;
    m_pendingLoaded = m_loaded;
    m_wrote = false;
    for (auto it = onScreen.constBegin(); it != onScreen.constEnd(); ++it) {
        const int place = it.key();
        const Place &now = it.value();
        const Place before = m_loaded.value(place);
        const Values changed = changedValues(before.values, now.values);
        m_pendingLoaded.insert(place, now);
        if (changed.isEmpty() && before.holdsData == now.holdsData)
            continue;
        m_wrote = true;
        if (!m_ids.contains(place)) {
            if (now.holdsData)
                m_pendingIds.insert(place, insertRow(db, owner, now.values));
            continue;
        }
        const QString row = rowCondition(place, now.values, owner);
        // Emptied: the row goes, unless it holds what this screen does not
        // show; then only the shown columns are emptied.
        if (!now.holdsData && deleteRow(db, row, unshownColumns(db, now.values, owner)))
            m_pendingIds.remove(place);
        else if (!changed.isEmpty())
            updateRow(db, row, changed);
    }
    // A place the screen no longer has (a line removed from a list) takes its row with it.
    for (auto it = m_ids.constBegin(); it != m_ids.constEnd(); ++it) {
        if (onScreen.contains(it.key()))
            continue;
        m_wrote = true;
        deleteRow(db, rowCondition(it.key(), m_loaded.value(it.key()).values, owner), {});
        m_pendingIds.remove(it.key());
        m_pendingLoaded.remove(it.key());
    }
    m_pending = true;
}

qint64 ShownRows::insertRow(Connection &db, const Values &owner, const Values &values) const
{
    Values row = owner;
    row.insert(values);
    QStringList columns;
    for (auto it = row.constBegin(); it != row.constEnd(); ++it)
        columns << QLatin1Char('[') + it.key() + QLatin1Char(']');
    db.execute(QStringLiteral("INSERT INTO ") + m_table + QStringLiteral(" (") + columns.join(QStringLiteral(", "))
               + QStringLiteral(") VALUES (") + QStringList(row.values()).join(QStringLiteral(", ")) + QStringLiteral(")"));
    return m_identity.isEmpty() ? db.lastInsertId() : 0;
}

QString ShownRows::rowCondition(int place, const Values &values, const Values &owner) const
{
    if (m_identity.isEmpty())
        return QStringLiteral(" WHERE ID = ") + QString::number(m_ids.value(place));
    QStringList parts;
    for (auto it = owner.constBegin(); it != owner.constEnd(); ++it)
        parts << QLatin1Char('[') + it.key() + QStringLiteral("] = ") + it.value();
    for (const QString &column : m_identity)
        parts << QLatin1Char('[') + column + QStringLiteral("] = ") + values.value(column);
    return QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
}

void ShownRows::updateRow(Connection &db, const QString &condition, const Values &changed) const
{
    if (db.execute(QStringLiteral("UPDATE ") + m_table + QStringLiteral(" SET ") + assignments(changed) + condition) == 0)
        rowGone(m_table);
}

bool ShownRows::deleteRow(Connection &db, const QString &condition, const QStringList &mustBeEmpty) const
{
    QString where = condition;
    for (const QString &column : mustBeEmpty)
        where += QStringLiteral(" AND Trim([") + column + QStringLiteral("] & '') = ''");
    return db.execute(QStringLiteral("DELETE FROM ") + m_table + where) > 0;
}

void ShownRows::committed()
{
    if (!m_pending)
        return;
    m_ids = m_pendingIds;
    m_loaded = m_pendingLoaded;
    m_pending = false;
}
