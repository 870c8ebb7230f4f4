// The cursor both the section pages and the reports place their blocks with,
// on a sheet of plain numbers: the edges of the sheet that printed pages only
// reach by chance.
#include "SheetFlow.h"

#include <QtTest>

namespace {

// A sheet 1000 high whose heads end at a different y on each sheet.
double headTop(int sheet)
{
    static const QVector<double> tops = {100, 200, 150};
    return tops.value(sheet - 1, 150);
}

} // namespace

class TestSheetFlow : public QObject
{
    Q_OBJECT

private slots:
    // Each block: (its own top, its height); each place: (y, sheet).
    void blocksGoAtTheirTopBelowTheLastOrOnTheNextSheet_data()
    {
        QTest::addColumn<QList<QPointF>>("blocks");
        QTest::addColumn<QList<QPointF>>("places");
        QTest::newRow("at its own top") << QList<QPointF>{{300, 100}} << QList<QPointF>{{300, 1}};
        QTest::newRow("never above the head") << QList<QPointF>{{0, 100}} << QList<QPointF>{{100, 1}};
        QTest::newRow("below the last block and the gap")
            << QList<QPointF>{{100, 200}, {150, 100}} << QList<QPointF>{{100, 1}, {310, 1}};
        QTest::newRow("reaching the bottom exactly") << QList<QPointF>{{900, 100}} << QList<QPointF>{{900, 1}};
        QTest::newRow("past the bottom by rounding") << QList<QPointF>{{900.005, 100}} << QList<QPointF>{{900.005, 1}};
        // On the next sheet a block starts below that sheet's head, not at
        // its own top.
        QTest::newRow("past the bottom") << QList<QPointF>{{900, 101}} << QList<QPointF>{{200, 2}};
        QTest::newRow("every sheet below its own head")
            << QList<QPointF>{{100, 700}, {0, 700}, {0, 700}} << QList<QPointF>{{100, 1}, {200, 2}, {150, 3}};
        // A block no sheet holds is not pushed on from sheet to sheet.
        QTest::newRow("taller than a sheet") << QList<QPointF>{{0, 5000}} << QList<QPointF>{{100, 1}};
        QTest::newRow("taller than a sheet, after a block")
            << QList<QPointF>{{100, 50}, {0, 5000}, {0, 50}} << QList<QPointF>{{100, 1}, {200, 2}, {150, 3}};
    }

    void blocksGoAtTheirTopBelowTheLastOrOnTheNextSheet()
    {
        QFETCH(QList<QPointF>, blocks);
        QFETCH(QList<QPointF>, places);
        QList<int> heads;
        SheetFlow flow({1000, 10, 0.01, 1}, [&](int sheet) {
            heads << sheet;
            return headTop(sheet);
        });
        QList<QPointF> placed;
        for (const QPointF &block : blocks) {
            const double y = flow.reserve(block.x(), block.y());
            placed << QPointF(y, flow.sheet());
        }
        QCOMPARE(placed, places);
        QList<int> expectedHeads;
        for (int sheet = 1; sheet <= int(places.last().y()); ++sheet)
            expectedHeads << sheet;
        QCOMPARE(heads, expectedHeads);   // each sheet opened once, in order
    }

    // A sheet the flow runs onto repeats what the caller gives it and the
    // block goes below that; a sheet broken on purpose repeats nothing.
    // Sheets count from the number the caller starts on (reports count from 0).
    void aSheetRunOntoRepeatsAndABrokenOneDoesNot()
    {
        QList<int> heads;
        SheetFlow flow({1000, 0, 0, 0}, [&](int sheet) {
            heads << sheet;
            return 100.0;
        });
        int repeats = 0;
        flow.setRepeat([&] {
            ++repeats;
            flow.advance(40);
        });
        QCOMPARE(flow.room(950), 100.0);    // too tall for any sheet: stays, nothing opened
        flow.advance(850);
        QCOMPARE(flow.room(50), 950.0);     // exactly to the bottom
        QCOMPARE(flow.room(51), 140.0);     // runs on, below the repeat
        QCOMPARE(flow.sheet(), 1);
        QCOMPARE(repeats, 1);
        flow.newSheet();
        QCOMPARE(flow.end(), 100.0);
        QCOMPARE(repeats, 1);
        QCOMPARE(heads, (QList<int>{0, 1, 2}));
    }
};

QTEST_APPLESS_MAIN(TestSheetFlow)
#include "tst_sheetflow.moc"
