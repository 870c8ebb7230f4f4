#pragma once

#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class Connection;
class Recordset;

// One program table as a screen shows it: which stored row stands behind each
// place of the screen (a line, an area, a level cell, or the one place of a
// single-row table), and what the screen would write at each place as it was
// loaded. A save writes only what the user changed since then:
// - a changed place updates the changed columns of its own row, by the row's key;
// - a place filled anew inserts a row;
// - a place the user emptied deletes its row, unless the row still holds
//   something the screen does not show (then the shown columns are emptied);
// - an unchanged place writes nothing, so a save with no edit writes nothing.
// Rows the screen did not show (other learners and years, places the screen
// does not have, a second row for a place already shown) are never touched,
// nor are the columns the screen does not write.
class ShownRows
{
public:
    // A place's columns and the values its statements write, as SQL literals
    // (a quoted text through SqlText, a number, NULL, a #date#).
    using Values = QMap<QString, QString>;
    struct Place
    {
        Values values;
        // Whether the place holds anything worth a row (blank lines are not stored).
        bool holdsData = false;
    };
    using Places = QMap<int, Place>;

    // owner: the columns that tie a row to the learner (and the year) with their
    // values, written by every insert; learnerAndYear() for the program's tables.
    explicit ShownRows(const QString &table);
    // A host table without a key column: a row is known by its owner's values
    // and those of identity (columns every place writes and never changes).
    ShownRows(const QString &table, const QStringList &identity);

    static Values learnerAndYear();
    // A text as the statements write it: quoted, through SqlText.
    static QString quoted(const QString &text);
    // The same, but an empty text stays empty rather than one blank (a column
    // that has always been stored so).
    static QString quotedKeepingEmpty(const QString &text);
    static Values learnerOnly();

    // Loading: forget the rows shown before, then name the row each place shows.
    void clear();
    // False when the place shows a row already: the second row is a duplicate,
    // left in the store as it is and not shown.
    bool show(int place, qint64 id = 0);
    bool shows(int place) const { return m_ids.contains(place); }
    // A table of one row per learner and year: its one place shows the first
    // row read (the recordset's ID column), or none when nothing was read.
    static constexpr int OnlyPlace = 0;
    void showFirst(const Recordset &rs, const QString &idColumn = QStringLiteral("ID"));
    static Places onlyPlace(const Values &values, bool holdsData);

    // After the load filled the screen: what it would write at every place now.
    void loaded(const Places &onScreen);

    // In a save routine's transaction: writes the places that differ from what
    // was loaded. The new state takes effect with committed(), once the
    // routine's transaction has committed; a routine that failed leaves the
    // rows as they were loaded, so the next save tries the same changes again.
    void save(Connection &db, const Places &onScreen, const Values &owner);
    void committed();
    // Whether the last save wrote to the table (a screen then reads back only
    // what was written).
    bool wrote() const { return m_wrote; }

private:
    // The columns of the table that a place does not write and the owner does
    // not fill: what the screen does not show.
    QStringList unshownColumns(Connection &db, const Values &written, const Values &owner) const;
    // The condition that picks the row of a place holding values.
    QString rowCondition(int place, const Values &values, const Values &owner) const;
    qint64 insertRow(Connection &db, const Values &owner, const Values &values) const;
    // Throws when the row is gone: another program changed the learner's rows.
    void updateRow(Connection &db, const QString &condition, const Values &changed) const;
    // False when nothing was deleted: a column of mustBeEmpty holds something.
    bool deleteRow(Connection &db, const QString &condition, const QStringList &mustBeEmpty) const;

    QString m_table;
    QStringList m_identity;
    QHash<int, qint64> m_ids;
    Places m_loaded;

    bool m_pending = false;
    bool m_wrote = false;
    QHash<int, qint64> m_pendingIds;
    Places m_pendingLoaded;
};
