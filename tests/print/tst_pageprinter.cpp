// The printer operations the section pages are written in, printed into PDF
// files and read back.
#include "AppState.h"
#include "PagePrinter.h"
#include "PdfText.h"
#include "PrinterChoice.h"
#include "SectionPage.h"
#include "SpreadModel.h"
#include "StoreError.h"

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

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestPagePrinter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { PrinterChoice::setChooser({}); }

    void continuedBlockPrintsEveryRowOnceOverSeveralSheets()
    {
        const auto grid = numberedGrid(150);
        int pages = 0;
        const QString pdf = printed(m_dir, QStringLiteral("continued.pdf"), [&](PagePrinter &page) {
            const QRectF rect(QPointF(300, 800), QPointF(page.pageWidth() + 3000, page.pageHeight()));
            pages = page.gridPageCount(*grid, rect);
            page.drawContinuedGrid(*grid, rect);
        });
        QVERIFY(pages >= 2);
        QCOMPARE(PdfText::pageCount(pdf), pages);
        const QStringList sheets = PdfText::pages(pdf);
        // Every row on exactly one sheet, in order, nothing lost between sheets.
        int sheetOfPrevious = 0;
        for (int row = 1; row <= 150; ++row) {
            const QRegularExpression word(QStringLiteral("\\brow%1\\b").arg(row));
            QList<int> found;
            for (int i = 0; i < sheets.size(); ++i)
                if (sheets[i].contains(word))
                    found << i;
            QVERIFY2(found.size() == 1 && found[0] >= sheetOfPrevious, qPrintable(QStringLiteral("row%1").arg(row)));
            sheetOfPrevious = found[0];
        }
    }

    void ordinaryBlockPrintsOnlyItsFirstPage()
    {
        appState().EmisCode = QStringLiteral("123");
        const auto grid = numberedGrid(150);
        const QString pdf = printed(m_dir, QStringLiteral("ordinary.pdf"), [&](PagePrinter &page) {
            SectionPage::print(page, QStringLiteral(" [ TEST ]"), false, {{grid.get(), 800}});
        });
        QCOMPARE(PdfText::pageCount(pdf), 1);
        const QString text = PdfText::all(pdf);
        QVERIFY(text.contains(QStringLiteral("EMIS NUMBER: 123 [ TEST ]")));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("\\brow1\\b"))));
        QVERIFY(!text.contains(QRegularExpression(QStringLiteral("\\brow150\\b"))));
        QVERIFY(!text.contains(QStringLiteral("LEARNER NAME")));
    }

    void printerChoiceOrientationAndCancel()
    {
        const QString pdf = m_dir.filePath(QStringLiteral("landscape.pdf"));
        PrinterChoice::setChooser(PrinterChoice::pdfChooser(pdf));
        {
            const std::unique_ptr<QPrinter> printer = PrinterChoice::choose(nullptr, QPageLayout::Landscape);
            PagePrinter page(*printer);
            QVERIFY(page.pageWidth() > page.pageHeight());
            page.printLine(QStringLiteral("wide"));
            page.endDoc();
        }
        const QRegularExpressionMatch size = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)"))
                                                 .match(run(QStringLiteral("pdfinfo"), {pdf}));
        QVERIFY(size.hasMatch() && size.captured(1).toDouble() > size.captured(2).toDouble());

        PrinterChoice::setChooser([](QWidget *, QPageLayout::Orientation) { return std::unique_ptr<QPrinter>(); });
        try {
            PrinterChoice::choose(nullptr);
            QFAIL("a cancelled choice must fail");
        } catch (const StoreError &error) {
            QCOMPARE(error.number(), PrinterChoice::PrintCancelled);
        }
    }

    void textLinesStartWhereTheyAreSet()
    {
        const QString pdf = printed(m_dir, QStringLiteral("lines.pdf"), [](PagePrinter &page) {
            page.setFont(QStringLiteral("Times New Roman"), 11, true);
            page.setPosition(500, 130);
            page.printLine(QStringLiteral("first"));
            page.printLine(QStringLiteral("second"));
            page.setPosition(500, 2000);
            page.printLine(QStringLiteral("lower"));
        });
        const QString xml = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        auto top = [&](const char *word) {
            const QRegularExpressionMatch m = QRegularExpression(
                QStringLiteral("yMin=\"([\\d.]+)\"[^>]*>%1<").arg(QLatin1String(word))).match(xml);
            return m.hasMatch() ? m.captured(1).toDouble() : -1.0;
        };
        const double first = top("first"), second = top("second"), lower = top("lower");
        QVERIFY(first >= 0 && second > first && lower > second);
        // 1870 twips between the tops of "first" and "lower", in points, give or
        // take the rounding of the glyph boxes.
        QVERIFY2(qAbs((lower - first) - 1870 / 20.0) < 2.0, qPrintable(QString::number(lower - first)));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestPagePrinter)
#include "tst_pageprinter.moc"
