// The printer operations the section pages are written in, printed into PDF
// files and read back.
#include "AppState.h"
#include "PagePrinter.h"
#include "PdfText.h"
#include "PrinterChoice.h"
#include "SectionPage.h"
#include "SpreadModel.h"
#include "StoreError.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A grid of `rows` one-line rows whose texts tell their row number.
std::unique_ptr<grid::SpreadModel> numberedGrid(int rows)
{
    auto grid = std::make_unique<grid::SpreadModel>(2, rows);
    grid->setColWidth(1, 20);
    grid->setColWidth(2, 20);
    for (int row = 1; row <= rows; ++row)
        grid->setText(1, row, QStringLiteral("row%1").arg(row));
    return grid;
}

QString pageSize(const QString &pdf)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished();
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)")).match(text);
    return m.hasMatch() ? (m.captured(1).toDouble() > m.captured(2).toDouble() ? QStringLiteral("landscape")
                                                                                : QStringLiteral("portrait"))
                        : QString();
}

} // namespace

class TestPagePrinter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void continuedBlockPrintsEveryRowOnceOverSeveralSheets();
    void ordinaryBlockPrintsOnlyItsFirstPage();
    void landscapeReachesThePrinter();
    void cancelIsAFailureAndPrintsNothing();
    void textLinesStartWhereTheyAreSet();

private:
    QTemporaryDir m_dir;
};

void TestPagePrinter::continuedBlockPrintsEveryRowOnceOverSeveralSheets()
{
    const auto grid = numberedGrid(150);
    const QString pdf = m_dir.filePath(QStringLiteral("continued.pdf"));
    int pages = 0;
    {
        auto printer = PrinterChoice::pdfChooser(pdf)(nullptr, QPageLayout::Portrait);
        PagePrinter page(*printer);
        const QRectF rect(QPointF(300, 800), QPointF(page.pageWidth() + 3000, page.pageHeight()));
        pages = page.gridPageCount(*grid, rect);
        page.drawContinuedGrid(*grid, rect);
        page.endDoc();
    }
    QVERIFY(pages >= 2);
    QCOMPARE(PdfText::pageCount(pdf), pages);
    const QStringList sheets = PdfText::pages(pdf);
    QCOMPARE(sheets.size(), pages);
    // Every row on exactly one sheet, in order, nothing lost between sheets.
    int sheetOfPrevious = 0;
    for (int row = 1; row <= 150; ++row) {
        const QRegularExpression word(QStringLiteral("\\brow%1\\b").arg(row));
        int found = 0;
        int sheet = 0;
        for (int i = 0; i < sheets.size(); ++i) {
            if (sheets[i].contains(word)) {
                ++found;
                sheet = i;
            }
        }
        QVERIFY2(found == 1, qPrintable(QStringLiteral("row%1 printed %2 times").arg(row).arg(found)));
        QVERIFY(sheet >= sheetOfPrevious);
        sheetOfPrevious = sheet;
    }
}

void TestPagePrinter::ordinaryBlockPrintsOnlyItsFirstPage()
{
    appState().EmisCode = QStringLiteral("123");
    const auto grid = numberedGrid(150);
    const QString pdf = m_dir.filePath(QStringLiteral("ordinary.pdf"));
    {
        auto printer = PrinterChoice::pdfChooser(pdf)(nullptr, QPageLayout::Portrait);
        PagePrinter page(*printer);
        SectionPage::print(page, QStringLiteral(" [ TEST ]"), false, {{grid.get(), 800}});
        page.endDoc();
    }
    QCOMPARE(PdfText::pageCount(pdf), 1);
    const QString text = PdfText::all(pdf);
    QVERIFY(text.contains(QStringLiteral("EMIS NUMBER: 123 [ TEST ]")));
    QVERIFY(text.contains(QRegularExpression(QStringLiteral("\\brow1\\b"))));
    QVERIFY(!text.contains(QRegularExpression(QStringLiteral("\\brow150\\b"))));
    QVERIFY(!text.contains(QStringLiteral("LEARNER NAME")));
}

void TestPagePrinter::landscapeReachesThePrinter()
{
    const QString pdf = m_dir.filePath(QStringLiteral("landscape.pdf"));
    std::unique_ptr<QPrinter> printer;
    PrinterChoice::setChooser(PrinterChoice::pdfChooser(pdf));
    printer = PrinterChoice::choose(nullptr, QPageLayout::Landscape);
    PrinterChoice::setChooser({});
    {
        PagePrinter page(*printer);
        QVERIFY(page.pageWidth() > page.pageHeight());
        page.printLine(QStringLiteral("wide"));
        page.endDoc();
    }
    QCOMPARE(pageSize(pdf), QStringLiteral("landscape"));
}

void TestPagePrinter::cancelIsAFailureAndPrintsNothing()
{
    PrinterChoice::setChooser([](QWidget *, QPageLayout::Orientation) { return std::unique_ptr<QPrinter>(); });
    try {
        PrinterChoice::choose(nullptr);
        QFAIL("a cancelled choice must fail");
    } catch (const StoreError &error) {
        QCOMPARE(error.number(), PrinterChoice::PrintCancelled);
    }
    PrinterChoice::setChooser({});
}

void TestPagePrinter::textLinesStartWhereTheyAreSet()
{
    const QString pdf = m_dir.filePath(QStringLiteral("lines.pdf"));
    {
        auto printer = PrinterChoice::pdfChooser(pdf)(nullptr, QPageLayout::Portrait);
        PagePrinter page(*printer);
        page.setFont(QStringLiteral("Times New Roman"), 11, true);
        page.setPosition(500, 130);
        page.printLine(QStringLiteral("first"));
        page.printLine(QStringLiteral("second"));
        page.setPosition(500, 2000);
        page.printLine(QStringLiteral("lower"));
        page.endDoc();
    }
    QProcess bbox;
    bbox.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    QVERIFY(bbox.waitForFinished());
    const QString xml = QString::fromUtf8(bbox.readAllStandardOutput());
    auto top = [&](const QString &word) {
        const QRegularExpressionMatch m = QRegularExpression(
            QStringLiteral("yMin=\"([\\d.]+)\"[^>]*>%1<").arg(word)).match(xml);
        return m.hasMatch() ? m.captured(1).toDouble() : -1.0;
    };
    const double first = top(QStringLiteral("first"));
    const double second = top(QStringLiteral("second"));
    const double lower = top(QStringLiteral("lower"));
    QVERIFY(first >= 0 && second > first && lower > second);
    // 1870 twips between the tops of "first" and "lower", in points, give or
    // take the rounding of the glyph boxes.
    QVERIFY2(qAbs((lower - first) - 1870 / 20.0) < 2.0, qPrintable(QString::number(lower - first)));
}

QTEST_MAIN(TestPagePrinter)
#include "tst_pageprinter.moc"
