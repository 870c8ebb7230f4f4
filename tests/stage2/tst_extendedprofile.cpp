// Section 2: the barriers screen (five answers, one row, one transaction) and
// the factors screen (three entry-and-preview lists, the summary, printing
// the showing tab).
#include "EntryPreviewList.h"
#include "ExtendedProfile1.h"
#include "ExtendedProfile2.h"
#include "ScreenRegistry.h"
#include "Stage2Screens.h"
#include "../sections/ScreenTestKit.h"

#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using kit::gridOf;
using kit::text;
using kit::type;
using Tab = frmExtendedProfile2::Tab;

namespace {

constexpr int Year = 2014;
const QString Saved = QStringLiteral("Your Information has been saved.");
const QString CrLf = QStringLiteral("\r\n");
const char *const BarrierColumns[5] = {"Learning", "Communication", "Behavioural_Social_Competence",
                                       "Health_Wellness_Personal_Care", "Physical_Access"};

} // namespace

class TestExtendedProfile : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<kit::Fixture> fx;
    int learner = 0;

    QStringList storedBarriers()
    {
        auto db = fx->store.connect();
        const Recordset rs = db->query(QStringLiteral("SELECT * FROM SNE_Learning_And_Development_Barriers "
                                                      "WHERE LearnerID = %1 AND Data_Year = %2").arg(learner).arg(Year));
        QStringList rows;
        for (int r = 0; r < rs.recordCount(); ++r) {
            QStringList texts;
            for (const char *column : BarrierColumns)
                texts << rs.text(r, QString::fromLatin1(column));
            rows << texts.join(QLatin1Char('|'));
        }
        return rows;
    }

    // Stored factors of one table in stored order, as "column 1|barrier".
    QStringList storedFactors(const QString &table, const QString &firstColumn)
    {
        auto db = fx->store.connect();
        const Recordset rs = db->query(QStringLiteral("SELECT %1 AS F, Barrier FROM %2 WHERE LearnerID = %3 AND "
                                                      "Data_Year = %4 ORDER BY ID").arg(firstColumn, table).arg(learner).arg(Year));
        QStringList rows;
        for (int r = 0; r < rs.recordCount(); ++r)
            rows << rs.text(r, QStringLiteral("F")) + QLatin1Char('|') + rs.text(r, QStringLiteral("Barrier"));
        return rows;
    }

    void storeFactor(const char *table, const char *firstColumn, const QString &first, const QString &barrier)
    {
        fx->store.exec(QStringLiteral("INSERT INTO %1 (LearnerID, %2, Barrier, Data_Year) VALUES (%3, '%4', '%5', %6)")
                           .arg(QString::fromLatin1(table), QString::fromLatin1(firstColumn)).arg(learner)
                           .arg(first, barrier).arg(Year));
    }

    static void add(EntryPreviewList *list, bool barrier, const QString &text)
    {
        (barrier ? list->secondOption() : list->firstOption())->setChecked(true);
        list->textBox()->setText(text);
        list->addButton()->click();
    }

private Q_SLOTS:
    void init()
    {
        fx = std::make_unique<kit::Fixture>(true);
        learner = fx->store.addLearner(QStringLiteral("Dlamini"), QStringLiteral("Zoë"), QStringLiteral("C"), 2,
                                       QString(), 3, QStringLiteral("B77"));
        fx->store.pickLearner(learner, Year);
    }
    void cleanup() { fx.reset(); }

    void registeredInTheirChain()
    {
        ScreenRegistry registry;
        registerStage2Screens(registry);
        const ScreenRegistry::Entry *first = registry.entry(QStringLiteral("frmExtendedProfile1"));
        const ScreenRegistry::Entry *second = registry.entry(QStringLiteral("frmExtendedProfile2"));
        const ScreenRegistry::Entry *plan = registry.entry(QStringLiteral("frmISP"));
        QVERIFY(first && second && plan);
        QCOMPARE(first->previous + QLatin1Char('>') + first->next, QStringLiteral(">frmExtendedProfile2"));
        QCOMPARE(second->previous + QLatin1Char('>') + second->next, QStringLiteral("frmExtendedProfile1>"));
        QCOMPARE(plan->previous + QLatin1Char('>') + plan->next, QStringLiteral(">"));
        std::unique_ptr<SectionScreen> screen(second->create(nullptr));
        QCOMPARE(screen->screenName(), QStringLiteral("frmExtendedProfile2"));
        // The buttons follow the chain: back to the barriers, nothing after.
        QVERIFY(screen->previousButton()->isVisibleTo(screen.get()));
        QVERIFY(!screen->nextButton()->isVisibleTo(screen.get()));
    }

    // Barriers ------------------------------------------------------------

    void barriersShowTheirFixedTexts()
    {
        auto screen = kit::opened<frmExtendedProfile1>();
        QCOMPARE(screen->windowTitle(), QStringLiteral("SNA [ Section 2: EXTENDED PROFILE OF LEARNER NEEDS ]"));
        const grid::SpreadGrid *grid = gridOf(*screen, "gridBarriers");
        QCOMPARE(text(grid, 1, 1), QStringLiteral("2.1 BARRIERS TO LEARNING AND DEVELOPMENT\r\n\r\n"
                                                  "What barriers does the learner experience in terms of the following?"));
        QCOMPARE(text(grid, 1, 11), QStringLiteral("HEALTH, WELLNESS AND PERSONAL CARE"));
        QVERIFY(text(grid, 1, 15).endsWith(QStringLiteral("toilet facilities. \r\nIs the learner's attendance at school "
                                                          "dependant of the availability of transport? Distances "
                                                          "travelled by learner on foot to get school.")));
        QCOMPARE(grid->cells().cell(1, 3).backColor, QColor(233, 233, 233));
        QVERIFY(grid->cells().isLocked(1, 3));
        QVERIFY(!grid->cells().isLocked(1, 4));
        QCOMPARE(grid->cells().cell(1, 16).maxLength, 30000);
        QCOMPARE(grid->activeRow(), 4);
    }

    void barriersSaveAndReload_data()
    {
        QTest::addColumn<QStringList>("typed");   // rows 4, 7, 10, 13, 16
        QTest::addColumn<QStringList>("stored");
        // The screen shows the first of two stored rows: the second stays as
        // it is, and the columns left blank keep their stored NULL.
        QTest::newRow("learning only") << QStringList{"Reads slowly", "", "", "", ""}
                                       << QStringList{"Reads slowly||||", "old two||||"};
        QTest::newRow("apostrophes, quotes, accents")
            << QStringList{"learner's \"best\" work", "Zoë signs", "", "", "ramps\r\nrails"}
            << QStringList{"learner's \"best\" work|Zoë signs|||ramps\r\nrails", "old two||||"};
        // Emptied: the shown row goes, and the next one is what opens next time.
        QTest::newRow("all blank") << QStringList{" ", "", "  ", "", ""} << QStringList{"old two||||"};
    }
    void barriersSaveAndReload()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, stored);
        fx->store.exec(QStringLiteral("INSERT INTO SNE_Learning_And_Development_Barriers (LearnerID, Learning, Data_Year) "
                                      "VALUES (%1, 'old one', %2), (%1, 'old two', %2)").arg(learner).arg(Year));
        auto screen = kit::opened<frmExtendedProfile1>();
        grid::SpreadGrid *grid = gridOf(*screen, "gridBarriers");
        QCOMPARE(text(grid, 1, 4), QStringLiteral("old one"));
        for (int i = 0; i < 5; ++i)
            QVERIFY(type(grid, 1, frmExtendedProfile1::AnswerRows[i], typed[i]));
        QVERIFY(screen->hasUnsavedChanges());
        QVERIFY(screen->save());
        QCOMPARE(fx->boxes.last().text, Saved);
        QCOMPARE(storedBarriers(), stored);

        auto again = kit::opened<frmExtendedProfile1>();
        for (int i = 0; i < 5; ++i) {
            const QString shown = text(gridOf(*again, "gridBarriers"), 1, frmExtendedProfile1::AnswerRows[i]);
            QCOMPARE(shown.trimmed(), stored.first().section(QLatin1Char('|'), i, i).trimmed());
        }
    }

    void barriersPrintEveryPageOfLongAnswers()
    {
        auto screen = kit::opened<frmExtendedProfile1>();
        for (int i = 0; i < 5; ++i) {
            QString answer;
            for (int line = 1; line <= 25; ++line)
                answer += QStringLiteral("Area %1 observation %2.\r\n").arg(i + 1).arg(line);
            type(gridOf(*screen, "gridBarriers"), 1, frmExtendedProfile1::AnswerRows[i], answer);
        }
        int pages = 0;
        const QString printed = fx->printed(*screen, &pages);
        QVERIFY(pages >= 2);
        QVERIFY(printed.contains(QStringLiteral("[ EXTENDED PROFILE OF LEARNER NEEDS ]")));
        QVERIFY(printed.contains(QRegularExpression(QStringLiteral("LEARNER NAME : DLAMINI Zoë\\s+ASSESION NUMBER: B77"))));
        for (int i = 1; i <= 5; ++i)
            QVERIFY(printed.contains(QStringLiteral("Area %1 observation 25.").arg(i)));
        QVERIFY(printed.contains(QStringLiteral("PHYSICAL ACCESS")));
    }

    // Factors -------------------------------------------------------------

    void factorsOpenOnCommunityWithEmptyLists()
    {
        auto screen = kit::opened<frmExtendedProfile2>();
        QCOMPARE(screen->pageCount(), 4);
        QCOMPARE(screen->pages()->tabText(3), QStringLiteral("SUMMARY OF BARRIERS TO LEARNING"));
        QCOMPARE(screen->currentPage(), 0);
        for (const char *name : {"gridCommunity", "gridClassroom", "gridSchool"})
            QCOMPARE(gridOf(*screen, name)->cells().maxRows(), 7);
        QCOMPARE(text(gridOf(*screen, "gridSummBarriers"), 1, 2), QString());
        QCOMPARE(text(gridOf(*screen, "gridSummEnabling"), 1, 2), QString());
        const grid::SpreadGrid *school = gridOf(*screen, "gridSchool");
        QVERIFY(text(school, 1, 6).endsWith(QStringLiteral("which have a positive impact on the learner's capacity for "
                                                           "learning, for example:\r\n   * Ethos of the school\r\n   * Policies"
                                                           "\r\n   * Attitudes\r\n   * School buildings and additional rooms"
                                                           "\r\n   * Space, class size\r\n   * Access e.g ramps, appropriate "
                                                           "toilets / sanitation\r\n   * Safe environment\r\n   * Facilities"
                                                           "\r\n   * Issues of Governance\r\n   * etc")));
        QVERIFY(text(school, 2, 6).contains(QStringLiteral("which have had a negative impact")));
        QCOMPARE(text(school, 2, 5), QStringLiteral("BARRIERS"));
        QCOMPARE(screen->findChild<QRadioButton *>(QStringLiteral("optBarriers"))->text(), QStringLiteral("Barrier"));
        QCOMPARE(screen->findChild<QRadioButton *>(QStringLiteral("optSchoolBarrier"))->text(), QStringLiteral("Barriers"));
    }

    void factorMessagesNameTheTab_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("empty");
        QTest::addColumn<QString>("noOption");
        QTest::newRow("community") << int(Tab::Community) << QStringLiteral("You must enter the Positive Infuence or Barrier.")
                                   << QStringLiteral("You must select the Positive Infuence or Barrier options.");
        QTest::newRow("school") << int(Tab::School) << QStringLiteral("You must enter the Enabling Factor or Barrier.")
                                << QStringLiteral("You must select the Enabling Factor or Barrier options.");
    }
    void factorMessagesNameTheTab()
    {
        QFETCH(int, tab);
        QFETCH(QString, empty);
        QFETCH(QString, noOption);
        auto screen = kit::opened<frmExtendedProfile2>();
        EntryPreviewList *list = screen->factorList(Tab(tab));
        list->addButton()->click();
        QCOMPARE(fx->boxes.last().text, empty);
        list->textBox()->setText(QStringLiteral("x"));
        list->addButton()->click();
        QCOMPARE(fx->boxes.last().text, noOption);
        QVERIFY(!screen->hasUnsavedChanges());
    }

    void oneFactorThenThreeBarriersStoreThreeRecords()
    {
        auto screen = kit::opened<frmExtendedProfile2>();
        EntryPreviewList *community = screen->factorList(Tab::Community);
        add(community, false, QStringLiteral("Granny's care"));
        for (const char *barrier : {"poverty", "violence", "long walk"})
            add(community, true, QString::fromLatin1(barrier));
        QCOMPARE(community->grid()->cells().maxRows(), 10);
        QVERIFY(screen->hasUnsavedChanges());
        QVERIFY(screen->save());
        QCOMPARE(storedFactors(QStringLiteral("SNE_Factors_Community"), QStringLiteral("Positive_Influence")),
                 (QStringList{"Granny's care|poverty", " |violence", " |long walk"}));
        QVERIFY(!screen->hasUnsavedChanges());
    }

    void removingTheMiddleEntryLeavesNoGap()
    {
        for (const char *barrier : {"one", "two", "three"})
            storeFactor("SNE_Factors_Classroom", "Enabling_Factor", QStringLiteral(" "), QString::fromLatin1(barrier));
        auto screen = kit::opened<frmExtendedProfile2>();
        EntryPreviewList *classroom = screen->factorList(Tab::Classroom);
        QCOMPARE(classroom->grid()->cells().maxRows(), 10);
        classroom->grid()->setActiveCell(2, 8);
        classroom->removeButton()->click();
        QCOMPARE(text(classroom->grid(), 2, 8), QStringLiteral("three"));
        QVERIFY(screen->hasUnsavedChanges());
        QVERIFY(screen->save());
        QCOMPARE(storedFactors(QStringLiteral("SNE_Factors_Classroom"), QStringLiteral("Enabling_Factor")),
                 (QStringList{" |one", " |three"}));
        QCOMPARE(classroom->grid()->cells().maxRows(), 9);
        QCOMPARE(text(classroom->grid(), 2, 8), QStringLiteral("three"));
    }

    void addsAfterOneSidedRecordsKeepEveryEntry()
    {
        storeFactor("SNE_Factors_School", "Enabling_Factor", QStringLiteral("library"), QStringLiteral(" "));
        storeFactor("SNE_Factors_School", "Enabling_Factor", QStringLiteral(" "), QStringLiteral("no ramps"));
        storeFactor("SNE_Factors_School", "Enabling_Factor", QStringLiteral("sports"), QStringLiteral(" "));
        auto screen = kit::opened<frmExtendedProfile2>();
        EntryPreviewList *school = screen->factorList(Tab::School);
        for (const char *barrier : {"b1", "b2", "b3"})
            add(school, true, QString::fromLatin1(barrier));
        add(school, false, QStringLiteral("e1"));
        QVERIFY(screen->save());
        QStringList stored = storedFactors(QStringLiteral("SNE_Factors_School"), QStringLiteral("Enabling_Factor"));
        QCOMPARE(stored, (QStringList{"library|b1", "e1|no ramps", "sports|b2", " |b3"}));
    }

    void summaryListsCommunityClassroomSchool()
    {
        storeFactor("SNE_Factors_School", "Enabling_Factor", QStringLiteral("clean toilets"), QStringLiteral("stairs"));
        storeFactor("SNE_Factors_Community", "Positive_Influence", QStringLiteral("church"), QStringLiteral(" "));
        storeFactor("SNE_Factors_Community", "Positive_Influence", QStringLiteral(" "), QStringLiteral("poverty"));
        storeFactor("SNE_Factors_Classroom", "Enabling_Factor", QStringLiteral(" "), QStringLiteral("noise"));
        auto screen = kit::opened<frmExtendedProfile2>();
        QCOMPARE(text(gridOf(*screen, "gridSummBarriers"), 1, 2),
                 QStringLiteral(" \r\npoverty\r\nnoise\r\nstairs\r\n"));
        QCOMPARE(text(gridOf(*screen, "gridSummEnabling"), 1, 2),
                 QStringLiteral("church\r\n \r\n \r\nclean toilets\r\n"));

        // Save rebuilds the summary from what was stored.
        add(screen->factorList(Tab::Classroom), true, QStringLiteral("bullies"));
        QVERIFY(screen->save());
        QCOMPARE(text(gridOf(*screen, "gridSummBarriers"), 1, 2),
                 QStringLiteral(" \r\npoverty\r\nnoise\r\nbullies\r\nstairs\r\n"));
    }

    void saveReadsBackOnlyTheListItWrote()
    {
        storeFactor("SNE_Factors_Classroom", "Enabling_Factor", QStringLiteral("small class"), QStringLiteral(" "));
        storeFactor("SNE_Factors_School", "Enabling_Factor", QStringLiteral("library"), QStringLiteral(" "));
        auto screen = kit::opened<frmExtendedProfile2>();
        const auto changes = [&](const grid::SpreadGrid *grid) {
            return std::make_unique<QSignalSpy>(grid->spreadModel(), &QAbstractItemModel::dataChanged);
        };
        auto classroom = changes(screen->factorList(Tab::Classroom)->grid());
        auto summary = changes(gridOf(*screen, "gridSummEnabling"));
        QVERIFY(screen->save());
        QCOMPARE(classroom->count() + summary->count(), 0);

        add(screen->factorList(Tab::School), false, QStringLiteral("clean toilets"));
        auto school = changes(screen->factorList(Tab::School)->grid());
        QVERIFY(screen->save());
        QCOMPARE(classroom->count(), 0);
        QVERIFY(school->count() > 0);
        QCOMPARE(text(gridOf(*screen, "gridSummEnabling"), 1, 2),
                 QStringLiteral("small class\r\nlibrary\r\nclean toilets\r\n"));
        QCOMPARE(text(screen->factorList(Tab::Classroom)->grid(), 1, 7), QStringLiteral("small class"));
    }

    void failedSaveKeepsAllThreeLists()
    {
        storeFactor("SNE_Factors_Community", "Positive_Influence", QStringLiteral("kept"), QStringLiteral(" "));
        auto screen = kit::opened<frmExtendedProfile2>();
        add(screen->factorList(Tab::Community), true, QStringLiteral("new barrier"));
        add(screen->factorList(Tab::School), true, QStringLiteral("school barrier"));
        fx->store.failWritesTo(QStringLiteral("SNE_Factors_School"));
        QVERIFY(!screen->save());
        QCOMPARE(storedFactors(QStringLiteral("SNE_Factors_Community"), QStringLiteral("Positive_Influence")),
                 QStringList{QStringLiteral("kept| ")});
    }

    // The picked entry is blue and bold for working on screen only: on paper
    // it reads like every other entry.
    void pickedEntryPrintsLikeTheOthers()
    {
        for (int i = 0; i < 2; ++i)
            storeFactor("SNE_Factors_Community", "Positive_Influence", QStringLiteral("Grandmother cares"),
                        QStringLiteral("Grandmother ill"));
        auto screen = kit::opened<frmExtendedProfile2>();
        EntryPreviewList *list = screen->factorList(Tab::Community);
        list->grid()->setActiveCell(1, frmExtendedProfile2::FirstEntryRow + 1);
        QCOMPARE(list->list().selectedRow(), frmExtendedProfile2::FirstEntryRow + 1);
        fx->printed(*screen);

        // Bold letters are wider: all four entries print equally wide.
        QVector<double> widths;
        for (const PdfText::Word &w : PdfText::words(fx->pdfPath()))
            if (w.text == QLatin1String("Grandmother"))
                widths << w.box.width();
        QCOMPARE(widths.size(), 4);
        for (double width : std::as_const(widths))
            QVERIFY2(qAbs(width - widths.first()) < 0.05, qPrintable(QString::number(width)));

        // No blue ink on the sheet, but black text.
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("sheet"));
        QCOMPARE(QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"),
                                                                 QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                                                 fx->pdfPath(), png}), 0);
        const QImage sheet(png + QStringLiteral(".png"));
        QVERIFY(!sheet.isNull());
        int blue = 0;
        int black = 0;
        for (int y = 0; y < sheet.height(); ++y) {
            for (int x = 0; x < sheet.width(); ++x) {
                const QRgb p = sheet.pixel(x, y);
                blue += qBlue(p) > 150 && qRed(p) < 100 && qGreen(p) < 100;
                black += qGray(p) < 60;
            }
        }
        QCOMPARE(blue, 0);
        QVERIFY(black > 100);
    }

    void printsTheShowingTab_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("notShown");
        QTest::addColumn<int>("records");
        QTest::newRow("classroom") << int(Tab::Classroom) << QStringLiteral("classroom factor 40")
                                   << QStringLiteral("community factor") << 40;
        QTest::newRow("summary") << int(Tab::Summary) << QStringLiteral("SUMMARY OF BARRIERS TO LEARNING")
                                 << QStringLiteral("Preview Captured Information") << 25;
    }
    void printsTheShowingTab()
    {
        QFETCH(int, tab);
        QFETCH(QString, shown);
        QFETCH(QString, notShown);
        QFETCH(int, records);
        storeFactor("SNE_Factors_Community", "Positive_Influence", QStringLiteral("community factor"), QStringLiteral(" "));
        for (int i = 1; i <= records; ++i)
            storeFactor("SNE_Factors_Classroom", "Enabling_Factor", QStringLiteral("classroom factor %1").arg(i),
                        QStringLiteral("classroom barrier %1").arg(i));
        auto screen = kit::opened<frmExtendedProfile2>();
        screen->setCurrentPage(tab);
        int pages = 0;
        fx->printed(*screen, &pages);
        const QStringList sheets = PdfText::pages(fx->pdfPath());
        QVERIFY(sheets.join(QString()).contains(shown));
        QVERIFY(!sheets.join(QString()).contains(notShown));
        QVERIFY(sheets.first().contains(QStringLiteral(" SNA [ Section 2: EXTENDED PROFILE OF LEARNER NEEDS ]")));
        if (tab == Tab::Classroom) {
            // The long list runs on over further sheets, each headed again
            // and marked as continued.
            QVERIFY(pages >= 2);
            QVERIFY(sheets.first().contains(QStringLiteral("classroom factor 1 ")));
            QVERIFY(sheets.last().contains(QStringLiteral(" SNA [ Section 2: EXTENDED PROFILE OF LEARNER NEEDS ]")));
            QVERIFY(sheets.last().contains(QStringLiteral("(continued)")));
            QVERIFY(sheets.last().contains(QStringLiteral("classroom barrier 40")));
            // ... under the list's question and its column headings.
            QVERIFY(sheets.last().contains(QStringLiteral("What factors in the classroom")));
            QVERIFY(sheets.last().contains(QRegularExpression(QStringLiteral("ENABLING FACTORS\\s+BARRIERS"))));
        } else {
            // The enabling factors run past the barriers' top: the barriers
            // follow on a sheet of their own instead of being drawn over them.
            QCOMPARE(pages, 2);
            QVERIFY(sheets.first().contains(QStringLiteral("classroom factor 25")));
            QVERIFY(!sheets.first().contains(QStringLiteral("classroom barrier 1")));
            QVERIFY(sheets.last().contains(QStringLiteral("classroom barrier 25")));
        }
    }
};

QTEST_MAIN(TestExtendedProfile)
#include "tst_extendedprofile.moc"
