// The printer operations the section pages are written in, printed into PDF
// files and read back.
#include "PageFlow.h"
#include "PagePrinter.h"
#include "PdfText.h"
#include "PrintError.h"
#include "PrinterChoice.h"
#include "SectionPage.h"
#include "SpreadModel.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A grid of `rows` one-line rows whose texts tell their row number.
std::unique_ptr<grid::SpreadModel> numberedGrid(int rows)
{
    auto grid = std::make_unique<grid::SpreadModel>(2, rows);
    grid->setColWidth(1, 20);
    grid->setColWidth(2, 20);
    for (int row = 1; row <= rows; ++row)
        grid->setText(1, row, u"row%1"_s.arg(row));
    return grid;
}

// Prints into a new PDF file in dir and returns its path.
template <typename Draw>
QString printed(const QTemporaryDir &dir, const QString &name, Draw draw)
{
    const QString pdf = dir.filePath(name);
    auto printer = PrinterChoice::pdfChooser(pdf)(nullptr, QPageLayout::Portrait);
    PagePrinter page(*printer);
    draw(page);
    page.endDoc();
    return pdf;
}

} // namespace

class TestPagePrinter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { PrinterChoice::setChooser({}); }

    // A grid longer than its sheet continues on the next ones, each row once,
    // the header (and learner line) at the top of every sheet, and a block
    // after it below its last row.
    void longBlockContinuesWithTheHeaderRepeated_data()
    {
        QTest::addColumn<bool>("learnerLine");
        QTest::newRow("header only") << false;
        QTest::newRow("header and learner line") << true;
    }

    void longBlockContinuesWithTheHeaderRepeated()
    {
        QFETCH(bool, learnerLine);
        const auto grid = numberedGrid(150);
        const auto after = numberedGrid(1);
        after->setText(1, 1, u"AFTER"_s);
        const QString pdf = printed(m_dir, u"flow.pdf"_s, [&](PagePrinter &page) {
            page.setHead({u"123"_s, u"MOKOENA Thabo"_s, QString()});
            SectionPage::print(page, u" [ TEST ]"_s, learnerLine, {{grid.get(), 800}, {after.get(), 2000}});
        });
        const QStringList sheets = PdfText::pages(pdf);
        QVERIFY(sheets.size() >= 3);
        // Every sheet has the header; a further sheet names the learner
        // (in its continued mark where the page has no learner line) and
        // says it continues.
        for (int i = 0; i < sheets.size(); ++i) {
            const QString &sheet = sheets.at(i);
            QVERIFY(sheet.contains(u"EMIS NUMBER: 123 [ TEST ]"_s));
            QCOMPARE(sheet.contains(u"LEARNER NAME : MOKOENA Thabo"_s), learnerLine || i > 0);
            QCOMPARE(sheet.contains(u"(continued)"_s), i > 0);
            QCOMPARE(sheet.contains(QRegularExpression(u"MOKOENA Thabo +ASSESION NUMBER: +\\(continued\\)"_s)),
                     i > 0 && !learnerLine);
        }
        const QVector<PdfText::Word> words = PdfText::words(pdf);
        int sheetOfPrevious = 1;
        double bottomOfPrevious = 0;
        for (int row = 1; row <= 150; ++row) {
            const QString tag = u"row%1"_s.arg(row);
            const auto hits = std::count_if(words.cbegin(), words.cend(), [&](const PdfText::Word &w) { return w.text == tag; });
            const PdfText::Word word = PdfText::find(words, tag);
            QVERIFY2(hits == 1, qPrintable(tag));
            // In order: lower on the same sheet, or on the next sheet below the header lines.
            QVERIFY2(word.page == sheetOfPrevious ? word.box.top() > bottomOfPrevious
                                                  : word.page == sheetOfPrevious + 1 && word.box.top() * 20 > (learnerLine ? 560 : 380),
                     qPrintable(tag));
            sheetOfPrevious = word.page;
            bottomOfPrevious = word.box.bottom();
        }
        const PdfText::Word last = PdfText::find(words, u"AFTER"_s);
        QCOMPARE(last.page, sheetOfPrevious);
        QVERIFY(last.box.top() > bottomOfPrevious);
    }

    // A row taller than a whole sheet is cut between its lines; every later
    // slice opens under the continued mark and the grid's heading row.
    void rowTallerThanASheetCarriesTheMarkOnEverySlice()
    {
        auto grid = numberedGrid(2);
        grid->setText(1, 1, u"HEADING"_s);
        QStringList lines;
        for (int line = 1; line <= 150; ++line)
            lines << u"line%1"_s.arg(line);
        grid->setText(1, 2, lines.join(u"\r\n"_s));
        const QString pdf = printed(m_dir, u"tall.pdf"_s, [&](PagePrinter &page) {
            page.setHead({QString(), u"MOKOENA Thabo"_s, QString()});
            SectionPage::print(page, u" [ TEST ]"_s, true, {{grid.get(), 800, SectionPage::BlockLeft, {1}}});
        });
        const QVector<PdfText::Word> words = PdfText::words(pdf);
        const int sheets = PdfText::pageCount(pdf);
        QVERIFY(sheets >= 3);
        for (int line = 1; line <= 150; ++line) {
            const QString tag = u"line%1"_s.arg(line);
            QVERIFY2(std::count_if(words.cbegin(), words.cend(), [&](const PdfText::Word &w) { return w.text == tag; }) == 1,
                     qPrintable(tag));
        }
        for (int sheet = 2; sheet <= sheets; ++sheet) {
            double mark = 0, heading = 0, firstLine = 1e9;
            for (const PdfText::Word &w : words) {
                if (w.page != sheet)
                    continue;
                if (w.text == QLatin1String("(continued)"))
                    mark = w.box.top();
                else if (w.text == QLatin1String("HEADING"))
                    heading = w.box.top();
                else if (w.text.startsWith(QLatin1String("line")))
                    firstLine = qMin(firstLine, w.box.top());
            }
            QVERIFY2(mark > 0 && mark < heading && heading < firstLine, qPrintable(QString::number(sheet)));
        }
    }

    // Blocks whose grids fit keep their tops exactly; a taller one pushes the
    // next block down to just below its end.
    void blocksStartAtTheirTopOrBelowTheBlockAbove_data()
    {
        QTest::addColumn<int>("firstRows");
        QTest::addColumn<bool>("pushed");
        QTest::newRow("fits") << 3 << false;
        QTest::newRow("runs over the next top") << 12 << true;
    }

    void blocksStartAtTheirTopOrBelowTheBlockAbove()
    {
        QFETCH(int, firstRows);
        QFETCH(bool, pushed);
        const auto first = numberedGrid(firstRows);
        const auto second = numberedGrid(1);
        second->setText(1, 1, u"SECOND"_s);
        const auto third = numberedGrid(1);
        third->setText(1, 1, u"THIRD"_s);
        const QString pdf = printed(m_dir, u"tops.pdf"_s, [&](PagePrinter &page) {
            SectionPage::print(page, QString(), false, {{first.get(), 800}, {second.get(), 2500}, {third.get(), 6000}});
        });
        const QVector<PdfText::Word> words = PdfText::words(pdf);
        const PdfText::Word row1 = PdfText::find(words, u"row1"_s);
        const PdfText::Word lastRow = PdfText::find(words, u"row%1"_s.arg(firstRows));
        const PdfText::Word secondWord = PdfText::find(words, u"SECOND"_s);
        const PdfText::Word thirdWord = PdfText::find(words, u"THIRD"_s);
        QVERIFY(row1.page == 1 && secondWord.page == 1 && thirdWord.page == 1);
        // A word sits the same distance below the top of its block in every block.
        const double inset = row1.box.top() * 20 - 800;
        QVERIFY2(qAbs(thirdWord.box.top() * 20 - 6000 - inset) < 4, qPrintable(QString::number(thirdWord.box.top())));
        if (!pushed) {
            QVERIFY2(qAbs(secondWord.box.top() * 20 - 2500 - inset) < 4, qPrintable(QString::number(secondWord.box.top())));
        } else {
            // Below the last row's cell (its word, its padding and the gap), not far below.
            const double rowPitch = (lastRow.box.top() - row1.box.top()) / (firstRows - 1);
            QVERIFY(secondWord.box.top() > lastRow.box.bottom());
            QVERIFY2(qAbs(secondWord.box.top() - lastRow.box.top() - rowPitch - SectionPage::BlockGap / 20.0) < 1.0,
                     qPrintable(QString::number(secondWord.box.top() - lastRow.box.top())));
        }
    }

    // The flow's own rule for drawings of the caller's (the reports place
    // their lines through it): below what is placed, on a new sheet with the
    // head again when it does not fit.
    void reservedRoomMovesToANewSheetWhenItDoesNotFit()
    {
        int heads = 0;
        double pageHeight = 0;
        QVector<double> tops;
        printed(m_dir, u"reserve.pdf"_s, [&](PagePrinter &page) {
            pageHeight = page.pageHeight();
            PageFlow flow(page, [&](PagePrinter &) { ++heads; return 700.0; }, 100);
            tops << flow.reserve(0, 500);                 // at the content's top
            tops << flow.reserve(3000, 500);              // at its own top
            tops << flow.reserve(1000, 500);              // below the one above it
            tops << flow.reserve(0, pageHeight - 4000);   // too tall for what is left
            QCOMPARE(flow.sheet(), 2);
        });
        QCOMPARE(heads, 2);
        QCOMPARE(tops, (QVector<double>{700, 3000, 3600, 700}));
    }

    // Grids side by side share their top; whichever runs past the sheet
    // finishes on sheets of its own under the head, the mark and its heading.
    void besideGridsShareTheirTopAndContinueOneAfterTheOther()
    {
        const auto left = numberedGrid(3);
        const auto right = numberedGrid(150);
        right->setText(1, 1, u"HEADING"_s);
        bool shortPairEnded = false, longPairEnded = true;
        int heads = 0;
        const QString pdf = printed(m_dir, u"beside.pdf"_s, [&](PagePrinter &page) {
            PageFlow pair(page, [&](PagePrinter &) { ++heads; return 700.0; }, 0);
            shortPairEnded = pair.placeBeside({{left.get(), 300, {1}}, {left.get(), 5000, {1}}}, 800, 0, 2300);
            page.newPage();
            PageFlow flow(page, [&](PagePrinter &) { ++heads; return 700.0; }, 0);
            longPairEnded = flow.placeBeside({{left.get(), 300, {1}}, {right.get(), 5000, {1}}}, 800, 0, 2300);
        });
        QVERIFY(shortPairEnded);
        QVERIFY(!longPairEnded);
        const QVector<PdfText::Word> words = PdfText::words(pdf);
        QVector<PdfText::Word> firstRows;
        for (const PdfText::Word &word : words)
            if (word.page == 1 && word.text == QLatin1String("row1"))
                firstRows << word;
        QCOMPARE(firstRows.size(), 2);
        QCOMPARE(firstRows[0].box.top(), firstRows[1].box.top());
        QVERIFY(qAbs(qAbs(firstRows[1].box.left() - firstRows[0].box.left()) - (5000 - 300) / 20.0) < 1.0);
        const PdfText::Word last = PdfText::find(words, u"row150"_s);
        QVERIFY(last.page >= 3);
        const QStringList sheets = PdfText::pages(pdf);
        QVERIFY(sheets.at(2).contains(u"(continued)"_s));
        QVERIFY(sheets.at(2).contains(u"HEADING"_s));
        QCOMPARE(heads, PdfText::pageCount(pdf));   // every sheet headed once
    }

    void printerChoiceOrientationAndCancel()
    {
        const QString pdf = m_dir.filePath(u"landscape.pdf"_s);
        PrinterChoice::setChooser(PrinterChoice::pdfChooser(pdf));
        {
            const std::unique_ptr<QPrinter> printer = PrinterChoice::choose(nullptr, QPageLayout::Landscape);
            PagePrinter page(*printer);
            QVERIFY(page.pageWidth() > page.pageHeight());
            page.printLine(u"wide"_s);
            page.endDoc();
        }
        const QSizeF size = PdfText::pageSize(pdf);
        QVERIFY(!size.isEmpty() && size.width() > size.height());

        PrinterChoice::setChooser([](QWidget *, QPageLayout::Orientation) { return std::unique_ptr<QPrinter>(); });
        try {
            PrinterChoice::choose(nullptr);
            QFAIL("a cancelled choice must fail");
        } catch (const PrintError &error) {
            QCOMPARE(error.number(), PrinterChoice::PrintCancelled);
        }
    }

    void textLinesStartWhereTheyAreSet()
    {
        const QString pdf = printed(m_dir, u"lines.pdf"_s, [](PagePrinter &page) {
            page.setFont(u"Times New Roman"_s, 11, true);
            page.setPosition(500, 130);
            page.printLine(u"first"_s);
            page.printLine(u"second"_s);
            page.setPosition(500, 2000);
            page.printLine(u"lower"_s);
        });
        const QVector<PdfText::Word> words = PdfText::words(pdf);
        const auto top = [&](const char *word) {
            const PdfText::Word found = PdfText::find(words, QString::fromLatin1(word));
            return found.page == 1 ? found.box.top() : -1.0;
        };
        const double first = top("first"), second = top("second"), lower = top("lower");
        QVERIFY(first >= 0 && second > first && lower > second);
        // 1870 twips between the tops of "first" and "lower", in points, give or
        // take the rounding of the glyph boxes.
        QVERIFY2(qAbs((lower - first) - 1870 / 20.0) < 2.0, qPrintable(QString::number(lower - first)));
    }

    void headerTooWideForTheSheetWrapsAndPushesTheLearnerLineDown()
    {
        const QString pdf = printed(m_dir, u"wide-header.pdf"_s, [](PagePrinter &page) {
            page.setHead({u"700310455"_s, u"MOLEFE Thabo"_s, QString()});
            SectionPage::printHeader(page, u" [ Section 4: ACTION PLAN FOR ADDITIONAL SUPPORT PROVISION AND MONITORING ]"_s);
            SectionPage::printLearnerLine(page);
        });
        const QVector<PdfText::Word> words = PdfText::words(pdf);
        const PdfText::Word first = PdfText::find(words, u"EMIS"_s);
        const PdfText::Word last = PdfText::find(words, u"MONITORING"_s);
        const PdfText::Word learner = PdfText::find(words, u"LEARNER"_s);
        QCOMPARE(last.page, 1);
        // A4 portrait with 10 mm margins: the printable area ends 585 pt in.
        QVERIFY2(last.box.right() <= 586.0, qPrintable(QString::number(last.box.right())));
        QVERIFY(last.box.top() > first.box.bottom() - 0.5);     // on the next line
        // The second line starts where the header starts (the header's own
        // leading blank aside).
        double secondLineLeft = last.box.left();
        for (const PdfText::Word &word : words)
            if (qAbs(word.box.top() - last.box.top()) < 0.5)
                secondLineLeft = qMin(secondLineLeft, word.box.left());
        QVERIFY(secondLineLeft <= first.box.left() && first.box.left() - secondLineLeft < 4.0);
        QVERIFY(learner.box.top() > last.box.bottom() - 1.0);    // the learner line below both
    }

    void headerThatFitsKeepsItsPositions()
    {
        const QString pdf = printed(m_dir, u"short-header.pdf"_s, [](PagePrinter &page) {
            page.setHead({u"700310455"_s, QString(), QString()});
            SectionPage::printHeader(page, u" [ PROBE ]"_s);
            SectionPage::printLearnerLine(page);
        });
        const QVector<PdfText::Word> words = PdfText::words(pdf);
        // 360 twips from the printable area's top (10 mm = 28.35 pt), in points.
        const double learnerTop = PdfText::find(words, u"LEARNER"_s).box.top();
        QVERIFY2(learnerTop > 28.35 + 18.0 - 1.0 && learnerTop < 28.35 + 18.0 + 3.0, qPrintable(QString::number(learnerTop)));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestPagePrinter)
#include "tst_pageprinter.moc"
