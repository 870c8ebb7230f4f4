// The shared print preview: pages turned and zoomed, printed on the chosen
// printer (whose paper the preview then shows), saved as a PDF, and nothing
// printed when the choice is cancelled.

#include "MessageRecorder.h"
#include "PdfText.h"
#include "PrintPreview.h"
#include "PrinterChoice.h"
#include "StoreError.h"

#include <QAction>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Three sheets, each naming itself.
PrintJob threeSheets()
{
    return {u"Three sheets"_s, QPageLayout::Landscape, [](QPrinter &printer) {
                QPainter painter(&printer);
                for (int sheet = 1; sheet <= 3; ++sheet) {
                    if (sheet > 1)
                        printer.newPage();
                    painter.drawText(QRectF(0, 0, printer.width(), printer.height() / 4), Qt::AlignCenter,
                                     u"Sheet %1"_s.arg(sheet));
                }
            }};
}

PrinterChoice::Chooser a5PortraitInto(const QString &pdf)
{
    return [pdf](QWidget *, QPageLayout::Orientation) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        printer->setPageSize(QPageSize(QPageSize::A5));
        printer->setPageOrientation(QPageLayout::Portrait);
        return printer;
    };
}

} // namespace

class TestPrintPreview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { PrinterChoice::setChooser({}); }

    void turnsZoomsAndSavesThePages()
    {
        PrintPreview preview(threeSheets());
        QCOMPARE(preview.pageCount(), 3);
        QCOMPARE(preview.pageLayout().orientation(), QPageLayout::Landscape);
        QCOMPARE(preview.pageLayout().pageSize().id(), QPageSize::A4);
        preview.findChild<QAction *>(u"actLast"_s)->trigger();
        QCOMPARE(preview.currentPage(), 3);
        preview.findChild<QAction *>(u"actPrevious"_s)->trigger();
        QCOMPARE(preview.currentPage(), 2);
        preview.goToPage(9);
        QCOMPARE(preview.currentPage(), 3);
        const qreal before = preview.view()->zoomFactor();
        preview.findChild<QAction *>(u"actZoomIn"_s)->trigger();
        QVERIFY(preview.view()->zoomFactor() > before);

        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"saved.pdf"_s);
        QVERIFY(preview.savePdf(pdf));
        QCOMPARE(PdfText::pageCount(pdf), 3);
        QCOMPARE(PdfText::pageSize(pdf), QSizeF(842, 595));
        QCOMPARE(PdfText::pages(pdf).at(0).trimmed(), u"Sheet 1"_s);
    }

    void printsOnTheChosenPrintersPaper()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"printed.pdf"_s);
        PrinterChoice::setChooser(a5PortraitInto(pdf));
        PrintPreview preview(threeSheets());
        QVERIFY(preview.print());
        QCOMPARE(preview.pageLayout().pageSize().id(), QPageSize::A5);
        QCOMPARE(preview.pageLayout().orientation(), QPageLayout::Portrait);
        QCOMPARE(PdfText::pageCount(pdf), 3);
        QCOMPARE(PdfText::pageSize(pdf), QSizeF(420, 595));
        QCOMPARE(PdfText::pages(pdf).at(2).trimmed(), u"Sheet 3"_s);
    }

    void cancellingPrintsNothing()
    {
        MessageRecorder messages;
        int asked = 0;
        PrinterChoice::setChooser([&](QWidget *, QPageLayout::Orientation) {
            ++asked;
            return std::unique_ptr<QPrinter>();
        });
        PrintPreview preview(threeSheets());
        QVERIFY(!preview.print());
        QCOMPARE(asked, 1);
        QCOMPARE(messages.count(), 1);   // the program's one report of a cancelled print
        QVERIFY(messages.last().text.contains(u"Cancel was selected."_s));
        QCOMPARE(preview.pageLayout().pageSize().id(), QPageSize::A4);
    }

    // A save stopped halfway (a cancel or a failure while painting) leaves
    // the file that was there before as it was, and no half file beside it.
    void aStoppedSaveKeepsTheEarlierFile()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"saved.pdf"_s);
        {
            QFile earlier(pdf);
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write("earlier");
        }
        bool stopHalfway = false;
        PrintJob job = threeSheets();
        job.paint = [paint = job.paint, &stopHalfway](QPrinter &printer) {
            if (!stopHalfway)
                return paint(printer);
            QPainter painter(&printer);
            painter.drawText(QPointF(100, 100), u"Sheet 1"_s);
            printer.newPage();
            throw StoreError(PrinterChoice::PrintCancelled, u"Cancel was selected."_s);
        };
        MessageRecorder messages;
        PrintPreview preview(job);
        stopHalfway = true;
        QVERIFY(!preview.savePdf(pdf));
        QCOMPARE(messages.count(), 1);
        QFile kept(pdf);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("earlier"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"saved.pdf"_s});
    }
};

QTEST_MAIN(TestPrintPreview)
#include "tst_printpreview.moc"
