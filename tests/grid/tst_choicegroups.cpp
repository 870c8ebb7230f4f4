// Check boxes that exclude each other (yes/no pairs, the three-way site
// choice) and answer cells switched on and off.
#include "SpreadGrid.h"

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

using grid::SpreadGrid;
using grid::SpreadModel;

namespace {

bool tick(SpreadModel &m, int col, int row, bool ticked = true)
{
    return m.setData(m.index(row - 1, col - 1), ticked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

// The boxes of row 1, columns 2 to 4, as "ticked ticked ticked" digits.
QString boxes(const SpreadModel &m)
{
    return m.text(2, 1) + m.text(3, 1) + m.text(4, 1);
}

} // namespace

class TstChoiceGroups : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Columns 2 and 3 are a yes/no pair, or columns 2 to 4 a three-way
    // choice; the user's ticks and unticks ("+3" ticks column 3, "-3" unticks it).
    void userTicksKeepOneBoxTicked_data()
    {
        QTest::addColumn<bool>("threeWay");
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("edits");
        QTest::newRow("yes") << false << "+2" << "100" << 1;
        QTest::newRow("yes then no") << false << "+2 +3" << "010" << 2;
        QTest::newRow("no then yes") << false << "+3 +2" << "100" << 2;
        QTest::newRow("unticking leaves both empty") << false << "+2 -2" << "000" << 2;
        QTest::newRow("ticking the ticked box is no change") << false << "+2 +2" << "100" << 1;
        QTest::newRow("completely then partially") << true << "+2 +3" << "010" << 2;
        QTest::newRow("alternate site after both others") << true << "+2 +3 +4" << "001" << 3;
        QTest::newRow("unticking partially leaves none") << true << "+3 -3" << "000" << 2;
    }
    void userTicksKeepOneBoxTicked()
    {
        QFETCH(bool, threeWay);
        QFETCH(QString, clicks);
        QFETCH(QString, shown);
        QFETCH(int, edits);
        SpreadModel m(4, 2);
        if (threeWay)
            m.setChoiceRow(1, {{2, u"Completely"_s}, {3, u"Partially"_s}, {4, u"Alternate site"_s}});
        else
            m.setYesNoPair(1, 2, 3);
        // A box of another row is not part of the choice.
        m.setCheckBox(2, 2);
        m.setText(2, 2, u"1"_s);
        QSignalSpy edited(&m, &SpreadModel::cellEdited);
        for (const QString &click : clicks.split(QLatin1Char(' ')))
            QVERIFY(tick(m, click.mid(1).toInt(), 1, click.startsWith(QLatin1Char('+'))));
        QCOMPARE(boxes(m).left(threeWay ? 3 : 2), shown.left(threeWay ? 3 : 2));
        QCOMPARE(edited.count(), edits);
        QCOMPARE(m.text(2, 2), u"1"_s);
        if (!threeWay) {
            QCOMPARE(m.cell(2, 1).buttonText, u"Yes"_s);
            QCOMPARE(m.cell(3, 1).buttonText, u"No"_s);
        }
    }

    // A load sets each box as stored; the model does not police code.
    void textsSetFromCodeAreLeftAlone()
    {
        SpreadModel m(4, 1);
        m.setYesNoPair(1, 2, 3);
        QCOMPARE(boxes(m).left(2), u"00"_s);
        QSignalSpy edited(&m, &SpreadModel::cellEdited);
        m.setText(2, 1, u"1"_s);
        m.setText(3, 1, u"1"_s);
        QCOMPARE(boxes(m).left(2), u"11"_s);
        QCOMPARE(edited.count(), 0);
        QCOMPARE(m.choicePartners(2, 1), QVector<QPoint>{QPoint(3, 1)});
        QVERIFY(m.choicePartners(4, 1).isEmpty());
    }

    void switchedOffCellsAreLockedAndGrey()
    {
        SpreadModel m(3, 1);
        m.setEdit(2, 1, 20);
        m.setText(2, 1, u"kept"_s);
        m.setCellEnabled(2, 1, false);
        QVERIFY(m.isLocked(2, 1));
        QVERIFY(!m.isCellEnabled(2, 1));
        QCOMPARE(m.cell(2, 1).backColor, QColor(233, 233, 233));
        QCOMPARE(m.cell(2, 1).foreColor, QColor(Qt::black));
        QVERIFY(!m.setData(m.index(0, 1), u"typed"_s, Qt::EditRole));
        QVERIFY(!(m.flags(m.index(0, 1)) & Qt::ItemIsEditable));
        QCOMPARE(m.text(2, 1), u"kept"_s);

        m.setCellEnabled(2, 1, true);
        QVERIFY(m.isCellEnabled(2, 1));
        QCOMPARE(m.cell(2, 1).backColor, QColor(Qt::white));
        QVERIFY(m.setData(m.index(0, 1), u"typed"_s, Qt::EditRole));
        QCOMPARE(m.text(2, 1), u"typed"_s);
    }

    // Switching a cell off while its editor is open closes the editor and
    // drops what was typed; an editor on another cell stays open.
    void switchingOffClosesItsOpenEditor_data()
    {
        QTest::addColumn<int>("editorCol");
        QTest::addColumn<int>("switchedCol");
        QTest::addColumn<bool>("stillEditing");
        QTest::newRow("its own editor") << 2 << 2 << false;
        QTest::newRow("a cell of the same span") << 2 << 3 << false;
        QTest::newRow("another cell's editor") << 1 << 2 << true;
    }
    void switchingOffClosesItsOpenEditor()
    {
        QFETCH(int, editorCol);
        QFETCH(int, switchedCol);
        QFETCH(bool, stillEditing);
        SpreadGrid g(3, 1);
        g.cells().setEdit(1, 1, 20);
        g.cells().setEdit(2, 1, 20);
        g.cells().addSpan(2, 1, 2, 1);
        g.resize(400, 100);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.setActiveCell(editorCol, 1);
        g.edit(g.model()->index(0, editorCol - 1));
        QVERIFY(g.isEditing());
        auto *editor = g.viewport()->findChild<QPlainTextEdit *>();
        QVERIFY(editor);
        editor->setPlainText(u"typed"_s);
        g.setCellEnabled(switchedCol, 1, false);
        QCOMPARE(g.isEditing(), stillEditing);
        QCOMPARE(g.activeCol(), editorCol);
        if (switchedCol == editorCol)
            QCOMPARE(g.cells().text(2, 1), QString());   // the typing was dropped
    }
};

QTEST_MAIN(TstChoiceGroups)
#include "tst_choicegroups.moc"
