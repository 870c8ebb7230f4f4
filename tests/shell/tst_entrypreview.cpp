// The entry-and-preview list, its preview grid and the tab pages of the
// section base, where the screens' own tests do not reach: the Add button's
// mark, the picked entry, the rows a list appends, the box's limit and the tabs.
#include "ChangeFlag.h"
#include "TextLimit.h"
#include "EntryPreviewList.h"
#include "PreviewList.h"
#include "SectionScreen.h"
#include "SpreadGrid.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace Qt::StringLiterals;

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
            grid->cells().setLabel(1, row, u"fixed %1"_s.arg(row));
        grid::CellSpec entryCell;
        entryCell.type = grid::CellType::Static;
        entryCell.locked = true;
        entry.list().setEntryCell(1, entryCell);
        entry.list().setEntryCell(2, entryCell);
    }

    static EntryPreviewSpec spec()
    {
        EntryPreviewSpec s;
        s.textBoxName = u"txtAdd"_s;
        s.firstOptionCaption = u"Enabling Factors"_s;
        s.secondOptionCaption = u"Barriers"_s;
        return s;
    }

    // Adds text through the box, as the user does: 1 enabling, 2 barrier.
    bool add(int column, const QString &text)
    {
        (column == 1 ? entry.firstOption() : entry.secondOption())->setChecked(true);
        entry.textBox()->setText(text);
        return entry.add();
    }

    grid::SpreadGrid *grid;
    EntryPreviewList entry;
};

class ProbeTabs : public SectionScreen
{
public:
    ProbeTabs() : SectionScreen(u"frmTabs"_s, u"SNA [TABS]"_s)
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
    void addButtonYellowWhileBoxHoldsText()
    {
        FactorList list;
        QPushButton *add = list.entry.addButton();
        QVERIFY(!ChangeFlag::isChanged(add));
        list.entry.textBox()->setText(u"x"_s);
        QVERIFY(ChangeFlag::isChanged(add));
        list.entry.textBox()->setText(u"  "_s);
        QVERIFY(!ChangeFlag::isChanged(add));
        list.add(1, u"y"_s);
        QVERIFY(!ChangeFlag::isChanged(add));
    }

    void selectedRowBlueAndBold()
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

    void appendedRowsTakeTheColumnTemplate()
    {
        grid::SpreadGrid grid(3, 5);
        PreviewList list(&grid, 5, 1, 3, PreviewList::End::EmptyRow);
        grid::CellSpec level;
        level.type = grid::CellType::ComboBox;
        level.items = {u"LOW"_s, u"MODERATE"_s, u"HIGH LEVEL"_s};
        list.setEntryCell(1, level);
        QCOMPARE(grid.cells().cell(1, 5).type, grid::CellType::ComboBox);
        for (int i = 0; i < 3; ++i)
            list.placeInColumn(2, u"has %1"_s.arg(i));
        QCOMPARE(grid.cells().maxRows(), 8);
        // The other column's first free row (8) counts: one more row follows it.
        QCOMPARE(list.placeInColumn(3, u"needs"_s), 5);
        QCOMPARE(grid.cells().maxRows(), 9);
        for (int row = 5; row <= 9; ++row) {
            QCOMPARE(grid.cells().cell(1, row).type, grid::CellType::ComboBox);
            QCOMPARE(grid.cells().cell(1, row).items.size(), 3);
            QCOMPARE(grid.cells().cell(2, row).type, grid::CellType::Edit);
        }
    }

    void appendModeEndsAtLastEntry()
    {
        grid::SpreadGrid grid(6, 2);
        PreviewList list(&grid, 3, 1, 6, PreviewList::End::LastEntry);
        list.setEntries({});
        QCOMPARE(grid.cells().maxRows(), 2);
        list.appendEntry({u"t1"_s, QString(), QString(), QString(), QString(), QString()});
        list.appendEntry({u"t2"_s, u"s2"_s});
        QCOMPARE(grid.cells().maxRows(), 4);
        QCOMPARE(grid.cells().text(1, 4), u"t2"_s);
        grid.setActiveCell(1, 3);
        QVERIFY(list.removeActiveRow());
        QCOMPARE(grid.cells().maxRows(), 3);
        QCOMPARE(grid.cells().text(2, 3), u"s2"_s);
        grid.setActiveCell(1, 2);
        QVERIFY(!list.removeActiveRow());
        QCOMPARE(grid.cells().maxRows(), 3);
    }

    void boxTakesWholeCharactersUpToLimit_data()
    {
        const QString clef = QString::fromUcs4(U"\U0001D11E");   // one character, two UTF-16 units
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("taken");
        QTest::newRow("255 letters") << QString(255, QLatin1Char('a')) << true;
        QTest::newRow("256 letters") << QString(256, QLatin1Char('a')) << false;
        QTest::newRow("254 letters and a clef") << QString(254, QLatin1Char('a')) + clef << true;
        QTest::newRow("255 letters and a clef") << QString(255, QLatin1Char('a')) + clef << false;
        QTest::newRow("accents and apostrophe") << u"Zoë's ouma"_s << true;
    }
    void boxTakesWholeCharactersUpToLimit()
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

    void tabPagesReadAndSetThroughTheBase()
    {
        ProbeTabs screen;
        QCOMPARE(screen.pageCount(), 3);
        QCOMPARE(screen.currentPage(), 0);
        screen.setCurrentPage(2);
        QCOMPARE(screen.currentPage(), 2);
        screen.setCurrentPage(7);   // no such page: the showing one stays
        QCOMPARE(screen.currentPage(), 2);
    }
};

QTEST_MAIN(TestEntryPreview)
#include "tst_entrypreview.moc"
