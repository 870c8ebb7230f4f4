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

// The first cell of a grid of the window that the user can type a text into
// and that shows a stored text.
struct TypeableCell
{
    grid::SpreadGrid *grid = nullptr;
    int col = 0;
    int row = 0;
};

TypeableCell firstStoredTextCell(const QWidget &window)
{
    for (grid::SpreadGrid *g : window.findChildren<grid::SpreadGrid *>()) {
        const grid::SpreadModel &cells = g->cells();
        for (int row = 1; row <= cells.maxRows(); ++row)
            for (int col = 1; col <= cells.maxCols(); ++col) {
                const grid::CellSpec &cell = cells.cell(col, row);
                if (cell.type == grid::CellType::Edit && !cell.locked && !cell.text.isEmpty() && !cells.isColHidden(col)
                    && cells.spanAt(col, row).topLeft() == QPoint(col, row))
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

    void addScreens()
    {
        QTest::addColumn<QString>("screen");
        for (const QString &name : screensOfThisRun(ScreenRegistry::instance().names()))
            QTest::newRow(qPrintable(name)) << name;
    }
    // The registered screens and the additional-disabilities window.
    static QStringList savingWindows() { return QStringList(ScreenRegistry::instance().names()) << AdditionalDisabilities; }
    void addSavingWindows()
    {
        QTest::addColumn<QString>("screen");
        for (const QString &name : screensOfThisRun(savingWindows()))
            QTest::newRow(qPrintable(name)) << name;
    }

    // The screen could not read, said so once, and cannot save: nothing the
    // user does afterwards writes anything.
    void verifyFailedLoad(StoreScreen &screen, const MessageRecorder &boxes, const QString &name)
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
        Q_UNUSED(name);
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

    // Types text over the cell showing shown, wherever on the screen it is.
    static bool typeOver(SectionScreen &screen, const QString &shown, const QString &text)
    {
        for (grid::SpreadGrid *g : screen.findChildren<grid::SpreadGrid *>())
            for (int row = 1; row <= g->cells().maxRows(); ++row)
                for (int col = 1; col <= g->cells().maxCols(); ++col)
                    if (g->cells().text(col, row) == shown)
                        return kit::type(g, col, row, text);
        return false;
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
                    verifyFailedLoad(*opened, boxes, screen);
                    QVERIFY(isErrorReport(boxes.last(), screen));
                }
            }
            m_store->allowReadsFrom(table);
        }
        QCOMPARE(m_store->dump(), before);
        QVERIFY2(failedLoads > 0, "the screen reads no table");
    }

    void lockedStoreDuringLoad_data() { addSavingWindows(); }
    void lockedStoreDuringLoad()
    {
        QFETCH(QString, screen);
        const QString before = m_store->dump();
        {
            std::unique_ptr<Connection> other = m_store->lockedByAnotherProgram();
            MessageRecorder boxes;
            std::unique_ptr<StoreScreen> opened = openWindow(screen);
            verifyFailedLoad(*opened, boxes, screen);
            QVERIFY(boxes.sawText(QStringLiteral("database is locked")));
        }
        QCOMPARE(m_store->dump(), before);
    }

    void vanishedStoreDuringLoad_data() { addSavingWindows(); }
    void vanishedStoreDuringLoad()
    {
        QFETCH(QString, screen);
        const QString away = m_store->path() + QStringLiteral(".away");
        QVERIFY(QFile::rename(m_store->path(), away));
        MessageRecorder boxes;
        std::unique_ptr<StoreScreen> opened = openWindow(screen);
        verifyFailedLoad(*opened, boxes, screen);
        QVERIFY(boxes.sawText(QStringLiteral("Could not find file")));
        QVERIFY(!QFile::exists(m_store->path()));
    }

    void unreachableStoreDuringSave_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("locked");
        for (const QString &name : screensOfThisRun(savingWindows())) {
            QTest::newRow(qPrintable(name + QStringLiteral(" locked"))) << name << true;
            QTest::newRow(qPrintable(name + QStringLiteral(" renamed away"))) << name << false;
        }
    }
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
        const QString away = m_store->path() + QStringLiteral(".away");
        {
            std::unique_ptr<Connection> other;
            if (locked)
                other = m_store->lockedByAnotherProgram();
            else
                QVERIFY(QFile::rename(m_store->path(), away));
            QVERIFY(!opened->save());
        }
        if (!locked)
            QVERIFY(QFile::rename(away, m_store->path()));
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
            for (const MessageBoxCall &call : boxes.calls())
                QVERIFY2(isErrorReport(call, screen), qPrintable(call.title + call.text));
            QVERIFY(opened->hasUnsavedChanges());
            // The refused table is as it was: its routine rolled back.
            QCOMPARE(m_store->dump(table), before);
        }
        QVERIFY2(refusedSaves > 0, "the screen writes to no table");
    }

    // The one report of a refused save names the routine that failed.
    void refusedWriteNamesItsRoutine_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("procedure");
        const auto row = [](const char *screen, const char *table, const char *procedure) {
            QTest::newRow(screen) << QString::fromLatin1(screen) << QString::fromLatin1(table) << QString::fromLatin1(procedure);
        };
        row("frmBackgroundInfo", "SNE_Learner_Background_Info", "saveBackgroundInfo Routine");
        row("frmHealthReport", "SNE_Health_Professional_Report", "saveMedicalRecord Routine");
        row("frmCriteriaSelection1", "SNE_Criteria_For_Selection", "saveScores Routine");
        row("frmExtendedProfile1", "SNE_Learning_And_Development_Barriers", "saveLearning_Barrier Routine");
        row("frmExtendedProfile2", "SNE_Factors_School", "saveData Routine");
        row("frmAssessment_Support_Reg1", "SNE_Assessment_Supp_Req", "saveAreaLevels Routine");
        row("frmAssessment_Support_Reg4", "SNE_Assessment_Supp_Req_Rating", "saveFinalRating Routine");
        row("frmActionPlan3", "SNE_Action_Review", "saveActionReview Routine");
    }
    void refusedWriteNamesItsRoutine()
    {
        QFETCH(QString, screen);
        QFETCH(QString, table);
        QFETCH(QString, procedure);
        openFullLearner(TestStore::StoredTexts::Plain);
        std::unique_ptr<SectionScreen> opened = kit::opened(screen);
        QVERIFY(opened->loadCompleted());
        QVERIFY(kit::editEveryStoredCell(*opened) > 0);
        MessageRecorder boxes;
        for (const char *operation : {"INSERT", "UPDATE", "DELETE"})
            m_store->failWritesTo(table, QString::fromLatin1(operation));
        QVERIFY(!opened->save());
        QCOMPARE(boxes.count(), 1);
        QVERIFY2(boxes.last().text.contains(QStringLiteral("Procedure: ") + procedure), qPrintable(boxes.last().text));
    }

    // Texts longer than any cell (5,000 characters of apostrophes, line
    // breaks and characters outside the basic plane) are never cut or split.
    void storedTextsSurviveASave_data() { addScreens(); }
    void storedTextsSurviveASave()
    {
        QFETCH(QString, screen);
        openFullLearner(TestStore::StoredTexts::Plain);
        // Each long text by its table and opening words (its column and line).
        const auto longTexts = [this] {
            QHash<QString, QString> texts;
            std::unique_ptr<Connection> connection = m_store->connect();
            for (const QString &table : dataTables(*m_store)) {
                Recordset columns = connection->query(QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(table));
                for (; !columns.eof(); columns.moveNext()) {
                    const QString column = columns.text(QStringLiteral("name"));
                    Recordset rows = connection->query(QStringLiteral("SELECT [%1] AS t FROM [%2] WHERE typeof([%1]) = 'text' "
                                                                      "AND length([%1]) > 255").arg(column, table));
                    for (; !rows.eof(); rows.moveNext())
                        texts.insert(table + QLatin1Char('|') + rows.text(QStringLiteral("t")).left(60), rows.text(QStringLiteral("t")));
                }
            }
            return texts;
        };
        const QHash<QString, QString> stored = longTexts();
        MessageRecorder boxes;
        std::unique_ptr<SectionScreen> opened = kit::opened(screen);
        QVERIFY(opened->loadCompleted());
        QVERIFY(kit::editEveryStoredCell(*opened) > 0);   // edits elsewhere on the screen
        QVERIFY(opened->save());
        // Texts that were cut, lost a character pair's half or a line break
        // would come back shorter or different under the same opening words.
        int whole = 0;
        std::unique_ptr<Connection> connection = m_store->connect();
        for (const QString &table : dataTables(*m_store)) {
            Recordset columns = connection->query(QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(table));
            for (; !columns.eof(); columns.moveNext()) {
                const QString column = columns.text(QStringLiteral("name"));
                Recordset rows = connection->query(QStringLiteral("SELECT [%1] AS t FROM [%2] WHERE typeof([%1]) = 'text'")
                                                       .arg(column, table));
                for (; !rows.eof(); rows.moveNext()) {
                    const QString text = rows.text(QStringLiteral("t"));
                    const QString key = table + QLatin1Char('|') + text.left(60);
                    if (!stored.contains(key))
                        continue;
                    QVERIFY2(text == stored.value(key), qPrintable(table + QLatin1Char('.') + column + QStringLiteral(": ") + text.left(80)));
                    ++whole;
                }
            }
        }
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
        const TypeableCell cell = firstStoredTextCell(*window);
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

    void strategyLineKeepsItsHiddenColumns_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("no edit") << QString();
        QTest::newRow("support needed typed over") << QStringLiteral("Large print books");
    }
    void strategyLineKeepsItsHiddenColumns()
    {
        QFETCH(QString, typed);
        const int learner = keptLearner();
        m_store->exec(QStringLiteral("INSERT INTO SNE_DBST_Support_Strategy (LearnerID, Support_Needed, Support_Area, "
                                     "Support_Level, School_Steps, Learner_Steps, Person_Responsible, Timeframe, Budget, "
                                     "School_Outcome, Learner_Outcome, Designation, Review_Date, Data_Year) VALUES (%1, "
                                     "'Reading glasses', 2, 'H', 'Seat in front', 'Wears glasses', 'Ms Dlamini', 'Term 2', "
                                     "'R500', 'Board read', 'Reads the board', 'Class teacher', '2014-06-30 00:00:00', %2)")
                          .arg(learner).arg(Year));
        QVERIFY(openEditSave(QStringLiteral("frmActionPlan2"), [&](SectionScreen &screen) {
            if (!typed.isEmpty())
                QVERIFY(typeOver(screen, QStringLiteral("Reading glasses"), typed));
        }));
        QCOMPARE(stored(QStringLiteral("SELECT group_concat(Support_Area || '|' || Support_Needed || '|' || School_Outcome || '|' "
                                       "|| Learner_Outcome || '|' || Designation || '|' || Review_Date, ',') FROM "
                                       "SNE_DBST_Support_Strategy WHERE LearnerID = %1 AND Data_Year = %2").arg(learner).arg(Year)),
                 QStringLiteral("2|%1|Board read|Reads the board|Class teacher|2014-06-30 00:00:00")
                     .arg(typed.isEmpty() ? QStringLiteral("Reading glasses") : typed));
    }

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

    void actionReviewKeepsLinesItCannotShow()
    {
        const int learner = keptLearner();
        for (const char *line : {"1, 'Line one'", "11, 'Line eleven'"})
            m_store->exec(QStringLiteral("INSERT INTO SNE_Action_Review (LearnerID, [Action], Name, Outcome, Designation, "
                                         "Review_Date, Data_Year) VALUES (%1, %2, 'done', 'HOD', '01/05/2014', %3)")
                              .arg(learner).arg(QLatin1String(line)).arg(Year));
        QVERIFY(openEditSave(QStringLiteral("frmActionPlan3")));
        QCOMPARE(stored(QStringLiteral("SELECT group_concat([Action] || '|' || Name || '|' || Outcome || '|' || Designation || '|' "
                                       "|| Review_Date, ',') FROM (SELECT * FROM SNE_Action_Review WHERE LearnerID = %1 AND "
                                       "Data_Year = %2 ORDER BY [Action])").arg(learner).arg(Year)),
                 QStringLiteral("1|Line one|done|HOD|01/05/2014,11|Line eleven|done|HOD|01/05/2014"));
    }

    void criteriaScreenKeepsSubSectionsItHasNoRowFor()
    {
        const int learner = keptLearner();
        for (const char *score : {"22, 2", "29, 3"})
            m_store->exec(QStringLiteral("INSERT INTO SNE_Criteria_For_Selection (LearnerID, Sub_Section, Score, Data_Year) "
                                         "VALUES (%1, %2, %3)").arg(learner).arg(QLatin1String(score)).arg(Year));
        QVERIFY(openEditSave(QStringLiteral("frmCriteriaSelection6")));
        QCOMPARE(stored(QStringLiteral("SELECT group_concat(Sub_Section || ':' || Score, ',') FROM (SELECT * FROM "
                                       "SNE_Criteria_For_Selection WHERE LearnerID = %1 AND Data_Year = %2 ORDER BY Sub_Section)")
                            .arg(learner).arg(Year)),
                 QStringLiteral("22:2,29:3"));
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

    // A yes written as the word 'Yes' and an impairment type of 'P/T' are
    // what another program stored; a save without an edit keeps them.
    void healthReportKeepsAnswersAsStored()
    {
        const int learner = keptLearner();
        m_store->exec(QStringLiteral("INSERT INTO SNE_Health_Professional_Report (LearnerID, Impairment_Type, "
                                     "Medical_Record_Viewed, Medical_Record_Attached, Comments, Data_Year) VALUES "
                                     "(%1, 'P/T', 'Yes', 0, 'Seen by the OT', %2)").arg(learner).arg(Year));
        QVERIFY(openEditSave(QStringLiteral("frmHealthReport")));
        QCOMPARE(stored(QStringLiteral("SELECT Impairment_Type || '|' || typeof(Medical_Record_Viewed) || ':' || "
                                       "Medical_Record_Viewed || '|' || Medical_Record_Attached || '|' || Comments FROM "
                                       "SNE_Health_Professional_Report WHERE LearnerID = %1 AND Data_Year = %2")
                            .arg(learner).arg(Year)),
                 QStringLiteral("P/T|text:Yes|0|Seen by the OT"));
    }

    void siteOutsideTheChoiceStays()
    {
        const int learner = keptLearner();
        m_store->exec(QStringLiteral("INSERT INTO SNE_DBST_Review_ILST_Request (LearnerID, DBST_Support_School_Site, Data_Year) "
                                     "VALUES (%1, 7, %2)").arg(learner).arg(Year));
        QVERIFY(openEditSave(QStringLiteral("frmActionPlan2")));
        QCOMPARE(stored(QStringLiteral("SELECT DBST_Support_School_Site FROM SNE_DBST_Review_ILST_Request WHERE LearnerID = %1 "
                                       "AND Data_Year = %2").arg(learner).arg(Year)),
                 QStringLiteral("7"));
    }

    // A NUL inside a stored text neither fails a save nor is lost by it; a
    // leading U+FEFF is read into its cell and kept.
    void awkwardStoredTextsStay_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("no edit") << QString();
        QTest::newRow("provider typed over") << QStringLiteral("Day hospital");
    }
    void awkwardStoredTextsStay()
    {
        QFETCH(QString, typed);
        const int learner = keptLearner();
        m_store->exec(QStringLiteral("INSERT INTO SNE_Learner_Background_Info (LearnerID, Nature_Of_Support_Received, "
                                     "Name_Of_Provider, Family_Situation, Data_Year) VALUES (%1, '\uFEFFSpeech therapy', "
                                     "'Clinic', 'Lives with' || char(0) || ' gran', %2)").arg(learner).arg(Year));
        bool markShown = false;
        QVERIFY(openEditSave(QStringLiteral("frmBackgroundInfo"), [&](SectionScreen &screen) {
            for (grid::SpreadGrid *g : screen.findChildren<grid::SpreadGrid *>())
                for (int row = 1; row <= g->cells().maxRows(); ++row)
                    for (int col = 1; col <= g->cells().maxCols(); ++col)
                        markShown = markShown || g->cells().text(col, row) == QStringLiteral("\uFEFFSpeech therapy");
            if (!typed.isEmpty())
                QVERIFY(typeOver(screen, QStringLiteral("Clinic"), typed));
        }));
        QVERIFY(markShown);
        QCOMPARE(stored(QStringLiteral("SELECT hex(Nature_Of_Support_Received) || '|' || Name_Of_Provider || '|' || "
                                       "hex(Family_Situation) FROM SNE_Learner_Background_Info WHERE LearnerID = %1 AND "
                                       "Data_Year = %2").arg(learner).arg(Year)),
                 QStringLiteral("EFBBBF%1|%2|%3")
                     .arg(QString::fromLatin1(QByteArray("Speech therapy").toHex().toUpper()),
                          typed.isEmpty() ? QStringLiteral("Clinic") : typed,
                          QString::fromLatin1(QByteArray("Lives with\0 gran", 16).toHex().toUpper())));
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
