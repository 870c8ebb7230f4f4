// What every registered section screen must do, whatever it shows: open
// without a word, never save after a load that failed, report one failure
// once naming its routine, roll back a failing save routine and withhold the
// confirmation, keep stored texts whole, keep every stored row it did not
// edit and change only what was edited, print its header, and leave without
// a question when nothing was edited. Screens registered later are covered
// the day they are. The additional-disabilities window loads and saves as the
// screens do and is held to the same rules, all but the grid and paper ones.
#include "EveryScreen.h"
#include "MultipleDisabilities.h"
#include "../sections/ScreenTestKit.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include <map>
#include <memory>

namespace {

constexpr int Year = 2014;

const QString Saved = QStringLiteral("Your Information has been saved.");
const QString AdditionalDisabilities = QStringLiteral("frmMultipleDisabilities");

// The lines of two dumps that are not in both, each counted as often as it
// is in one more than in the other.
struct Difference
{
    QStringList removed;
    QStringList added;

    Difference(const QString &before, const QString &after)
    {
        QHash<QString, int> count;
        for (const QString &line : before.split(QLatin1Char('\n')))
            ++count[line];
        for (const QString &line : after.split(QLatin1Char('\n')))
            --count[line];
        for (auto it = count.constBegin(); it != count.constEnd(); ++it)
            for (int n = 0; n < qAbs(it.value()); ++n)
                (it.value() > 0 ? removed : added) << it.key();
        removed.sort();
        added.sort();
    }
    bool isEmpty() const { return removed.isEmpty() && added.isEmpty(); }

    // Takes out the rows of table that stayed the same row and changed in
    // column alone, each to the value newValue(row) gives; false when one
    // changed otherwise.
    bool acceptChanged(const QString &table, const QString &column, const std::function<QString(const QString &)> &newValue)
    {
        const QString head = table + QStringLiteral(" #");
        const QString prefix = column + QLatin1Char('=');
        for (int r = int(removed.size()) - 1; r >= 0; --r) {
            if (!removed[r].startsWith(head))
                continue;
            const QStringList was = removed[r].split(QLatin1Char('\t'));
            const int a = int(std::find_if(added.cbegin(), added.cend(), [&](const QString &line) {
                              return line.split(QLatin1Char('\t')).first() == was.first();
                          }) - added.cbegin());
            if (a == added.size())
                return false;
            const QStringList is = added[a].split(QLatin1Char('\t'));
            for (int i = 1; i < is.size(); ++i) {
                const bool expected = is[i].startsWith(prefix) ? is[i] == prefix + newValue(added[a]) : is[i] == was[i];
                if (!expected)
                    return false;
            }
            removed.removeAt(r);
            added.removeAt(a);
        }
        return true;
    }
    // The first few lines of each side, shortened, for a failure message.
    QString describe() const
    {
        const auto some = [](const QStringList &lines) {
            QStringList out;
            for (const QString &line : lines.mid(0, 4))
                out << line.left(400);
            return out.join(QLatin1Char('\n')) + (lines.size() > 4 ? QStringLiteral("\n... %1 in all").arg(lines.size()) : QString());
        };
        return QStringLiteral("\nbefore:\n%1\nafter:\n%2").arg(some(removed), some(added));
    }
};

// A window the user saves from, opened and loaded: a registered section
// screen, or the additional-disabilities window Section 1 opens over the learner.
std::unique_ptr<StoreScreen> openWindow(const QString &name)
{
    if (name == AdditionalDisabilities) {
        auto disabilities = std::make_unique<frmMultipleDisabilities>();
        disabilities->setPrimary(QStringLiteral("Visual impairment"));
        disabilities->loadData();
        return disabilities;
    }
    return kit::opened(name);
}

// Every value the window shows changed: each stored cell, each tick.
int editEveryValue(StoreScreen &window)
{
    int changes = kit::editEveryStoredCell(window);
    for (QTreeWidget *list : window.findChildren<QTreeWidget *>())
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QTreeWidgetItem *item = list->topLevelItem(i);
            if (!(item->flags() & Qt::ItemIsUserCheckable))
                continue;
            item->setCheckState(0, item->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
            ++changes;
        }
    return changes;
}

// A cell of a grid of the window: the first showing text, or with no text
// given the first the user can type a text into that shows a stored text.
struct TypeableCell
{
    grid::SpreadGrid *grid = nullptr;
    int col = 0;
    int row = 0;
};

TypeableCell findCell(const QWidget &window, const QString &text = QString())
{
    for (grid::SpreadGrid *g : window.findChildren<grid::SpreadGrid *>()) {
        const grid::SpreadModel &cells = g->cells();
        for (int row = 1; row <= cells.maxRows(); ++row)
            for (int col = 1; col <= cells.maxCols(); ++col) {
                const grid::CellSpec &cell = cells.cell(col, row);
                if (text.isEmpty() ? cell.type == grid::CellType::Edit && !cell.locked && !cell.text.isEmpty()
                            && !cells.isColHidden(col) && cells.spanAt(col, row).topLeft() == QPoint(col, row)
                                   : cell.text == text)
                    return {g, col, row};
            }
    }
    return {};
}

QStringList dataTables(TestStore &store)
{
    QStringList tables;
    std::unique_ptr<Connection> connection = store.connect();
    Recordset rs = connection->query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                                    "name LIKE 'SNE_%' AND name NOT LIKE 'SNE_lu_%' ORDER BY name"));
    for (; !rs.eof(); rs.moveNext())
        tables << rs.text(QStringLiteral("name"));
    return tables + QStringList{QStringLiteral("Learner_Info"), QStringLiteral("Disabilities"),
                                QStringLiteral("MultipleDisabilities"), QStringLiteral("SchoolGrades")};
}

// The store held whole by another program, or renamed away, while this lives.
struct Unreachable
{
    const TestStore &store;
    const bool locked;
    std::unique_ptr<Connection> other;
    Unreachable(const TestStore &s, bool l) : store(s), locked(l)
    {
        if (locked)
            other = store.lockedByAnotherProgram();
        else
            QFile::rename(store.path(), store.path() + QStringLiteral(".away"));
    }
    ~Unreachable()
    {
        if (!locked)
            QFile::rename(store.path() + QStringLiteral(".away"), store.path());
    }
};

bool isErrorReport(const MessageBoxCall &call, const QString &location)
{
    return call.title.startsWith(QStringLiteral("Error : ")) && call.text.contains(QStringLiteral("Location: ") + location);
}

} // namespace

class TestConformance : public QObject
{
    Q_OBJECT

private:
    // The school with a full learner, built once per kind of texts and
    // copied for every case: a full learner is thousands of rows.
    struct FullSchool
    {
        std::unique_ptr<TestStore> store;
        int learner = 0;
    };
    std::map<TestStore::StoredTexts, FullSchool> m_fullSchools;
    std::unique_ptr<TestStore> m_store;
    int m_learner = 0;

    // A fresh copy of the school whose full learner's texts are texts, the
    // learner picked.
    void openFullLearner(TestStore::StoredTexts texts = TestStore::StoredTexts::Awkward)
    {
        FullSchool &school = m_fullSchools[texts];
        if (!school.store) {
            school.store = std::make_unique<TestStore>(true, true);
            school.learner = school.store->addFullLearner(Year, texts);
        }
        m_store.reset();
        m_store = std::make_unique<TestStore>(school.store->path());
        m_learner = school.learner;
        m_store->pickLearner(m_learner, Year);
        appState().EmisCode = QStringLiteral("500123456");
    }

    // The screens this run covers: every registered screen, or every n-th
    // from the k-th when SNA_SHARD=k/n says the suite runs as n programs
    // side by side.
    static QStringList screensOfThisRun(const QStringList &names)
    {
        const QList<QByteArray> shard = qgetenv("SNA_SHARD").split('/');
        const int count = shard.size() == 2 ? shard[1].toInt() : 1;
        if (count <= 1)
            return names;
        QStringList chosen;
        for (int i = shard[0].toInt(); i < names.size(); i += count)
            chosen << names[i];
        return chosen;
    }

    // The registered screens, and with savingWindows the additional-disabilities window too.
    static void addScreens(bool savingWindows = false)
    {
        QTest::addColumn<QString>("screen");
        for (const QString &name : screensOfThisRun(QStringList(ScreenRegistry::instance().names())
                                                    << (savingWindows ? QStringList{AdditionalDisabilities} : QStringList{})))
            QTest::newRow(qPrintable(name)) << name;
    }
    static void addSavingWindows() { addScreens(true); }

    // The screen could not read, said so once, and cannot save: nothing the
    // user does afterwards writes anything.
    void verifyFailedLoad(StoreScreen &screen, const MessageRecorder &boxes)
    {
        QVERIFY(!screen.loadCompleted());
        QCOMPARE(boxes.count(), 1);
        QVERIFY2(boxes.last().title.startsWith(QStringLiteral("Error : ")), qPrintable(boxes.last().title));
        QVERIFY(!boxes.sawText(QStringLiteral("Operation is not allowed when the object is closed.")));
        QVERIFY(!screen.saveButton()->isEnabled());
        QVERIFY(screen.findChild<QLabel *>(QStringLiteral("lblLoadFailed"))->isVisibleTo(&screen));
        screen.markChanged();
        QVERIFY(!screen.save());
        QCOMPARE(boxes.count(), 1);
    }

    // A learner of its own for the cases below, whose rows each case stores.
    int keptLearner()
    {
        const int learner = m_store->addLearner(QStringLiteral("Keep"), QStringLiteral("Kim"));
        m_store->pickLearner(learner, Year);
        return learner;
    }

    // Opens the screen, lets edit change it, saves, and says whether the save
    // completed with its confirmation.
    bool openEditSave(const QString &name, const std::function<void(SectionScreen &)> &edit = {})
    {
        MessageRecorder boxes;
        std::unique_ptr<SectionScreen> opened = kit::opened(name);
        if (!opened->loadCompleted())
            return false;
        opened->markChanged();
        if (edit)
            edit(*opened);
        return opened->save() && boxes.count() == 1 && boxes.last().text == Saved;
    }

    QString stored(const QString &sql) const { return m_store->scalar(sql).toString(); }

private Q_SLOTS:
    void initTestCase()
    {
        registerEveryScreen(ScreenRegistry::instance());
        QVERIFY(!ScreenRegistry::instance().names().isEmpty());
    }

    void init()
    {
        resetAppState();
        openFullLearner();
    }

    void cleanup()
    {
        PrinterChoice::setChooser({});
        m_store.reset();
    }

    void opensWithoutAWord_data() { addSavingWindows(); }
    void opensWithoutAWord()
    {
        QFETCH(QString, screen);
        for (bool full : {false, true}) {
            const int learner = full ? m_learner : m_store->addLearner(QStringLiteral("Empty"), QStringLiteral("Ella"));
            m_store->pickLearner(learner, Year);
            MessageRecorder boxes;
            std::unique_ptr<StoreScreen> opened = openWindow(screen);
            QVERIFY2(boxes.count() == 0, qPrintable(boxes.texts().join(QStringLiteral(" / "))));
            QVERIFY(opened->loadCompleted());
            QVERIFY(opened->saveButton()->isEnabled());
            QVERIFY(!opened->hasUnsavedChanges());
            // Nothing edited: leaving (Escape, Main Menu, Done) asks nothing.
            opened->reject();
            QCOMPARE(boxes.count(), 0);
        }
    }

    void unreadableTableMeansNoSave_data() { addSavingWindows(); }
    void unreadableTableMeansNoSave()
    {
        QFETCH(QString, screen);
        const QString before = m_store->dump();
        int failedLoads = 0;
        for (const QString &table : dataTables(*m_store)) {
            m_store->failReadsFrom(table);
            {
                MessageRecorder boxes;
                std::unique_ptr<StoreScreen> opened = openWindow(screen);
                if (opened->loadCompleted()) {
                    QCOMPARE(boxes.count(), 0);   // a table the screen does not read
                } else {
                    ++failedLoads;
                    verifyFailedLoad(*opened, boxes);
                    QVERIFY(isErrorReport(boxes.last(), screen));
                }
            }
            m_store->allowReadsFrom(table);
        }
        QCOMPARE(m_store->dump(), before);
        QVERIFY2(failedLoads > 0, "the screen reads no table");
    }

    void unreachableStoreDuringLoad_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("locked");
        for (const QString &name : screensOfThisRun(QStringList(ScreenRegistry::instance().names()) << AdditionalDisabilities)) {
            QTest::newRow(qPrintable(name + QStringLiteral(" locked"))) << name << true;
            QTest::newRow(qPrintable(name + QStringLiteral(" renamed away"))) << name << false;
        }
    }
    void unreachableStoreDuringLoad()
    {
        QFETCH(QString, screen);
        QFETCH(bool, locked);
        const QString before = m_store->dump();
        {
            const Unreachable away(*m_store, locked);
            MessageRecorder boxes;
            std::unique_ptr<StoreScreen> opened = openWindow(screen);
            verifyFailedLoad(*opened, boxes);
            QVERIFY(boxes.sawText(locked ? QStringLiteral("database is locked") : QStringLiteral("Could not find file")));
            QCOMPARE(QFile::exists(m_store->path()), locked);   // a vanished store is not made anew
        }
        QCOMPARE(m_store->dump(), before);
    }

    void unreachableStoreDuringSave_data() { unreachableStoreDuringLoad_data(); }
    void unreachableStoreDuringSave()
    {
        QFETCH(QString, screen);
        QFETCH(bool, locked);
        MessageRecorder boxes;
        std::unique_ptr<StoreScreen> opened = openWindow(screen);
        QVERIFY(opened->loadCompleted());
        const QString before = m_store->dump();
        QVERIFY(editEveryValue(*opened) > 0);   // so the save has something to write
        const int shown = boxes.count();
        {
            const Unreachable away(*m_store, locked);
            QVERIFY(!opened->save());
        }
        // One report with the real reason, no confirmation, still unsaved.
        QCOMPARE(boxes.count(), shown + 1);
        QVERIFY(boxes.last().title.startsWith(QStringLiteral("Error : ")));
        QVERIFY(boxes.sawText(locked ? QStringLiteral("database is locked") : QStringLiteral("Could not find file")));
        QVERIFY(opened->hasUnsavedChanges());
        QCOMPARE(m_store->dump(), before);
    }

    void refusedWriteRollsBackItsRoutine_data() { addSavingWindows(); }
    void refusedWriteRollsBackItsRoutine()
    {
        QFETCH(QString, screen);
        // A full learner with every shown value changed, so every save
        // routine has something to write.
        openFullLearner(TestStore::StoredTexts::Plain);
        static const QHash<QString, QString> routines{
            {QStringLiteral("frmBackgroundInfo|SNE_Learner_Background_Info"), QStringLiteral("saveBackgroundInfo Routine")},
            {QStringLiteral("frmHealthReport|SNE_Health_Professional_Report"), QStringLiteral("saveMedicalRecord Routine")},
            {QStringLiteral("frmCriteriaSelection1|SNE_Criteria_For_Selection"), QStringLiteral("saveScores Routine")},
            {QStringLiteral("frmExtendedProfile1|SNE_Learning_And_Development_Barriers"), QStringLiteral("saveLearning_Barrier Routine")},
            {QStringLiteral("frmExtendedProfile2|SNE_Factors_School"), QStringLiteral("saveData Routine")},
            {QStringLiteral("frmAssessment_Support_Reg1|SNE_Assessment_Supp_Req"), QStringLiteral("saveAreaLevels Routine")},
            {QStringLiteral("frmAssessment_Support_Reg4|SNE_Assessment_Supp_Req_Rating"), QStringLiteral("saveFinalRating Routine")},
            {QStringLiteral("frmActionPlan3|SNE_Action_Review"), QStringLiteral("saveActionReview Routine")}};
        int refusedSaves = 0;
        for (const QString &table : dataTables(*m_store)) {
            std::unique_ptr<StoreScreen> opened = openWindow(screen);
            QVERIFY(opened->loadCompleted());
            QVERIFY(editEveryValue(*opened) > 0);
            MessageRecorder boxes;
            const QStringList operations{QStringLiteral("INSERT"), QStringLiteral("UPDATE"), QStringLiteral("DELETE")};
            for (const QString &operation : operations)
                m_store->failWritesTo(table, operation);
            const QString before = m_store->dump(table);
            const bool saved = opened->save();
            for (const QString &operation : operations)
                m_store->allowWritesTo(table, operation);
            const QString routine = routines.value(screen + QLatin1Char('|') + table);
            QVERIFY2(!saved || routine.isEmpty(), qPrintable(routine));
            if (saved) {
                // The screen does not write to this table (the
                // additional-disabilities window words its confirmation with a capital).
                QCOMPARE(boxes.count(), 1);
                QVERIFY2(boxes.last().text.compare(Saved, Qt::CaseInsensitive) == 0, qPrintable(boxes.last().text));
                continue;
            }
            ++refusedSaves;
            QVERIFY(!boxes.sawText(Saved));
            QVERIFY(boxes.count() >= 1);
            // The one report of a refused save names the routine that failed.
            if (!routine.isEmpty()) {
                QCOMPARE(boxes.count(), 1);
                QVERIFY2(boxes.last().text.contains(QStringLiteral("Procedure: ") + routine), qPrintable(boxes.last().text));
            }
            for (const MessageBoxCall &call : boxes.calls())
                QVERIFY2(isErrorReport(call, screen), qPrintable(call.title + call.text));
            QVERIFY(opened->hasUnsavedChanges());
            // The refused table is as it was: its routine rolled back.
            QCOMPARE(m_store->dump(table), before);
        }
        QVERIFY2(refusedSaves > 0, "the screen writes to no table");
    }

    // Texts longer than any cell (5,000 characters of apostrophes, line
    // breaks and characters outside the basic plane) are never cut or split.
    void storedTextsSurviveASave_data() { addScreens(); }
    void storedTextsSurviveASave()
    {
        QFETCH(QString, screen);
        openFullLearner(TestStore::StoredTexts::Plain);
        // Every text of the data tables longer than longerThan, with its table and column.
        const auto eachText = [this](int longerThan, const std::function<void(const QString &, const QString &, const QString &)> &use) {
            std::unique_ptr<Connection> connection = m_store->connect();
            for (const QString &table : dataTables(*m_store))
                for (Recordset columns = connection->query(QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(table));
                     !columns.eof(); columns.moveNext()) {
                    const QString column = columns.text(QStringLiteral("name"));
                    for (Recordset rows = connection->query(QStringLiteral("SELECT [%1] AS t FROM [%2] WHERE typeof([%1]) = 'text' "
                                                                           "AND length([%1]) > %3").arg(column, table).arg(longerThan));
                         !rows.eof(); rows.moveNext())
                        use(table, column, rows.text(QStringLiteral("t")));
                }
        };
        // Each long text by its table and opening words (its column and line).
        QHash<QString, QString> stored;
        eachText(255, [&](const QString &table, const QString &, const QString &text) { stored.insert(table + QLatin1Char('|') + text.left(60), text); });
        MessageRecorder boxes;
        std::unique_ptr<SectionScreen> opened = kit::opened(screen);
        QVERIFY(opened->loadCompleted());
        QVERIFY(kit::editEveryStoredCell(*opened) > 0);   // edits elsewhere on the screen
        QVERIFY(opened->save());
        // Texts that were cut, lost a character pair's half or a line break
        // would come back shorter or different under the same opening words.
        int whole = 0;
        QStringList changed;
        eachText(-1, [&](const QString &table, const QString &column, const QString &text) {
            const QString key = table + QLatin1Char('|') + text.left(60);
            if (stored.contains(key)) {
                ++whole;
                if (text != stored.value(key))
                    changed << table + QLatin1Char('.') + column + QStringLiteral(": ") + text.left(80);
            }
        });
        QVERIFY2(changed.isEmpty(), qPrintable(changed.join(QLatin1Char('\n'))));
        QVERIFY(whole > 0);
    }

    // Opening a window on a learner with every column filled and saving it
    // without an edit leaves every stored row as it was: columns it does not
    // show, lines outside its range, duplicates, values it cannot show as
    // stored ('Yes' for yes, 'P/T', a site of 7), texts with a NUL inside or
    // a leading U+FEFF, and the rows of other years and learners.
    void loadThenSaveKeepsEveryRow_data() { addSavingWindows(); }
    void loadThenSaveKeepsEveryRow()
    {
        QFETCH(QString, screen);
        const QString before = m_store->dump();
        MessageRecorder boxes;
        std::unique_ptr<StoreScreen> window = openWindow(screen);
        QVERIFY(window->loadCompleted());
        window->markChanged();
        QVERIFY2(window->save(), qPrintable(boxes.texts().join(QStringLiteral(" / "))));
        QCOMPARE(boxes.count(), 1);
        // The additional-disabilities window words its confirmation with a capital.
        QVERIFY2(boxes.last().text.compare(Saved, Qt::CaseInsensitive) == 0, qPrintable(boxes.last().text));
        Difference difference(before, m_store->dump());
        if (screen == QLatin1String("frmAssessment_Support_Reg4")) {
            // The one value a save works out for itself: the last rating page
            // stores each area's overall rating as its levels give it (the
            // rating the page shows), so a rating the fixture stored that does
            // not follow the levels is put right, in its own row, alone.
            const grid::SpreadGrid *levels = kit::gridOf(*window, "gridAreaLevel");
            QVERIFY(difference.acceptChanged(QStringLiteral("SNE_Assessment_Supp_Req_Rating"), QStringLiteral("Rating"),
                                             [&](const QString &row) {
                                                 const int area = row.section(QStringLiteral("Support_Area="), 1).section(QLatin1Char('\t'), 0, 0).toInt();
                                                 return levels->cells().text(area + 1, 21);
                                             }));
        }
        QVERIFY2(difference.isEmpty(), qPrintable(difference.describe()));
    }

    // A text typed over one stored text changes that one column of its own
    // row, and nothing else in the store.
    void editChangesOnlyWhatItEdits_data() { loadThenSaveKeepsEveryRow_data(); }
    void editChangesOnlyWhatItEdits()
    {
        QFETCH(QString, screen);
        if (screen == AdditionalDisabilities)
            QSKIP("its one text, the K number, is the learner's and stands on every row of the learner");
        MessageRecorder boxes;
        std::unique_ptr<StoreScreen> window = openWindow(screen);
        QVERIFY(window->loadCompleted());
        const TypeableCell cell = findCell(*window);
        if (!cell.grid)
            QSKIP("the screen shows no stored text the user can type over (only choices)");
        const QString before = m_store->dump();
        QVERIFY(kit::type(cell.grid, cell.col, cell.row, QStringLiteral("Typed over")));
        const QString typed = cell.grid->cells().text(cell.col, cell.row);
        QVERIFY(window->save());
        QCOMPARE(boxes.last().text, Saved);

        const Difference difference(before, m_store->dump());
        QVERIFY2(difference.removed.size() == 1 && difference.added.size() == 1, qPrintable(difference.describe()));
        const QStringList was = difference.removed.first().split(QLatin1Char('\t'));
        const QStringList is = difference.added.first().split(QLatin1Char('\t'));
        QCOMPARE(is.first(), was.first());   // "Table #ID": the same row
        QCOMPARE(is.size(), was.size());
        QStringList changed;
        for (int i = 1; i < is.size(); ++i)
            if (is[i] != was[i])
                changed << is[i].section(QLatin1Char('='), 0, 0);
        QCOMPARE(changed.size(), 1);
        const QString table = is.first().section(QStringLiteral(" #"), 0, 0);
        const QString id = is.first().section(QStringLiteral(" #"), 1);
        QCOMPARE(m_store->scalar(QStringLiteral("SELECT [%1] FROM [%2] WHERE rowid = %3").arg(changed.first(), table, id)).toString(),
                 typed);
    }

    // Case by case, in literal values: what a screen cannot show, or shows
    // but is not its to change, stays as stored.

    // Levels stored for cells a page has no cell for stay; the overall
    // ratings count only the levels of cells that can be rated.
    void levelsInBlockedCellsStay()
    {
        const int learner = keptLearner();
        const QStringList levels{QStringLiteral("1/1:Level 2"), QStringLiteral("1/5:Level 4"),   // item 1: areas 1, 2
                                 QStringLiteral("4/2:Level 5"), QStringLiteral("4/3:Level 3"),   // item 4: areas 1, 3
                                 QStringLiteral("12/1:Level 5"), QStringLiteral("12/4:Level 1")}; // item 12: area 4
        for (const QString &level : levels)
            m_store->exec(QStringLiteral("INSERT INTO SNE_Assessment_Supp_Req (LearnerID, GridID, Support_Area, [Level], "
                                         "Data_Year) VALUES (%1, %2, %3, '%4', %5)")
                              .arg(learner).arg(level.section(QLatin1Char('/'), 0, 0))
                              .arg(level.section(QLatin1Char('/'), 1).section(QLatin1Char(':'), 0, 0))
                              .arg(level.section(QLatin1Char(':'), 1)).arg(Year));
        const auto ratingsShown = [] {
            std::unique_ptr<SectionScreen> last = kit::opened(QStringLiteral("frmAssessment_Support_Reg4"));
            QStringList ratings;
            for (int col = 2; col <= 6; ++col)
                ratings << kit::text(kit::gridOf(*last, "gridAreaLevel"), col, 21);
            return ratings.join(QLatin1Char(','));
        };
        QCOMPARE(ratingsShown(), QStringLiteral("2,,3,1,"));
        for (const char *page : {"frmAssessment_Support_Reg1", "frmAssessment_Support_Reg2", "frmAssessment_Support_Reg3"})
            QVERIFY2(openEditSave(QString::fromLatin1(page)), page);
        QCOMPARE(stored(QStringLiteral("SELECT group_concat(GridID || '/' || Support_Area || ':' || [Level], ',') FROM (SELECT * "
                                       "FROM SNE_Assessment_Supp_Req WHERE LearnerID = %1 AND Data_Year = %2 ORDER BY GridID, "
                                       "Support_Area)").arg(learner).arg(Year)),
                 levels.join(QLatin1Char(',')));
        QCOMPARE(ratingsShown(), QStringLiteral("2,,3,1,"));
    }

    // The other medical conditions are stored as typed, a score or not.
    void otherConditionsStoredWithoutAScore()
    {
        const int learner = keptLearner();
        QVERIFY(openEditSave(QStringLiteral("frmCriteriaSelection6"), [](SectionScreen &screen) {
            grid::SpreadGrid *scores = kit::gridOf(screen, "gridScores");
            QVERIFY(kit::type(scores, 2, 12, QStringLiteral("Asthma")));
            QVERIFY(kit::type(scores, 3, 12, QStringLiteral("Uses an inhaler")));
            QVERIFY(kit::type(scores, 4, 12, QStringLiteral("Was in hospital")));
        }));
        QCOMPARE(stored(QStringLiteral("SELECT group_concat(None_Mild || '|' || Moderate || '|' || Severe || '|' || "
                                       "COALESCE(Score, 'NULL'), ',') FROM SNE_Criteria_For_Selection_Other WHERE LearnerID = %1 "
                                       "AND Data_Year = %2").arg(learner).arg(Year)),
                 QStringLiteral("Asthma|Uses an inhaler|Was in hospital|NULL"));
    }

    void duplicatedBackgroundRowsStay()
    {
        const int learner = keptLearner();
        for (const char *family : {"Lives with gran", "Lives with aunt"})
            m_store->exec(QStringLiteral("INSERT INTO SNE_Learner_Background_Info (LearnerID, Family_Situation, Data_Year) "
                                         "VALUES (%1, '%2', %3)").arg(learner).arg(QLatin1String(family)).arg(Year));
        const QString rows = QStringLiteral("SELECT group_concat(ID || ':' || Family_Situation, ',') FROM (SELECT * FROM "
                                            "SNE_Learner_Background_Info WHERE LearnerID = %1 AND Data_Year = %2 ORDER BY ID)")
                                 .arg(learner).arg(Year);
        const QString before = stored(rows);
        QVERIFY(before.endsWith(QStringLiteral(":Lives with aunt")));
        QVERIFY(openEditSave(QStringLiteral("frmBackgroundInfo")));
        QCOMPARE(stored(rows), before);
    }

    // Each row: the row stored for the learner (%1, year %2), the text a
    // cell shows that is typed over (none: not edited) or only shown, and
    // the stored values read back after a save.
    void rowsStayAsStored_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *screen, const char *stored, const QString &shown, const char *typed,
                            const char *query, const QString &expected) {
            QTest::newRow(name) << QString::fromLatin1(screen) << QString::fromUtf8(stored) << shown << QString::fromLatin1(typed)
                                << QString::fromLatin1(query) << expected;
        };
        // The columns of a strategy line the screen does not show.
        const char *strategy = "INSERT INTO SNE_DBST_Support_Strategy (LearnerID, Support_Needed, Support_Area, Support_Level, "
                               "School_Steps, Learner_Steps, Person_Responsible, Timeframe, Budget, School_Outcome, Learner_Outcome, "
                               "Designation, Review_Date, Data_Year) VALUES (%1, 'Reading glasses', 2, 'H', 'Seat in front', "
                               "'Wears glasses', 'Ms Dlamini', 'Term 2', 'R500', 'Board read', 'Reads the board', 'Class teacher', "
                               "'2014-06-30 00:00:00', %2)";
        const char *strategyRead = "SELECT group_concat(Support_Area || '|' || Support_Needed || '|' || School_Outcome || '|' || "
                                   "Learner_Outcome || '|' || Designation || '|' || Review_Date, ',') FROM SNE_DBST_Support_Strategy "
                                   "WHERE LearnerID = %1 AND Data_Year = %2";
        row("strategy line, no edit", "frmActionPlan2", strategy, {}, "", strategyRead,
            QStringLiteral("2|Reading glasses|Board read|Reads the board|Class teacher|2014-06-30 00:00:00"));
        row("strategy line, support needed typed over", "frmActionPlan2", strategy, QStringLiteral("Reading glasses"),
            "Large print books", strategyRead, QStringLiteral("2|Large print books|Board read|Reads the board|Class teacher|2014-06-30 00:00:00"));
        row("action review lines it cannot show", "frmActionPlan3",
            "INSERT INTO SNE_Action_Review (LearnerID, [Action], Name, Outcome, Designation, Review_Date, Data_Year) VALUES "
            "(%1, 1, 'Line one', 'done', 'HOD', '01/05/2014', %2), (%1, 11, 'Line eleven', 'done', 'HOD', '01/05/2014', %2)",
            {}, "", "SELECT group_concat([Action] || '|' || Name || '|' || Outcome || '|' || Designation || '|' || Review_Date, ',') "
            "FROM (SELECT * FROM SNE_Action_Review WHERE LearnerID = %1 AND Data_Year = %2 ORDER BY [Action])",
            QStringLiteral("1|Line one|done|HOD|01/05/2014,11|Line eleven|done|HOD|01/05/2014"));
        row("criteria sub-sections it has no row for", "frmCriteriaSelection6",
            "INSERT INTO SNE_Criteria_For_Selection (LearnerID, Sub_Section, Score, Data_Year) VALUES (%1, 22, 2, %2), (%1, 29, 3, %2)",
            {}, "", "SELECT group_concat(Sub_Section || ':' || Score, ',') FROM (SELECT * FROM SNE_Criteria_For_Selection "
            "WHERE LearnerID = %1 AND Data_Year = %2 ORDER BY Sub_Section)", QStringLiteral("22:2,29:3"));
        // A yes written as the word 'Yes' and an impairment type of 'P/T'
        // are what another program stored.
        row("health report answers as another program stored them", "frmHealthReport",
            "INSERT INTO SNE_Health_Professional_Report (LearnerID, Impairment_Type, Medical_Record_Viewed, Medical_Record_Attached, "
            "Comments, Data_Year) VALUES (%1, 'P/T', 'Yes', 0, 'Seen by the OT', %2)", {}, "",
            "SELECT Impairment_Type || '|' || typeof(Medical_Record_Viewed) || ':' || Medical_Record_Viewed || '|' || "
            "Medical_Record_Attached || '|' || Comments FROM SNE_Health_Professional_Report WHERE LearnerID = %1 AND Data_Year = %2",
            QStringLiteral("P/T|text:Yes|0|Seen by the OT"));
        row("site outside the choice", "frmActionPlan2",
            "INSERT INTO SNE_DBST_Review_ILST_Request (LearnerID, DBST_Support_School_Site, Data_Year) VALUES (%1, 7, %2)", {}, "",
            "SELECT DBST_Support_School_Site FROM SNE_DBST_Review_ILST_Request WHERE LearnerID = %1 AND Data_Year = %2",
            QStringLiteral("7"));
        // A NUL inside a stored text neither fails a save nor is lost by it;
        // a leading U+FEFF is read into its cell and kept.
        const char *awkward = "INSERT INTO SNE_Learner_Background_Info (LearnerID, Nature_Of_Support_Received, Name_Of_Provider, "
                              "Family_Situation, Data_Year) VALUES (%1, '\uFEFFSpeech therapy', 'Clinic', 'Lives with' || char(0) || ' gran', %2)";
        const char *awkwardRead = "SELECT hex(Nature_Of_Support_Received) || '|' || Name_Of_Provider || '|' || hex(Family_Situation) "
                                  "FROM SNE_Learner_Background_Info WHERE LearnerID = %1 AND Data_Year = %2";
        row("awkward texts, no edit", "frmBackgroundInfo", awkward, QStringLiteral("\uFEFFSpeech therapy"), "", awkwardRead,
            QStringLiteral("EFBBBF5370656563682074686572617079|Clinic|4C69766573207769746800206772616E"));
        row("awkward texts, provider typed over", "frmBackgroundInfo", awkward, QStringLiteral("Clinic"), "Day hospital", awkwardRead,
            QStringLiteral("EFBBBF5370656563682074686572617079|Day hospital|4C69766573207769746800206772616E"));
    }
    void rowsStayAsStored()
    {
        QFETCH(QString, screen);
        QFETCH(QString, row);
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        QFETCH(QString, query);
        QFETCH(QString, expected);
        const int learner = keptLearner();
        m_store->exec(row.arg(learner).arg(Year));
        QVERIFY(openEditSave(screen, [&](SectionScreen &opened) {
            if (shown.isEmpty())
                return;
            const TypeableCell cell = findCell(opened, shown);
            QVERIFY2(cell.grid, qPrintable(shown));
            if (!typed.isEmpty())
                QVERIFY(kit::type(cell.grid, cell.col, cell.row, typed));
        }));
        QCOMPARE(stored(query.arg(learner).arg(Year)), expected);
    }

    // Cells the store has no column for cannot be typed into.
    void unstoredCellsAreLocked_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("gridName");
        QTest::addColumn<QRect>("cells");
        QTest::newRow("health report: mild, moderate and severe of every area")
            << QStringLiteral("frmHealthReport") << QStringLiteral("gridAreas") << QRect(QPoint(2, 3), QPoint(4, 10));
        QTest::newRow("action review: signature of every line")
            << QStringLiteral("frmActionPlan3") << QStringLiteral("gridActionTaken") << QRect(QPoint(3, 3), QPoint(3, 12));
    }
    void unstoredCellsAreLocked()
    {
        QFETCH(QString, screen);
        QFETCH(QString, gridName);
        QFETCH(QRect, cells);
        std::unique_ptr<SectionScreen> opened = kit::opened(screen);
        const grid::SpreadModel &model = opened->findChild<grid::SpreadGrid *>(gridName)->cells();
        for (int row = cells.top(); row <= cells.bottom(); ++row)
            for (int col = cells.left(); col <= cells.right(); ++col)
                QVERIFY2(model.isLocked(col, row), qPrintable(QStringLiteral("cell %1,%2").arg(col).arg(row)));
    }

    void printsItsHeader_data() { addScreens(); }
    void printsItsHeader()
    {
        QFETCH(QString, screen);
        MessageRecorder boxes;
        std::unique_ptr<SectionScreen> opened = kit::opened(screen);
        const QString pdf = m_store->dir() + QStringLiteral("/page.pdf");
        PrinterChoice::setChooser(PrinterChoice::pdfChooser(pdf));
        QVERIFY(opened->printPageNow());
        QCOMPARE(boxes.count(), 0);
        QVERIFY(PdfText::all(pdf).contains(QStringLiteral("EMIS NUMBER: 500123456")));
    }
};

QTEST_MAIN(TestConformance)
#include "tst_conformance.moc"
