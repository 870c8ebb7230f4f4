#include "EditLimits.h"
#include "SpreadGrid.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QTextCursor>
#include <QtTest>

using namespace Qt::StringLiterals;

using grid::SpreadGrid;
using grid::SpreadModel;

class TstSpreadGrid : public QObject
{
    Q_OBJECT

    // A shown, active grid of 5 columns and 4 rows, so keys and clicks reach it.
    static std::unique_ptr<SpreadGrid> shownGrid()
    {
        auto g = std::make_unique<SpreadGrid>(5, 4);
        for (int c = 1; c <= 5; ++c)
            g->cells().setColWidth(c, 12);
        g->resize(600, 300);
        g->show();
        g->activateWindow();
        g->setFocus();
        if (!QTest::qWaitForWindowActive(g.get()))
            qWarning("grid window not active");
        return g;
    }

    static void click(SpreadGrid &g, int col, int row)
    {
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(g.model()->index(row - 1, col - 1)).center());
    }

    // Types into whatever has the focus, as the user does; "\x02" stands for F2.
    static void type(const QString &keys)
    {
        for (const QChar ch : keys)
            if (ch == u'\x02')
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
            else
                QTest::keyClicks(QApplication::focusWidget(), QString(ch));
    }

private Q_SLOTS:
    void layoutFollowsTheModel()
    {
        SpreadGrid g(3, 2);
        QVERIFY(g.horizontalHeader()->isHidden() && g.verticalHeader()->isHidden());
        g.cells().setColWidth(1, 0);
        g.cells().setColWidth(2, 20);
        g.cells().setColWidth(3, 6);
        g.cells().setEdit(3, 2, 2000);
        g.setFitToContents(true);
        g.applyLayout();
        QVERIFY(g.isColumnHidden(0));
        QVERIFY(qAbs(g.columnWidth(1) - 20 * g.unitWidth()) <= 1.0);
        const QSize fitted = g.sizeHint();
        QCOMPARE(fitted, QSize(g.columnWidth(1) + g.columnWidth(2), g.rowHeight(0) + g.rowHeight(1))
                         + 2 * QSize(g.frameWidth(), g.frameWidth()));

        // A long answer typed into the form makes its row and the form taller, not a scroll bar.
        QVERIFY(g.model()->setData(g.model()->index(1, 2), u"a long answer that cannot fit on one line of this cell"_s));
        QTRY_VERIFY(g.rowHeight(1) > 2 * g.rowHeight(0));
        QCOMPARE(g.sizeHint(), fitted + QSize(0, g.rowHeight(1) - g.rowHeight(0)));
        g.cells().setText(3, 2, QString());
        QTRY_COMPARE(g.rowHeight(1), g.rowHeight(0));

        g.cells().setColWidth(1, 5);
        QVERIFY(!g.isColumnHidden(0));
        g.cells().setHeaderText(2, u"Name of Learner"_s);
        g.setColumnHeaderVisible(true);
        QVERIFY(!g.horizontalHeader()->isHidden());
        QCOMPARE(g.model()->headerData(1, Qt::Horizontal).toString(), u"Name of Learner"_s);
    }

    void longListIsMeasuredInOnePass()
    {
        // A list of hundreds of rows hears of its fill once; most rows take
        // one line, a name too long for its column or a text with a line
        // break takes more, and a refill with short texts brings them back.
        SpreadGrid g(2, 0);
        g.cells().setColWidth(1, 12);
        g.cells().setColWidth(2, 12);
        QSignalSpy changes(g.spreadModel(), &QAbstractItemModel::dataChanged);
        {
            SpreadModel::BulkChange fill(g.cells());
            g.cells().setMaxRows(500);
            for (int row = 1; row <= 500; ++row)
                g.cells().setText(1, row, u"Learner %1"_s.arg(row));
            g.cells().setText(2, 250, u"MAHLANGU-VAN DER WESTHUIZEN Nomvula Élise"_s);
            g.cells().setText(2, 300, u"Line one\r\nLine two"_s);
            // A text the quick check leaves to the full layout, on one line all the same.
            g.cells().setText(2, 400, u"Zo\u2010e"_s);
            QCOMPARE(changes.count(), 0);
        }
        QCOMPARE(changes.count(), 1);
        g.fitPendingRowsNow();
        const int oneLine = g.rowHeight(0);
        QCOMPARE(g.rowHeight(499), oneLine);
        QCOMPARE(g.rowHeight(399), oneLine);
        QVERIFY(g.rowHeight(249) > oneLine);
        QVERIFY(g.rowHeight(299) > oneLine);

        g.cells().setText(2, 250, u"Short"_s);
        g.cells().setText(2, 300, QString());
        g.applyLayout();
        QCOMPARE(g.rowHeight(249), oneLine);
        QCOMPARE(g.rowHeight(299), oneLine);
    }

    void clicksAndKeys()
    {
        auto g = shownGrid();
        g->cells().setText(1, 1, u"keep"_s);
        g->cells().setCheckBox(2, 1);
        g->cells().setButton(3, 1, u"More"_s);
        QSignalSpy clicked(g.get(), &SpreadGrid::cellClicked);
        QSignalSpy button(g.get(), &SpreadGrid::buttonClicked);
        QSignalSpy changed(g.get(), &SpreadGrid::cellChanged);

        click(*g, 4, 2);
        QCOMPARE(clicked.takeFirst(), QVariantList({4, 2}));
        QCOMPARE(QPoint(g->activeCol(), g->activeRow()), QPoint(4, 2));

        click(*g, 3, 1);
        QCOMPARE(button.takeFirst(), QVariantList({3, 1}));
        QCOMPARE(changed.count(), 0);
        click(*g, 2, 1);                           // ticks the box
        QCOMPARE(button.takeFirst(), QVariantList({2, 1}));
        QTest::keyClick(g.get(), Qt::Key_Space);   // and takes the tick back
        QCOMPARE(button.takeFirst(), QVariantList({2, 1}));
        QCOMPARE(g->cells().text(2, 1), u"0"_s);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.last(), QVariantList({2, 1}));

        g->cells().setLocked(2, 1, true);   // neither key nor click may tick a locked box
        QTest::keyClick(g.get(), Qt::Key_Space);
        click(*g, 2, 1);
        g->cells().setLocked(2, 1, false);

        // A pick-only list: typed keys are reported, never edit, and arrows still move.
        g->setKeysDiscarded(true);
        QSignalSpy keys(g.get(), &SpreadGrid::keyPressed);
        g->setActiveCell(1, 1);
        type(u"xy\b\x02"_s);
        QVERIFY(!g->isEditing());
        g->setActiveCell(2, 1);
        QTest::keyClick(g.get(), Qt::Key_Space);
        QTest::keyClick(g.get(), Qt::Key_Left);
        QCOMPARE(keys.count(), 6);
        QCOMPARE(keys.first().first().toInt(), int(Qt::Key_X));
        QCOMPARE(g->activeCol(), 1);
        QCOMPARE(g->cells().text(1, 1), u"keep"_s);
        QCOMPARE(g->cells().text(2, 1), u"0"_s);
        QCOMPARE(button.count(), 0);
        QCOMPARE(changed.count(), 2);
    }

    // Each row types into one cell of the same row of editors; the first key opens the editor.
    void typingCommitsThroughTheEditors_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QByteArray>("editor");
        QTest::addColumn<QString>("shown");   // the editor's text before the last key; null: today
        QTest::addColumn<QString>("text");
        const auto row = [](const char *name, int col, const char *keys, const char *editor,
                            const char *shown, const char *text) {
            QTest::newRow(name) << col << QString::fromUtf8(keys) << QByteArray(editor)
                                << QString::fromUtf8(shown) << QString::fromUtf8(text);
        };
        row("line, clipped", 1, "O'Brien-Smith\r", "QLineEdit", "O'Brien-", "O'Brien-");
        row("multi-line, a break counts two", 2, "ab\rcdefghijk\t", "QPlainTextEdit", "ab\ncdefgh", "ab\r\ncdefgh");
        row("integer, refused keys", 3, "40\r", "QLineEdit", "2", "2");
        row("integer", 3, "3\r", "QLineEdit", "3", "3");
        row("list, left untouched", 4, "\x02\t", "QComboBox", "", "Not listed");
        row("list, chosen by its letter", 4, "\x02N", "QComboBox", "", "N/A");
        row("date, left untouched", 5, "\x02\r", "QDateEdit", nullptr, "");
        row("date", 5, "\x02" "09032014\r", "QDateEdit", "09/03/2014", "09/03/2014");
    }

    void typingCommitsThroughTheEditors()
    {
        QFETCH(int, col);
        QFETCH(QString, keys);
        QFETCH(QByteArray, editor);
        QFETCH(QString, shown);
        QFETCH(QString, text);
        auto g = shownGrid();
        g->cells().setEdit(1, 1, 8, false);
        g->cells().setEdit(2, 1, 10, true);
        g->cells().setInteger(3, 1, 1, 3);
        g->cells().setText(3, 1, u"2"_s);
        g->cells().setComboBox(4, 1, {u"Level 1"_s, u"N/A"_s});
        g->cells().setText(4, 1, u"Not listed"_s);
        g->cells().setDate(5, 1, QDate(2000, 1, 1), QDate(2030, 12, 31));
        const QString before = g->cells().text(col, 1);
        QSignalSpy changed(g.get(), &SpreadGrid::cellChanged);

        g->setActiveCell(col, 1);
        type(keys.left(1));
        QWidget *open = QApplication::focusWidget();
        QVERIFY(g->isEditing() && open->inherits(editor));
        type(keys.mid(1).chopped(1));
        const char *property = editor == "QPlainTextEdit" ? "plainText"
                               : editor == "QComboBox"    ? "currentText" : "text";
        if (!shown.isNull())
            QCOMPARE(open->property(property).toString(), shown);
        QCOMPARE(g->cells().text(col, 1), before);   // nothing is stored while typing
        type(keys.right(1));
        QTRY_COMPARE(g->cells().text(col, 1), text);
        QCOMPARE(changed.count(), text == before ? 0 : 1);
    }

    // An editor opened on a loaded text longer than the cell's limit shows it
    // whole and hands it back whole; typed text never splits a character.
    void editorsKeepLoadedTextsWhole_data()
    {
        QTest::addColumn<bool>("multiLine");
        QTest::newRow("line") << false;
        QTest::newRow("multi-line") << true;
    }
    void editorsKeepLoadedTextsWhole()
    {
        QFETCH(bool, multiLine);
        auto g = shownGrid();
        g->cells().setEdit(1, 1, 5, multiLine);
        const QString loaded = QString(40000, QLatin1Char('w'));
        g->cells().setText(1, 1, loaded);
        const QModelIndex index = g->model()->index(0, 0);
        std::unique_ptr<QWidget> editor(g->itemDelegate()->createEditor(g->viewport(), QStyleOptionViewItem(), index));
        g->itemDelegate()->setEditorData(editor.get(), index);
        const char *property = multiLine ? "plainText" : "text";
        QCOMPARE(editor->property(property).toString().size(), loaded.size());
        g->itemDelegate()->setModelData(editor.get(), g->model(), index);
        QCOMPARE(g->cells().text(1, 1), loaded);

        // A short cell: four letters and an emoji fit, a second emoji does not.
        g->cells().setText(1, 1, QString());
        std::unique_ptr<QWidget> fresh(g->itemDelegate()->createEditor(g->viewport(), QStyleOptionViewItem(), index));
        g->itemDelegate()->setEditorData(fresh.get(), index);
        if (auto *plain = qobject_cast<QPlainTextEdit *>(fresh.get()))
            plain->insertPlainText(u"abcd\U0001F600\U0001F600\u0000"_s);
        else
            qobject_cast<QLineEdit *>(fresh.get())->insert(u"abcd\U0001F600\U0001F600\u0000"_s);
        QCOMPARE(fresh->property(property).toString(), u"abcd\U0001F600"_s);

        // Typing into the middle of a full cell keeps what is after the cursor.
        const auto typeAt = [&fresh](int position, const QString &typed) {
            if (auto *plain = qobject_cast<QPlainTextEdit *>(fresh.get())) {
                QTextCursor cursor = plain->textCursor();
                cursor.setPosition(position);
                plain->setTextCursor(cursor);
                plain->insertPlainText(typed);
            } else {
                auto *line = qobject_cast<QLineEdit *>(fresh.get());
                line->setCursorPosition(position);
                line->insert(typed);
            }
        };
        typeAt(2, u"XY"_s);
        QCOMPARE(fresh->property(property).toString(), u"abcd\U0001F600"_s);
        QCOMPARE(fresh->inputMethodQuery(Qt::ImCursorPosition).toInt(), 2);
        QTest::keyClick(fresh.get(), Qt::Key_Delete);
        typeAt(2, u"XY"_s);
        QCOMPARE(fresh->property(property).toString(), u"abXd\U0001F600"_s);
    }

    // A text box held to a stored column's width: typing stops at a whole
    // character; a longer loaded text is shown whole and may only shrink.
    void lineEditLimitBindsTypingNotLoading()
    {
        QLineEdit box;
        grid::LineEditLimit::attach(&box, 5);
        box.insert(u"abcd\U0001F600\U0001F600\u0000"_s);
        QCOMPARE(box.text(), u"abcd\U0001F600"_s);

        const QString loaded = u"0123456789\U0001F600"_s;
        box.setText(loaded);
        QCOMPARE(box.text(), loaded);
        box.insert(u"x"_s);
        QCOMPARE(box.text(), loaded);
        box.home(false);
        box.del();
        box.del();
        box.insert(u"xyz"_s);
        QCOMPARE(box.text(), u"xy23456789\U0001F600"_s);
        QCOMPARE(box.cursorPosition(), 2);
        QVERIFY(box.isModified());
    }
};

QTEST_MAIN(TstSpreadGrid)
#include "tst_spreadgrid.moc"
