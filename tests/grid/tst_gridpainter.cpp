// Whole grids on printed pages: rows kept whole across page breaks, cells
// laid out as on screen, long words shrunk before broken, colours and ticks.
#include "GridPagePainter.h"
#include "PdfText.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

using grid::GridPagePainter;
using grid::SpreadModel;

namespace {

// The block rectangle of a section page on A4, in twips.
const QRectF Block(500, 800, 11406, 16038);

using Word = PdfText::Word;
using Words = QMultiHash<QString, Word>;

// Prints every page of the grid into a PDF the way a continued block does and
// reads back where each word landed.
Words printed(const SpreadModel &model, int &pages)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"grid.pdf"_s);
    {
        QPdfWriter writer(pdf);
        writer.setResolution(1440);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        GridPagePainter grid(model);
        pages = grid.pageCount(&writer, Block);
        for (int i = 1; i <= pages; ++i) {
            grid.drawPage(painter, Block, i);
            if (i < pages)
                writer.newPage();
        }
    }
    Words words;
    for (const Word &word : PdfText::words(pdf))
        words.insert(word.text, word);
    return words;
}

QList<int> pagesOf(const Words &words, const QString &text)
{
    QList<int> pages;
    for (const Word &w : words.values(text))
        pages.append(w.page);
    return pages;
}

QString rowTag(int row)
{
    return u"R%1"_s.arg(row);
}

} // namespace

class TstGridPainter : public QObject
{
    Q_OBJECT

    // Each of the 200 row tags printed once, the pages in order, nothing outside the block.
    static void checkWholeRows(const Words &words, int pages)
    {
        int lastPage = 1;
        for (int r = 1; r <= 200; ++r) {
            const QList<int> on = pagesOf(words, rowTag(r));
            QCOMPARE(on.size(), 1);
            QVERIFY2(on.first() == lastPage || on.first() == lastPage + 1, qPrintable(rowTag(r)));
            lastPage = on.first();
        }
        QCOMPARE(lastPage, pages);
        for (const Word &w : words)
            QVERIFY2(w.box.top() * 20 >= Block.top() - 1 && w.box.bottom() * 20 <= Block.bottom() + 1, qPrintable(w.text));
    }

private Q_SLOTS:
    void tallGridPaginatesWholeRowsAndGroups()
    {
        SpreadModel m(3, 200);
        for (int r = 1; r <= 200; ++r) {
            m.setText(1, r, rowTag(r));
            if (r % 7 == 0)
                m.setText(2, r, u"several words that wrap over lines "_s.repeated(4));
        }
        int pages = 0;
        Words words = printed(m, pages);
        QVERIFY(pages > 2);
        checkWholeRows(words, pages);
        int split = 1;   // the first row of page 2
        while (pagesOf(words, rowTag(split)) == QList<int>{1})
            ++split;

        // A row span across the page break pulls its rows onto the next page together.
        m.addSpan(3, split - 1, 1, 3);
        m.setText(3, split - 1, u"SPAN"_s);
        words = printed(m, pages);
        checkWholeRows(words, pages);
        for (const QString &t : {rowTag(split - 1), rowTag(split + 1), u"SPAN"_s})
            QCOMPARE(pagesOf(words, t), QList<int>{2});
        QCOMPARE(pagesOf(words, rowTag(split - 2)), QList<int>{1});
    }

    void cellsLayOutAsOnScreen()
    {
        SpreadModel m(3, 4);
        m.setColWidth(1, 0);
        m.setColWidth(2, 12);
        m.setColWidth(3, 12);
        m.setText(1, 1, u"HIDDENID"_s);
        m.setText(2, 1, u"First and then many more words to wrap in this narrow cell"_s);
        m.setText(2, 2, u"Second"_s);
        m.setText(2, 3, u"Third"_s);
        m.setText(2, 4, u"Fourth"_s);
        m.setCheckBox(3, 2);
        grid::CellSpec viewed = m.cell(3, 2);
        viewed.buttonText = u"Viewed"_s;
        m.setCell(3, 2, viewed);
        m.setText(3, 2, u"1"_s);
        m.setButton(3, 3, u"Additional Disabilities"_s);
        m.setText(3, 4, u"Pneumonoultramicroscopicsilicovolcanoconiosis"_s);
        int pages = 0;
        const Words words = printed(m, pages);
        const auto box = [&](const char *text) { return words.value(QLatin1String(text)).box; };
        const QRectF first = box("First"), second = box("Second"), third = box("Third"), fourth = box("Fourth");
        QVERIFY(first.isValid() && second.isValid() && third.isValid() && fourth.isValid());
        // A button is a screen's working part: it never prints.
        QVERIFY(!words.contains(u"Additional"_s) && !words.contains(u"Disabilities"_s));

        // The hidden column takes no room; a check box shows its caption, never its value.
        QVERIFY(first.left() * 20 < Block.left() + 200);
        QVERIFY(!words.contains(u"HIDDENID"_s) && !words.contains(u"1"_s));
        QVERIFY(words.contains(u"Viewed"_s));
        QVERIFY(second.top() - first.top() > 2.5 * (third.top() - second.top()));   // wrapped row

        // A word wider than its cell even at the smallest size breaks inside it.
        const double cellLeft = (Block.left() + 12 * GridPagePainter::unitTwips()) / 20.0;
        const double cellRight = (Block.left() + 24 * GridPagePainter::unitTwips()) / 20.0;
        int pieces = 0;
        for (const Word &w : words) {
            if (w.box.left() >= cellLeft - 1) {
                QVERIFY2(w.box.right() <= cellRight + 0.5, qPrintable(w.text));
                pieces += w.box.top() >= fourth.top() - 1;
            }
        }
        QVERIFY(pieces >= 2);
    }

    // Columns are fixed by the page design: a word wider than its cell
    // shrinks the cell's text (to no less than 60% of its size) instead of
    // breaking, and the row grows to what the shrunk text needs.
    void wordsShrinkBeforeTheyBreak()
    {
        const QString longWord = u"Supercalifragilisticexpialidociousnesses"_s;
        QCOMPARE(longWord.size(), 40);
        SpreadModel m(3, 2);
        m.setColWidths({6, 8, 24});
        m.setText(1, 1, u"Device/s"_s);
        m.setComboBox(2, 1, {u"LOW"_s, u"MODERATE"_s});
        m.setText(2, 1, u"MODERATE"_s);
        m.setText(3, 1, u"The "_s + longWord + u" of it"_s);
        m.setText(1, 2, u"Below"_s);
        int pages = 0;
        const Words words = printed(m, pages);
        const double below = words.value(u"Below"_s).box.top();
        const double normal = words.value(u"Below"_s).box.height();
        QVERIFY(below > 0 && normal > 0);
        double columnLeft = Block.left() / 20.0;
        const double widths[] = {6, 8, 24};
        const QString whole[] = {u"Device/s"_s, u"MODERATE"_s, longWord};
        for (int c = 0; c < 3; ++c) {
            const double columnRight = columnLeft + widths[c] * GridPagePainter::unitTwips() / 20.0;
            QCOMPARE(words.count(whole[c]), 1);   // one word, on one line
            const QRectF box = words.value(whole[c]).box;
            QVERIFY2(box.left() >= columnLeft && box.right() <= columnRight, qPrintable(whole[c]));
            QVERIFY2(box.height() < normal && box.height() > 0.55 * normal, qPrintable(whole[c]));
            QVERIFY2(box.bottom() <= below, qPrintable(whole[c]));   // its row holds it
            columnLeft = columnRight;
        }
        // The short words of the shrunk cell share its size.
        QVERIFY(words.value(u"The"_s).box.height() < normal);
    }

    void coloursTicksAndTheRightEdge()
    {
        SpreadModel m(3, 2);
        for (int c = 1; c <= 3; ++c)
            m.setColWidth(c, 20);
        m.setBlockBackColor(2, 1, 3, 1, Qt::red);
        m.setCheckBox(1, 2);
        const double unit = 20 * GridPagePainter::unitTwips() / 15.0;   // column width in pixels
        const auto render = [&] {
            QImage image(800, 400, QImage::Format_RGB32);   // 96 dpi: 15 twips a pixel
            image.fill(Qt::white);
            QPainter painter(&image);
            GridPagePainter(m).drawPage(painter, QRectF(0, 0, 2.5 * unit * 15, 6000), 1);   // to mid column 3
            return image;
        };
        const QImage image = render();
        QCOMPARE(image.pixelColor(int(0.5 * unit), 6), QColor(Qt::white));
        QCOMPARE(image.pixelColor(int(1.5 * unit), 6), QColor(Qt::red));
        QCOMPARE(image.pixelColor(int(2.25 * unit), 6), QColor(Qt::red));
        QCOMPARE(image.pixelColor(int(2.75 * unit), 6), QColor(Qt::white));

        const auto dark = [&](const char *checkText) {
            m.setText(1, 2, QLatin1String(checkText));
            const QImage img = render();
            int n = 0;
            for (int y = 0; y < 100; ++y)
                for (int x = 0; x < int(unit); ++x)
                    n += qGray(img.pixel(x, y)) < 100;
            return n;
        };
        const int unticked = dark("0");
        QVERIFY(unticked > 0);                   // the empty box is drawn
        QVERIFY(dark("1") > unticked + 4);       // and the tick inside it
    }
};

QTEST_MAIN(TstGridPainter)
#include "tst_gridpainter.moc"
