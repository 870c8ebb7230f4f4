// A learner's whole file: the cover with its contents and page numbers,
// every page of a learner with the longest texts exactly as each screen
// prints it alone, and the main menu's learner left alone.

#include "AppState.h"
#include "DatabaseConnection.h"
#include "EveryScreen.h"
#include "LearnerFile.h"
#include "LearnerSections.h"
#include "MainMenu.h"
#include "MessageRecorder.h"
#include "PdfFile.h"
#include "PdfText.h"
#include "PrintPreview.h"
#include "PrinterChoice.h"
#include "SectionScreen.h"
#include "SharedDocument.h"
#include "TestStore.h"

#include <QApplication>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Runs check on the print preview once it is open, then closes it.
void whenPreviewOpens(std::function<void(PrintPreview &)> check)
{
    auto *poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, [poll, check] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *preview = qobject_cast<PrintPreview *>(w); preview && preview->isVisible()) {
                poll->stop();
                poll->deleteLater();
                check(*preview);
                preview->reject();
                return;
            }
    });
    poll->start();
}

constexpr int Year = 2026;
constexpr int ShortYear = 2025;   // the full learner's lines with short texts
// The foot's band in points: what a page of the file holds besides the page.
constexpr double FootPoints = SharedDocument::FootHeight / 20.0;

QString fileOf(int learner, int year, const QString &pdf)
{
    LearnerFile file(learner, year);
    file.setPrintedOn(QDate(2026, 3, 9));
    if (!file.load())
        return QString();
    PdfFile out(pdf);
    file.paint(out.printer());
    out.commit();
    return pdf;
}

// The words of a page above its foot.
QVector<PdfText::Word> pageWords(const QVector<PdfText::Word> &words, int page, double footTop)
{
    QVector<PdfText::Word> out;
    for (const PdfText::Word &w : words)
        if (w.page == page && w.box.top() < footTop)
            out.append(w);
    return out;
}

QString describe(const QVector<PdfText::Word> &words)
{
    QStringList out;
    for (const PdfText::Word &w : words)
        out << u"%1@%2,%3"_s.arg(w.text).arg(w.box.left(), 0, 'f', 1).arg(w.box.top(), 0, 'f', 1);
    // What is on the page and where, whatever order it was drawn in.
    out.sort();
    return out.join(QLatin1Char(' '));
}

// A printer like the command line's with the file's foot band added to its
// bottom margin, so its pages are laid out in the same room.
PrinterChoice::Chooser pdfInto(const QString &pdf)
{
    return [pdf](QWidget *, QPageLayout::Orientation orientation) {
        auto printer = PrinterChoice::pdfChooser(pdf)(nullptr, orientation);
        printer->setPageMargins(QMarginsF(10, 10, 10, 10 + SharedDocument::FootHeight / 1440.0 * 25.4), QPageLayout::Millimeter);
        return printer;
    };
}

} // namespace

class TestLearnerFile : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestStore> m_store;
    int m_learner = 0;

    // Every page of a screen's tab printed alone.
    QString printAlone(const QString &screenName, int tab, const QString &pdf)
    {
        PrinterChoice::setChooser(pdfInto(pdf));
        std::unique_ptr<SectionScreen> screen(ScreenRegistry::instance().entry(screenName)->create(nullptr));
        screen->loadScreen();
        if (tab >= 0)
            screen->setCurrentPage(tab);
        const bool printed = screen->printPageNow();
        PrinterChoice::setChooser({});
        return printed ? pdf : QString();
    }

private Q_SLOTS:
    void initTestCase()
    {
        registerEveryScreen(ScreenRegistry::instance());
        m_store = std::make_unique<TestStore>();
        LoadSchoolDetails(*m_store->connect());
        m_learner = m_store->addFullLearner(Year);
        // In the short year, Section 2 and Section 4 hold nothing.
        for (int section : {2, 6})
            for (const QString &table : LearnerSections::all()[section].tables)
                m_store->exec(u"DELETE FROM %1 WHERE LearnerID = %2 AND Data_Year = %3"_s
                                  .arg(table).arg(m_learner).arg(ShortYear));
    }

    // Print Page and Print Learner File show the pages before anything is
    // printed; closing the preview prints nothing.
    void printingOpensThePreviewFirst()
    {
        MessageRecorder messages;
        m_store->pickLearner(m_learner, ShortYear);
        std::unique_ptr<SectionScreen> screen(ScreenRegistry::instance().entry(u"frmISP"_s)->create(nullptr));
        screen->loadScreen();
        int pages = 0;
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        whenPreviewOpens([&](PrintPreview &preview) {
            pages = preview.pageCount();
            orientation = preview.pageLayout().orientation();
        });
        QVERIFY(!screen->printPageNow());
        QCOMPARE(pages, 1);
        QCOMPARE(orientation, screen->pageOrientation());

        // The file of the main menu's learner, another learner's left open.
        frmSNA_Main menu;
        m_store->pickLearner(m_learner + 1, Year);
        appState().CurrentLearnerID = m_learner;
        appState().CurrentDataYear = ShortYear;
        QString title;
        whenPreviewOpens([&](PrintPreview &preview) {
            pages = preview.pageCount();
            title = preview.windowTitle();
        });
        menu.findChild<QPushButton *>(u"cmdLearnerFile"_s)->click();
        QCOMPARE(pages, 27);
        QCOMPARE(title, u"Learner File 2025 - FULL Fiona - Print Preview"_s);
        QVERIFY(messages.calls().isEmpty());
    }

    void coverListsTheSectionsWithTheirFirstPages()
    {
        MessageRecorder messages;
        const QString before = m_store->dump();
        // The main menu has another learner open; the file is of its own learner.
        m_store->pickLearner(m_learner + 1, Year);
        const QString pdf = fileOf(m_learner, ShortYear, m_store->dir() + u"/short.pdf"_s);
        QVERIFY(!pdf.isEmpty());
        QCOMPARE(appState().CurrentLearnerID, m_learner + 1);
        QCOMPARE(appState().CurrentDataYear, Year);
        QCOMPARE(m_store->dump(), before);
        QVERIFY(messages.calls().isEmpty());

        const QStringList pages = PdfText::pages(pdf);
        const QString cover = pages.first().simplified();
        for (const char *text : {"LEARNER FILE 2025", "School: Sediba Combined School", "EMIS number: 700310455",
                                 "Learner: FULL Fiona", "Date of birth: 15/03/2008", "Year: 2025",
                                 "Printed: 09/03/2026"})
            QVERIFY2(cover.contains(QString::fromLatin1(text)), text);
        const QStringList contents{
            "Section 1 : Background information on learner page 2",
            "DP: Diagnostic Profile page 3",
            "Section 2 : Extended profile of learner needs not completed",
            "ISP: Individual Support Plan page 10",
            "Section 3a : Assessment of support requirements page 15",
            "Section 3b: School request form for additional support page 21",
            "Section 4: Action plan for additional support provision and monitoring not completed",
        };
        for (const QString &line : contents)
            QVERIFY2(cover.contains(line), qPrintable(cover));
        QCOMPARE(pages.size(), 27);
        // Every sheet's foot: the learner and page N of M.
        for (int n = 1; n <= pages.size(); ++n)
            QVERIFY2(pages[n - 1].simplified().endsWith(u"FULL Fiona page %1 of 27"_s.arg(n)),
                     qPrintable(pages[n - 1].right(80)));
        QVERIFY(!PdfText::all(pdf).contains(u"2.2 CONTEXTUAL FACTORS"_s));
    }

    // The learner with the longest texts: every sheet of every section is
    // the screen's own sheet in the same room, so nothing is hidden and every
    // text is whole wherever the screen alone keeps it whole.
    void longestTextsPrintWhole()
    {
        const QString file = fileOf(m_learner, Year, m_store->dir() + u"/long.pdf"_s);
        QVERIFY(!file.isEmpty());
        const QVector<PdfText::Word> fileWords = PdfText::words(file);
        LearnerFacts facts;
        QVERIFY(readLearner(*m_store->connect(), m_learner, facts));
        LearnerContext context(facts, Year);
        int sheet = 2;
        for (const LearnerSections::Section &section : LearnerSections::all()) {
            for (QString name = section.firstScreen; !name.isEmpty();
                 name = ScreenRegistry::instance().entry(name)->next) {
                std::unique_ptr<SectionScreen> screen(ScreenRegistry::instance().entry(name)->create(nullptr));
                const int tabs = qMax(1, screen->pageCount());
                for (int tab = 0; tab < tabs; ++tab) {
                    const QString alone = printAlone(name, screen->pageCount() > 0 ? tab : -1,
                                                     m_store->dir() + u"/%1-%2.pdf"_s.arg(name).arg(tab));
                    QVERIFY(!alone.isEmpty());
                    const QVector<PdfText::Word> words = PdfText::words(alone);
                    const int sheets = PdfText::pageCount(alone);
                    for (int page = 1; page <= sheets; ++page, ++sheet) {
                        const double footTop = PdfText::pageSize(alone).height() - 28.35 - FootPoints;
                        const QString inFile = describe(pageWords(fileWords, sheet, footTop));
                        const QString printed = describe(pageWords(words, page, 1e9));
                        int at = 0;
                        while (at < inFile.size() && at < printed.size() && inFile[at] == printed[at])
                            ++at;
                        QVERIFY2(inFile == printed, qPrintable(u"%1 tab %2 page %3 (sheet %4): %5 | %6"_s
                                                                   .arg(name).arg(tab).arg(page).arg(sheet)
                                                                   .arg(inFile.mid(at - 40, 120), printed.mid(at - 40, 120))));
                    }
                }
            }
        }
        QCOMPARE(PdfText::pageCount(file), sheet - 1);
    }
};

QTEST_MAIN(TestLearnerFile)
#include "tst_learnerfile.moc"
