#include "SpreadGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QtTest>

using grid::SpreadGrid;

class TstSpreadGrid : public QObject
{
    Q_OBJECT

private:
    // A shown, active grid of 4 columns and 4 rows, so keys and clicks reach it.
    static std::unique_ptr<SpreadGrid> shownGrid()
    {
        auto g = std::make_unique<SpreadGrid>(4, 4);
        for (int c = 1; c <= 4; ++c)
            g->cells().setColWidth(c, 12);
        g->resize(600, 300);
        g->show();
        g->activateWindow();
        g->setFocus();
        if (!QTest::qWaitForWindowActive(g.get()))
            qWarning("grid window not active");
        return g;
    }

    static QPoint centre(SpreadGrid &g, int col, int row)
    {
        return g.visualRect(g.model()->index(row - 1, col - 1)).center();
    }

    static QWidget *editorOf(SpreadGrid &g)
    {
        return g.isEditing() ? QApplication::focusWidget() : nullptr;
    }

    // The open editor; closed ones may linger hidden until deleted.
    template<typename T>
    static T *openEditor(SpreadGrid &g)
    {
        const auto all = g.viewport()->findChildren<T *>();
        for (T *e : all)
            if (e->isVisible())
                return e;
        return nullptr;
    }

private Q_SLOTS:
    void layoutFollowsTheModel()
    {
        SpreadGrid g(3, 2);
        QVERIFY(g.horizontalHeader()->isHidden());
        QVERIFY(g.verticalHeader()->isHidden());
        g.cells().setColWidth(1, 0);
        g.cells().setColWidth(2, 20);
        QVERIFY(g.isColumnHidden(0));
        QVERIFY(qAbs(g.columnWidth(1) - 20 * g.unitWidth()) <= 1.0);
        g.cells().setColWidth(1, 5);
        QVERIFY(!g.isColumnHidden(0));

        g.cells().addSpan(1, 1, 3, 1);
        QCOMPARE(g.columnSpan(0, 0), 3);

        g.cells().setHeaderText(2, QStringLiteral("Name of Learner"));
        g.setColumnHeaderVisible(true);
        QVERIFY(!g.horizontalHeader()->isHidden());
        QCOMPARE(g.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Name of Learner"));

        g.cells().setColWidth(3, 6);
        g.cells().setText(3, 2, QStringLiteral("a long answer that cannot fit on one line of this cell"));
        g.applyLayout();
        QVERIFY(g.rowHeight(1) > 2 * g.rowHeight(0));
        g.cells().setRowHeight(2, 0);   // still "fit", re-applied by itself
        g.cells().setText(3, 2, QString());
        QTRY_COMPARE(g.rowHeight(1), g.rowHeight(0));
    }

    void fittedGridAsksForItsCellsAndGrows()
    {
        SpreadGrid g(2, 2);
        g.cells().setColWidth(1, 10);
        g.cells().setColWidth(2, 15);
        g.cells().setEdit(2, 2, 2000);
        g.setFitToContents(true);
        g.applyLayout();
        const QSize before = g.sizeHint();
        QCOMPARE(before.width(), g.columnWidth(0) + g.columnWidth(1) + 2 * g.frameWidth());
        QCOMPARE(before.height(), g.rowHeight(0) + g.rowHeight(1) + 2 * g.frameWidth());
        QCOMPARE(g.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

        // A long answer typed into the form makes the form taller, not a scroll bar.
        g.model()->setData(g.model()->index(1, 1),
                           QStringLiteral("many words that need several lines in a cell of fifteen units"), Qt::EditRole);
        QTRY_VERIFY(g.sizeHint().height() > before.height());
        QCOMPARE(g.sizeHint().width(), before.width());
    }

    void clicksAndButtons()
    {
        auto g = shownGrid();
        g->cells().setCheckBox(2, 1);
        g->cells().setButton(3, 1, QStringLiteral("More"));
        g->cells().addSpan(1, 3, 3, 1);
        QSignalSpy clicked(g.get(), &SpreadGrid::cellClicked);
        QSignalSpy button(g.get(), &SpreadGrid::buttonClicked);
        QSignalSpy changed(g.get(), &SpreadGrid::cellChanged);

        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, centre(*g, 4, 2));
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.takeFirst(), QVariantList({4, 2}));
        QCOMPARE(g->activeCol(), 4);
        QCOMPARE(g->activeRow(), 2);

        QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                          g->visualRect(g->model()->index(2, 0)).topRight() - QPoint(5, -3));
        QCOMPARE(clicked.takeFirst(), QVariantList({1, 3}));   // a span answers for its first cell

        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, centre(*g, 3, 1));
        QCOMPARE(button.count(), 1);
        QCOMPARE(button.takeFirst(), QVariantList({3, 1}));
        QCOMPARE(changed.count(), 0);

        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, centre(*g, 2, 1));
        QCOMPARE(g->cells().text(2, 1), QStringLiteral("1"));
        QCOMPARE(button.takeFirst(), QVariantList({2, 1}));

        g->setActiveCell(2, 1);
        QTest::keyClick(g.get(), Qt::Key_Space);
        QCOMPARE(g->cells().text(2, 1), QStringLiteral("0"));
        QCOMPARE(button.takeFirst(), QVariantList({2, 1}));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.last(), QVariantList({2, 1}));

        g->cells().setLocked(2, 1, true);
        QTest::keyClick(g.get(), Qt::Key_Space);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, centre(*g, 2, 1));
        QCOMPARE(g->cells().text(2, 1), QStringLiteral("0"));
        QCOMPARE(button.count(), 0);
    }

    void discardedKeysNeverEdit()
    {
        auto g = shownGrid();
        g->cells().setText(1, 1, QStringLiteral("keep"));
        g->cells().setCheckBox(2, 1);
        g->setKeysDiscarded(true);
        QSignalSpy keys(g.get(), &SpreadGrid::keyPressed);
        QSignalSpy changed(g.get(), &SpreadGrid::cellChanged);

        g->setActiveCell(1, 1);
        QTest::keyClicks(g.get(), QStringLiteral("xy"));
        QTest::keyClick(g.get(), Qt::Key_F2);
        QTest::keyClick(g.get(), Qt::Key_Backspace);
        QVERIFY(!g->isEditing());
        g->setActiveCell(2, 1);
        QTest::keyClick(g.get(), Qt::Key_Space);
        QTest::keyClick(g.get(), Qt::Key_Left);   // navigation still works

        QCOMPARE(keys.count(), 6);
        QCOMPARE(keys.at(0).at(0).toInt(), int(Qt::Key_X));
        QCOMPARE(g->activeCol(), 1);
        QCOMPARE(g->cells().text(1, 1), QStringLiteral("keep"));
        QCOMPARE(g->cells().text(2, 1), QString());
        QCOMPARE(changed.count(), 0);
    }

    void typingCommitsThroughTheEditors()
    {
        auto g = shownGrid();
        g->cells().setEdit(1, 1, 8, false);
        g->cells().setEdit(2, 1, 10, true);
        g->cells().setInteger(3, 1, 1, 3);
        g->cells().setText(3, 1, QStringLiteral("2"));
        QSignalSpy changed(g.get(), &SpreadGrid::cellChanged);

        g->setActiveCell(1, 1);
        QTest::keyClick(g.get(), Qt::Key_O);   // opens the editor with the key
        QWidget *editor = editorOf(*g);
        QVERIFY(qobject_cast<QLineEdit *>(editor));
        QTest::keyClicks(editor, QStringLiteral("'Brien-Smith"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(g->cells().text(1, 1), QStringLiteral("o'Brien-"));
        QCOMPARE(changed.count(), 1);

        g->setActiveCell(2, 1);
        QTest::keyClick(g.get(), Qt::Key_F2);
        editor = editorOf(*g);
        QVERIFY(qobject_cast<QPlainTextEdit *>(editor));
        QTest::keyClicks(editor, QStringLiteral("ab"));
        QTest::keyClick(editor, Qt::Key_Return);   // a new line, not a commit
        QTest::keyClicks(editor, QStringLiteral("cdefghijk"));
        QCOMPARE(g->cells().text(2, 1), QString());
        QTest::keyClick(editor, Qt::Key_Tab);
        QTRY_COMPARE(g->cells().text(2, 1), QStringLiteral("ab\r\ncdefgh"));   // break counts 2
        QCOMPARE(changed.count(), 2);

        g->setActiveCell(3, 1);
        QTest::keyClick(g.get(), Qt::Key_4);   // refused keystroke
        editor = editorOf(*g);
        QVERIFY(qobject_cast<QLineEdit *>(editor));
        QCOMPARE(qobject_cast<QLineEdit *>(editor)->text(), QStringLiteral("2"));
        QTest::keyClick(editor, Qt::Key_0);
        QCOMPARE(qobject_cast<QLineEdit *>(editor)->text(), QStringLiteral("2"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!g->isEditing());
        QCOMPARE(changed.count(), 2);
        QTest::keyClick(g.get(), Qt::Key_3);
        QTest::keyClick(editorOf(*g), Qt::Key_Return);
        QTRY_COMPARE(g->cells().text(3, 1), QStringLiteral("3"));
        QCOMPARE(changed.count(), 3);
    }

    void listAndDateEditors()
    {
        auto g = shownGrid();
        g->cells().setComboBox(1, 2, {QStringLiteral("Level 1"), QStringLiteral("N/A")});
        g->cells().setText(1, 2, QStringLiteral("Not listed"));
        g->cells().setDate(2, 2, QDate(2000, 1, 1), QDate(2030, 12, 31));
        QSignalSpy changed(g.get(), &SpreadGrid::cellChanged);

        // Opening and leaving a list without choosing keeps a text it does not hold.
        g->setActiveCell(1, 2);
        g->edit(g->currentIndex());
        auto *combo = openEditor<QComboBox>(*g);
        QVERIFY(combo);
        QTest::keyClick(combo, Qt::Key_Escape);
        QTRY_VERIFY(!g->isEditing());
        QCOMPARE(g->cells().text(1, 2), QStringLiteral("Not listed"));

        g->edit(g->currentIndex());
        QTRY_VERIFY((combo = openEditor<QComboBox>(*g)));
        QTest::keyClick(combo, Qt::Key_Down);   // chooses and commits at once
        QTRY_COMPARE(g->cells().text(1, 2), QStringLiteral("Level 1"));
        QCOMPARE(changed.count(), 1);

        g->setActiveCell(2, 2);
        g->edit(g->currentIndex());
        auto *date = openEditor<QDateEdit>(*g);
        QVERIFY(date);
        QTest::keyClick(date, Qt::Key_Return);   // an empty date stays empty
        QTRY_VERIFY(!g->isEditing());
        QCOMPARE(g->cells().text(2, 2), QString());

        g->edit(g->currentIndex());
        QTRY_VERIFY((date = openEditor<QDateEdit>(*g)));
        date->setDate(QDate(2014, 3, 9));
        QTest::keyClick(date, Qt::Key_Return);
        QTRY_COMPARE(g->cells().text(2, 2), QStringLiteral("09/03/2014"));
        QCOMPARE(changed.count(), 2);
    }
};

QTEST_MAIN(TstSpreadGrid)
#include "tst_spreadgrid.moc"
