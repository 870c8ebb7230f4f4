// What a screen's save writes: only what changed since the load, by the
// row's own key, never a row or a column the screen did not show.
#include "AppState.h"
#include "Connection.h"
#include "ShownRows.h"
#include "StoreError.h"
#include "TestStore.h"

#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int Learner = 7;
constexpr int Year = 2014;
const QString Strategy = u"SNE_DBST_Support_Strategy"_s;

// A strategy line as the page writes it: its slot and two of its texts.
ShownRows::Place line(int slot, const QString &needed, const QString &steps)
{
    return {{{u"Support_Area"_s, QString::number(slot)},
             {u"Support_Needed"_s, ShownRows::quoted(needed)},
             {u"School_Steps"_s, ShownRows::quoted(steps)}},
            !(needed + steps).trimmed().isEmpty()};
}

} // namespace

class TestShownRows : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestStore> m_store;

    // Reads the learner's lines as a screen does: the first row of a slot is shown.
    ShownRows loadLines(ShownRows::Places shown)
    {
        ShownRows rows(Strategy);
        std::unique_ptr<Connection> db = m_store->connect();
        Recordset rs = db->query(u"SELECT ID, Support_Area FROM SNE_DBST_Support_Strategy WHERE LearnerID = %1 "
                                  "AND Data_Year = %2 ORDER BY Support_Area, ID"_s.arg(Learner).arg(Year));
        for (; !rs.eof(); rs.moveNext())
            rows.show(rs.value(u"Support_Area"_s).toInt(), rs.value(u"ID"_s).toLongLong());
        rows.loaded(shown);
        return rows;
    }

    // One save in its own transaction, committed (and taken as stored) or not.
    void save(ShownRows &rows, const ShownRows::Places &places, bool commit = true)
    {
        std::unique_ptr<Connection> db = m_store->connect();
        Transaction transaction(*db);
        rows.save(*db, places, ShownRows::learnerAndYear());
        if (commit) {
            transaction.commit();
            rows.committed();
        }
    }

    QString stored(int id, const QString &column) const
    {
        return m_store->scalar(u"SELECT %1 FROM SNE_DBST_Support_Strategy WHERE ID = %2"_s.arg(column).arg(id)).toString();
    }

private Q_SLOTS:
    void init()
    {
        resetAppState();
        m_store = std::make_unique<TestStore>(false, true);
        appState().CurrentLearnerID = Learner;
        appState().CurrentDataYear = Year;
        // Slot 1 with outcomes the page does not show, slot 2 without, a
        // second row in slot 2, and another year's row in slot 1.
        m_store->exec(
            u"INSERT INTO SNE_DBST_Support_Strategy (ID, LearnerID, Data_Year, Support_Area, Support_Needed, School_Steps, "
             "School_Outcome, Designation) VALUES "
             "(11, 7, 2014, 1, 'Reader', 'Weekly', 'Reads alone', 'LSE'), "
             "(12, 7, 2014, 2, 'Ramp', 'Build', NULL, NULL), "
             "(13, 7, 2014, 2, 'Ramp again', 'Twice', NULL, NULL), "
             "(14, 7, 2015, 1, 'Next year', 'Later', 'Kept', NULL)"_s);
    }

    void cleanup() { m_store.reset(); }

    void saveWithoutEditWritesNothing()
    {
        const ShownRows::Places shown{{1, line(1, u"Reader"_s, u"Weekly"_s)},
                                      {2, line(2, u"Ramp"_s, u"Build"_s)},
                                      {3, line(3, QString(), QString())}};
        ShownRows rows = loadLines(shown);
        const QByteArray before = m_store->fileHash();
        save(rows, shown);
        QCOMPARE(m_store->fileHash(), before);
    }

    void editUpdatesOnlyTheEditedColumnOfItsRow()
    {
        const ShownRows::Places loaded{{1, line(1, u"Reader"_s, u"Weekly"_s)},
                                       {2, line(2, u"Ramp"_s, u"Build"_s)}};
        ShownRows rows = loadLines(loaded);
        ShownRows::Places edited = loaded;
        edited[1] = line(1, u"Reader"_s, u"Daily, it's \"agreed\""_s);
        save(rows, edited);
        QCOMPARE(stored(11, u"School_Steps"_s), u"Daily, it's \"agreed\""_s);
        QCOMPARE(stored(11, u"Support_Needed"_s), u"Reader"_s);
        QCOMPARE(stored(11, u"School_Outcome"_s), u"Reads alone"_s);
        QCOMPARE(stored(11, u"Designation"_s), u"LSE"_s);
        QCOMPARE(m_store->count(Strategy), 4);
        QCOMPARE(stored(13, u"Support_Needed"_s), u"Ramp again"_s);
        QCOMPARE(stored(14, u"School_Steps"_s), u"Later"_s);
    }

    void emptiedLineGoesUnlessItHoldsWhatIsNotShown()
    {
        const ShownRows::Places loaded{{1, line(1, u"Reader"_s, u"Weekly"_s)},
                                       {2, line(2, u"Ramp"_s, u"Build"_s)}};
        ShownRows rows = loadLines(loaded);
        save(rows, {{1, line(1, QString(), QString())}, {2, line(2, QString(), QString())}});
        // Slot 2's row held nothing else: gone. Its duplicate is not the page's to remove.
        QCOMPARE(m_store->count(Strategy, u"ID = 12"_s), 0);
        QCOMPARE(m_store->count(Strategy, u"ID = 13"_s), 1);
        // Slot 1's row keeps its outcome; what the page showed is emptied.
        QCOMPARE(stored(11, u"School_Outcome"_s), u"Reads alone"_s);
        QCOMPARE(stored(11, u"Support_Needed"_s), u" "_s);
        QCOMPARE(stored(14, u"Support_Needed"_s), u"Next year"_s);
    }

    void newLineIsInsertedOnceThenUpdated()
    {
        ShownRows rows = loadLines({{5, line(5, QString(), QString())}});
        save(rows, {{5, line(5, u"Counsellor"_s, u"Book"_s)}});
        QCOMPARE(m_store->count(Strategy, u"Support_Area = 5 AND LearnerID = 7 AND Data_Year = 2014 "
                                           "AND Support_Needed = 'Counsellor'"_s), 1);
        save(rows, {{5, line(5, u"Counsellor"_s, u"Booked"_s)}});
        QCOMPARE(m_store->count(Strategy, u"Support_Area = 5"_s), 1);
        QCOMPARE(m_store->scalar(u"SELECT School_Steps FROM SNE_DBST_Support_Strategy WHERE Support_Area = 5"_s).toString(),
                 u"Booked"_s);
    }

    // A routine whose transaction did not commit wrote nothing: the next save
    // writes the same changes again, and the row is not inserted twice.
    void saveThatDidNotCommitIsRepeated()
    {
        ShownRows rows = loadLines({{5, line(5, QString(), QString())}});
        const ShownRows::Places typed{{5, line(5, u"Counsellor"_s, u"Book"_s)}};
        save(rows, typed, false);
        QCOMPARE(m_store->count(Strategy, u"Support_Area = 5"_s), 0);
        save(rows, typed);
        save(rows, typed);
        QCOMPARE(m_store->count(Strategy, u"Support_Area = 5"_s), 1);
    }

    void placeNoLongerShownTakesItsRow()
    {
        ShownRows rows = loadLines({{1, line(1, u"Reader"_s, u"Weekly"_s)}, {2, line(2, u"Ramp"_s, u"Build"_s)}});
        save(rows, {{1, line(1, u"Reader"_s, u"Weekly"_s)}});
        QCOMPARE(m_store->count(Strategy, u"ID IN (11, 13, 14)"_s), 3);
        QCOMPARE(m_store->count(Strategy, u"ID = 12"_s), 0);
    }

    void rowRemovedByAnotherProgramFailsTheSave()
    {
        ShownRows rows = loadLines({{2, line(2, u"Ramp"_s, u"Build"_s)}});
        m_store->exec(u"DELETE FROM SNE_DBST_Support_Strategy WHERE ID = 12"_s);
        const QString before = m_store->dump(Strategy);
        std::unique_ptr<Connection> db = m_store->connect();
        Transaction transaction(*db);
        QVERIFY_THROWS_EXCEPTION(StoreError, rows.save(*db, {{2, line(2, u"Ramp"_s, u"Rebuild"_s)}},
                                                       ShownRows::learnerAndYear()));
        QCOMPARE(m_store->dump(Strategy), before);
    }

    // The host's additional disabilities have no key column: a row is known
    // by its learner and disability.
    void keylessTableIsWrittenByItsIdentity()
    {
        m_store->exec(u"INSERT INTO MultipleDisabilities (LearnerID, DisabilityID, Knumber, Testdate) VALUES "
                       "(7, 3, 'K1', '2014-02-01'), (7, 4, 'K1', '2014-02-01'), (8, 3, 'K9', '2013-01-01')"_s);
        const auto row = [](int code, bool ticked, const QString &k) {
            return ShownRows::Place{{{u"DisabilityID"_s, QString::number(code)},
                                     {u"Knumber"_s, ShownRows::quoted(k)},
                                     {u"Testdate"_s, ShownRows::quoted(u"2014-02-01"_s)}},
                                    ticked};
        };
        ShownRows rows(u"MultipleDisabilities"_s, {u"DisabilityID"_s});
        rows.show(3);
        rows.show(4);
        rows.loaded({{3, row(3, true, u"K1"_s)}, {4, row(4, true, u"K1"_s)}, {5, row(5, false, u"K1"_s)}});
        std::unique_ptr<Connection> db = m_store->connect();
        {
            Transaction transaction(*db);
            rows.save(*db, {{3, row(3, true, u"K2"_s)}, {4, row(4, false, u"K2"_s)}, {5, row(5, true, u"K2"_s)}},
                      ShownRows::learnerOnly());
            transaction.commit();
        }
        QCOMPARE(m_store->scalar(u"SELECT group_concat(DisabilityID || ':' || Knumber || ':' || COALESCE(Testdate, '-'), ' ') "
                                  "FROM (SELECT * FROM MultipleDisabilities ORDER BY LearnerID, DisabilityID)"_s).toString(),
                 u"3:K2:2014-02-01 5:K2:2014-02-01 3:K9:2013-01-01"_s);
    }
};

QTEST_MAIN(TestShownRows)
#include "tst_shownrows.moc"
