// The entry-and-preview list, its preview grid and the tab pages of the
// section base: the rules every factor list, action group and school-request
// area relies on.
#include "ChangeFlag.h"
#include "TextLimit.h"
#include "EntryPreviewList.h"
#include "MessageRecorder.h"
#include "PreviewList.h"
#include "SectionScreen.h"
#include "SpreadGrid.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

constexpr int FixedRows = 6;
constexpr int FirstEntry = 7;

// A factor-style list: six fixed rows, entries in columns 1 and 2 from row 7.
struct FactorList
{
    FactorList()
        : grid(new grid::SpreadGrid(2, FirstEntry))
        , entry(grid, FirstEntry, 1, 2, spec())
    {
        for (int row = 1; row <= FixedRows; ++row)
            grid->cells().setLabel(1, row, QStringLiteral("fixed %1").arg(row));
        grid::CellSpec entryCell;
        entryCell.type = grid::CellType::Static;
        entryCell.locked = true;
        entry.list().setEntryCell(1, entryCell);
        entry.list().setEntryCell(2, entryCell);
    }

    static EntryPreviewSpec spec()
    {
        EntryPreviewSpec s;
        s.textBoxName = QStringLiteral("txtAdd");
        s.firstOptionCaption = QStringLiteral("Enabling Factors");
        s.secondOptionCaption = QStringLiteral("Barriers");
        s.emptyMessage = QStringLiteral("You must enter the Enabling Factor or Barrier.");
        s.noOptionMessage = QStringLiteral("You must select the Enabling Factor or Barrier options.");
        return s;
    }

    // Adds text through the box, as the user does: 1 enabling, 2 barrier.
    bool add(int column, const QString &text)
    {
        (column == 1 ? entry.firstOption() : entry.secondOption())->setChecked(true);
        entry.textBox()->setText(text);
        return entry.add();
    }

    QString cell(int col, int row) const { return grid->cells().text(col, row); }
    int rows() const { return grid->cells().maxRows(); }

    // Every text in the list's entry rows, column by column.
    QStringList allTexts() const
    {
        QStringList texts;
        for (int col = 1; col <= 2; ++col)
            for (int row = FirstEntry; row <= rows(); ++row)
                if (!cell(col, row).trimmed().isEmpty())
                    texts << cell(col, row);
        texts.sort();
        return texts;
    }

    grid::SpreadGrid *grid;
    EntryPreviewList entry;
};

class ProbeTabs : public SectionScreen
{
public:
    ProbeTabs() : SectionScreen(QStringLiteral("frmTabs"), QStringLiteral("SNA [TABS]"))
    {
        for (const char *title : {"ONE", "TWO", "THREE"})
            addPage(QString::fromLatin1(title));
    }

protected:
    QVector<StoreRoutine> loadRoutines() override { return {}; }
    QVector<StoreRoutine> saveRoutines() override { return {}; }
    void printPage(PagePrinter &) override {}
};

} // namespace

class TestEntryPreview : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fillsColumnsIndependently();
    void neverDropsAnEntryAfterOneSidedReload();
    void removeTakesOnlyEntryRows_data();
    void removeTakesOnlyEntryRows();
    void refusesBlankTextAndMissingOption();
    void addButtonYellowWhileBoxHoldsText();
    void selectedRowBlueAndBold();
    void appendedRowsTakeTheColumnTemplate();
    void appendModeEndsAtLastEntry();
    void boxTakesWholeCharactersUpToLimit_data();
    void boxTakesWholeCharactersUpToLimit();
    void tabPagesReadAndSetThroughTheBase();
};

void TestEntryPreview::fillsColumnsIndependently()
{
    FactorList list;
    QSignalSpy changes(&list.entry, &EntryPreviewList::changed);
    QVERIFY(list.add(1, QStringLiteral("caring granny")));
    QVERIFY(list.add(2, QStringLiteral("poverty")));
    QVERIFY(list.add(2, QStringLiteral("long walk")));
    QVERIFY(list.add(2, QStringLiteral("  no electricity")));

    QCOMPARE(list.cell(1, 7), QStringLiteral("caring granny"));
    QCOMPARE(list.cell(2, 7), QStringLiteral("poverty"));
    QCOMPARE(list.cell(2, 8), QStringLiteral("long walk"));
    QCOMPARE(list.cell(2, 9), QStringLiteral("  no electricity"));   // as typed
    QCOMPARE(list.cell(1, 8), QString());
    QCOMPARE(list.rows(), 10);
    QCOMPARE(changes.count(), 4);
    QCOMPARE(list.entry.textBox()->text(), QString());
    QVERIFY(list.grid->keysDiscarded());
}

void TestEntryPreview::neverDropsAnEntryAfterOneSidedReload()
{
    FactorList list;
    // Stored records whose one side was blank come back as one space.
    list.entry.list().setEntries({{QStringLiteral("a"), QStringLiteral(" ")},
                                  {QStringLiteral(" "), QStringLiteral("b")},
                                  {QStringLiteral("c"), QStringLiteral(" ")},
                                  {QStringLiteral(" "), QStringLiteral("d")}});
    QCOMPARE(list.rows(), 11);
    QStringList expected = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")};
    for (int i = 0; i < 6; ++i) {
        const QString text = QStringLiteral("e%1").arg(i);
        QVERIFY(list.add(i % 3 == 0 ? 1 : 2, text));
        expected << text;
        expected.sort();
        QCOMPARE(list.allTexts(), expected);
        // One empty row always ends the list.
        QVERIFY(list.rows() > list.entry.list().lastRowWithText());
    }
    for (int row = 1; row <= FixedRows; ++row)
        QCOMPARE(list.cell(1, row), QStringLiteral("fixed %1").arg(row));
}

void TestEntryPreview::removeTakesOnlyEntryRows_data()
{
    QTest::addColumn<int>("activeRow");
    QTest::addColumn<bool>("removed");
    QTest::addColumn<QStringList>("barriersAfter");
    QTest::newRow("heading row") << 1 << false << QStringList{"x", "y", "z"};
    QTest::newRow("last fixed row") << 6 << false << QStringList{"x", "y", "z"};
    QTest::newRow("middle entry") << 8 << true << QStringList{"x", "z", ""};
    QTest::newRow("first entry") << 7 << true << QStringList{"y", "z", ""};
}

void TestEntryPreview::removeTakesOnlyEntryRows()
{
    QFETCH(int, activeRow);
    QFETCH(bool, removed);
    QFETCH(QStringList, barriersAfter);
    FactorList list;
    for (const char *text : {"x", "y", "z"})
        list.add(2, QString::fromLatin1(text));
    QSignalSpy changes(&list.entry, &EntryPreviewList::changed);
    list.grid->setActiveCell(1, activeRow);
    QCOMPARE(list.entry.remove(), removed);
    QCOMPARE(changes.count(), removed ? 1 : 0);
    for (int i = 0; i < barriersAfter.size(); ++i)
        QCOMPARE(list.cell(2, FirstEntry + i), barriersAfter.at(i));
    QCOMPARE(list.cell(1, FixedRows), QStringLiteral("fixed 6"));
    QCOMPARE(list.rows(), removed ? 9 : 10);
}

void TestEntryPreview::refusesBlankTextAndMissingOption()
{
    MessageRecorder boxes;
    FactorList list;
    list.entry.secondOption()->setChecked(true);
    list.entry.textBox()->setText(QStringLiteral("   "));
    QVERIFY(!list.entry.add());
    QCOMPARE(boxes.last().text, QStringLiteral("You must enter the Enabling Factor or Barrier."));

    FactorList fresh;
    fresh.entry.textBox()->setText(QStringLiteral("bullying"));
    QVERIFY(!fresh.entry.add());
    QCOMPARE(boxes.last().text, QStringLiteral("You must select the Enabling Factor or Barrier options."));
    QCOMPARE(fresh.entry.textBox()->text(), QStringLiteral("bullying"));
    QCOMPARE(fresh.rows(), FirstEntry);
    QCOMPARE(boxes.count(), 2);
}

void TestEntryPreview::addButtonYellowWhileBoxHoldsText()
{
    FactorList list;
    QPushButton *add = list.entry.addButton();
    QVERIFY(!ChangeFlag::isChanged(add));
    list.entry.textBox()->setText(QStringLiteral("x"));
    QVERIFY(ChangeFlag::isChanged(add));
    list.entry.textBox()->setText(QStringLiteral("  "));
    QVERIFY(!ChangeFlag::isChanged(add));
    list.add(1, QStringLiteral("y"));
    QVERIFY(!ChangeFlag::isChanged(add));
}

void TestEntryPreview::selectedRowBlueAndBold()
{
    FactorList list;
    for (const char *text : {"x", "y", "z"})
        list.add(1, QString::fromLatin1(text));
    list.entry.list().selectRow(8);
    list.entry.list().selectRow(9);
    const grid::RowMark &mark = list.grid->rowMark();
    QCOMPARE(mark.row, 9);
    for (int col = 1; col <= 2; ++col) {
        QVERIFY(mark.shown(list.grid->cells().cell(col, 9), col, 9).bold);
        QCOMPARE(mark.shown(list.grid->cells().cell(col, 9), col, 9).foreColor, QColor(0, 0, 255));
        QVERIFY(!mark.shown(list.grid->cells().cell(col, 8), col, 8).bold);
        // The cells themselves keep their look: paper never shows the pick.
        QVERIFY(!list.grid->cells().cell(col, 9).bold);
        QVERIFY(!list.grid->cells().cell(col, 9).foreColor.isValid());
    }
    list.entry.list().selectRow(2);   // a fixed row changes nothing
    QCOMPARE(list.entry.list().selectedRow(), 9);
    // The mark stays on its entry while a row above it goes, and goes with it.
    list.grid->cells().deleteRow(8);
    QCOMPARE(list.entry.list().selectedRow(), 8);
    list.grid->cells().deleteRow(8);
    QCOMPARE(list.entry.list().selectedRow(), 0);
}

void TestEntryPreview::appendedRowsTakeTheColumnTemplate()
{
    grid::SpreadGrid grid(3, 5);
    PreviewList list(&grid, 5, 1, 3, PreviewList::End::EmptyRow);
    grid::CellSpec level;
    level.type = grid::CellType::ComboBox;
    level.items = {QStringLiteral("LOW"), QStringLiteral("MODERATE"), QStringLiteral("HIGH LEVEL")};
    list.setEntryCell(1, level);
    QCOMPARE(grid.cells().cell(1, 5).type, grid::CellType::ComboBox);
    for (int i = 0; i < 3; ++i)
        list.placeInColumn(2, QStringLiteral("has %1").arg(i));
    QCOMPARE(grid.cells().maxRows(), 8);
    // The other column's first free row (8) counts: one more row follows it.
    QCOMPARE(list.placeInColumn(3, QStringLiteral("needs")), 5);
    QCOMPARE(grid.cells().maxRows(), 9);
    for (int row = 5; row <= 9; ++row) {
        QCOMPARE(grid.cells().cell(1, row).type, grid::CellType::ComboBox);
        QCOMPARE(grid.cells().cell(1, row).items.size(), 3);
        QCOMPARE(grid.cells().cell(2, row).type, grid::CellType::Edit);
    }
}

void TestEntryPreview::appendModeEndsAtLastEntry()
{
    grid::SpreadGrid grid(6, 2);
    PreviewList list(&grid, 3, 1, 6, PreviewList::End::LastEntry);
    list.setEntries({});
    QCOMPARE(grid.cells().maxRows(), 2);
    list.appendEntry({QStringLiteral("t1"), QString(), QString(), QString(), QString(), QString()});
    list.appendEntry({QStringLiteral("t2"), QStringLiteral("s2")});
    QCOMPARE(grid.cells().maxRows(), 4);
    QCOMPARE(grid.cells().text(1, 4), QStringLiteral("t2"));
    grid.setActiveCell(1, 3);
    QVERIFY(list.removeActiveRow());
    QCOMPARE(grid.cells().maxRows(), 3);
    QCOMPARE(grid.cells().text(2, 3), QStringLiteral("s2"));
    grid.setActiveCell(1, 2);
    QVERIFY(!list.removeActiveRow());
    QCOMPARE(grid.cells().maxRows(), 3);
}

void TestEntryPreview::boxTakesWholeCharactersUpToLimit_data()
{
    const QString clef = QString::fromUcs4(U"\U0001D11E");   // one character, two UTF-16 units
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("taken");
    QTest::newRow("255 letters") << QString(255, QLatin1Char('a')) << true;
    QTest::newRow("256 letters") << QString(256, QLatin1Char('a')) << false;
    QTest::newRow("254 letters and a clef") << QString(254, QLatin1Char('a')) + clef << true;
    QTest::newRow("255 letters and a clef") << QString(255, QLatin1Char('a')) + clef << false;
    QTest::newRow("accents and apostrophe") << QStringLiteral("Zoë's ouma") << true;
}

void TestEntryPreview::boxTakesWholeCharactersUpToLimit()
{
    QFETCH(QString, typed);
    QFETCH(bool, taken);
    FactorList list;
    QLineEdit *box = list.entry.textBox();
    box->setFocus();
    box->insert(typed);   // the way typing and pasting reach the box
    QCOMPARE(box->text() == typed, taken);
    QVERIFY(grid::TextLimit::storedLength(box->text()) <= 255);
}

void TestEntryPreview::tabPagesReadAndSetThroughTheBase()
{
    ProbeTabs screen;
    QCOMPARE(screen.pageCount(), 3);
    QCOMPARE(screen.currentPage(), 0);
    screen.setCurrentPage(2);
    QCOMPARE(screen.currentPage(), 2);
    screen.setCurrentPage(7);   // no such page: the showing one stays
    QCOMPARE(screen.currentPage(), 2);
}

QTEST_MAIN(TestEntryPreview)
#include "tst_entrypreview.moc"
