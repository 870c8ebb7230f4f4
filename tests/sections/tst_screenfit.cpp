// Texts are never hidden: on every Stage 1 screen each cell's wrapped text
// fits its row, windows open showing their grids, long answers print whole,
// pushing later blocks down or on to the next sheet, and each screen's page
// prints its own texts and the stored answers of the tab showing.
#include "BackgroundInfo.h"
#include "EveryScreen.h"
#include "ScreenTestKit.h"
#include "SpreadDelegate.h"

#include <QApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

namespace {

constexpr int Year = 2017;

// A text of about length characters, in words, ending with marker.
QString longText(int length, const QString &marker)
{
    QString text;
    for (int i = 1; text.size() + marker.size() + 8 < length; ++i)
        text += QStringLiteral("word%1 ").arg(i);
    return text + marker;
}

// The editable cells each screen gets long answers in: grid, column, row, length.
struct Answer { const char *grid; int col; int row; int length; };

QVector<Answer> answersOf(const QString &screen)
{
    if (screen == QLatin1String("frmBackgroundInfo"))
        return {{"gridEarlyIntervention", 1, 3, 255}, {"gridEarlyIntervention", 3, 3, 255},
                {"gridFamilySituation", 1, 3, 900}, {"gridParent_Understanding", 1, 3, 2000}};
    if (screen == QLatin1String("frmHealthReport"))
        return {{"gridAreas", 2, 11, 2000}};
    if (screen == QLatin1String("frmAssessment_Support_Reg1"))
        return {{"gridDisability", 1, 2, 255}, {"gridSupport", 1, 2, 255}};
    if (screen == QLatin1String("frmCriteriaSelection6"))
        return {{"gridScores", 2, 12, 600}, {"gridScores", 4, 12, 2000}};
    return {};
}

// Whether the cell's wrapped text, measured with the grid's own font metrics,
// fits the cell as the grid draws it (its span's rectangle less the padding).
QString cutCell(const grid::SpreadGrid &grid)
{
    const grid::SpreadModel &cells = grid.cells();
    for (int row = 1; row <= cells.maxRows(); ++row) {
        for (int col = 1; col <= cells.maxCols(); ++col) {
            const QRect span = cells.spanAt(col, row);
            const grid::CellSpec &cell = cells.cell(col, row);
            const bool wraps = ((cell.type == grid::CellType::Edit || cell.type == grid::CellType::Static) && cell.wordWrap)
                || cell.type == grid::CellType::Button;
            const QString text = cell.type == grid::CellType::Button ? cell.buttonText : cell.text;
            if (span.topLeft() != QPoint(col, row) || grid.isColumnHidden(col - 1) || !wraps || text.isEmpty())
                continue;
            const QRect rect = grid.visualRect(cells.index(row - 1, col - 1));
            QFont font = grid.font();
            font.setBold(cell.bold);
            const double width = rect.width() - 2 * grid::SpreadDelegate::TextPadH;
            QString plain = text;
            plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            const double needed = QFontMetricsF(font).boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, plain).height()
                + 2 * grid::SpreadDelegate::TextPadV;
            if (rect.height() + 0.01 < needed)
                return QStringLiteral("%1 (%2,%3): %4 px for %5 px of \"%6\"")
                    .arg(grid.objectName()).arg(col).arg(row).arg(rect.height()).arg(needed).arg(plain.right(30));
        }
    }
    return QString();
}

} // namespace

class TestScreenFit : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<kit::Fixture> fx;
    int learner = 0;

private Q_SLOTS:
    void initTestCase()
    {
        registerEveryScreen(ScreenRegistry::instance());
    }

    void init()
    {
        fx = std::make_unique<kit::Fixture>(false);
        learner = fx->store.addLearner(QStringLiteral("Dlamini"), QStringLiteral("Sipho"), QStringLiteral("C"), 2,
                                       QString(), 1, QStringLiteral("B-17"), QStringLiteral("20090412"));
        fx->store.pickLearner(learner, Year);
        appState().EmisCode = QStringLiteral("700555111");
    }
    void cleanup() { fx.reset(); }

    void everyTextFitsItsRowAndTheWindowShowsTheGrids_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("longAnswers");
        const QStringList screens = {QStringLiteral("frmBackgroundInfo"), QStringLiteral("frmHealthReport"),
                                     QStringLiteral("frmCriteriaSelection1"), QStringLiteral("frmCriteriaSelection2"),
                                     QStringLiteral("frmCriteriaSelection3"), QStringLiteral("frmCriteriaSelection4"),
                                     QStringLiteral("frmCriteriaSelection5"), QStringLiteral("frmCriteriaSelection6"),
                                     QStringLiteral("frmAssessment_Support_Reg1"), QStringLiteral("frmAssessment_Support_Reg2"),
                                     QStringLiteral("frmAssessment_Support_Reg3"), QStringLiteral("frmAssessment_Support_Reg4")};
        for (const QString &screen : screens) {
            QTest::newRow(qPrintable(screen)) << screen << false;
            if (!answersOf(screen).isEmpty())
                QTest::newRow(qPrintable(screen + QStringLiteral(", long answers"))) << screen << true;
        }
    }

    void everyTextFitsItsRowAndTheWindowShowsTheGrids()
    {
        QFETCH(QString, screen);
        QFETCH(bool, longAnswers);
        const auto form = kit::opened(screen);
        if (longAnswers)
            for (const Answer &a : answersOf(screen))
                kit::gridOf(*form, a.grid)->cells().setText(a.col, a.row, longText(a.length, QStringLiteral("END")));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCoreApplication::processEvents();

        const QList<grid::SpreadGrid *> grids = form->findChildren<grid::SpreadGrid *>();
        QVERIFY(!grids.isEmpty());
        for (const grid::SpreadGrid *grid : grids) {
            const QString cut = cutCell(*grid);
            QVERIFY2(cut.isEmpty(), qPrintable(cut));
        }
        // Opened showing the whole page, unless the screen is too small for it.
        if (longAnswers)
            return;   // the window was sized for what the screen loaded
        const auto *page = form->findChild<QScrollArea *>();
        const QSize room = form->screen()->availableGeometry().size();
        const bool scrolls = page->verticalScrollBar()->maximum() > 0 || page->horizontalScrollBar()->maximum() > 0;
        QVERIFY2(!scrolls || form->height() >= room.height() - 60,
                 qPrintable(QStringLiteral("%1x%2 window scrolls").arg(form->width()).arg(form->height())));
    }

    // The health report's comments grow their row on screen as they are typed.
    void furtherCommentsGrowWithTheirText()
    {
        const auto form = kit::opened(QStringLiteral("frmHealthReport"));
        grid::SpreadGrid *areas = kit::gridOf(*form, "gridAreas");
        form->show();
        QCoreApplication::processEvents();
        const int before = areas->rowHeight(10);
        QVERIFY(kit::type(areas, 2, 11, longText(2000, QStringLiteral("END"))));
        QTRY_VERIFY(areas->rowHeight(10) > 2 * before);
        QVERIFY(cutCell(*areas).isEmpty());
    }

    // Long answers print whole: the end of each lies above the heading of the
    // block after it, or that block moved on to a later sheet, which starts
    // with the header lines again.
    void longAnswersPrintWholeAboveTheNextBlock_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("nextHeading");   // first word of the block below
        QTest::newRow("early intervention, 255") << "frmBackgroundInfo" << "gridEarlyIntervention" << 1 << 3 << 255
                                                 << "1.2";
        QTest::newRow("family situation, 900") << "frmBackgroundInfo" << "gridFamilySituation" << 1 << 3 << 900 << "1.4";
        QTest::newRow("parent's understanding, 2000") << "frmBackgroundInfo" << "gridParent_Understanding" << 1 << 3
                                                      << 2000 << QString();
        QTest::newRow("further comments, 2000") << "frmHealthReport" << "gridAreas" << 2 << 11 << 2000 << QString();
        QTest::newRow("other conditions, 2000") << "frmCriteriaSelection6" << "gridScores" << 4 << 12 << 2000 << QString();
    }

    void longAnswersPrintWholeAboveTheNextBlock()
    {
        QFETCH(QString, screen);
        QFETCH(QString, grid);
        QFETCH(int, col);
        QFETCH(int, row);
        QFETCH(int, length);
        QFETCH(QString, nextHeading);
        const auto form = kit::opened(screen);
        kit::gridOf(*form, qPrintable(grid))->cells().setText(col, row, longText(length, QStringLiteral("ANSWEREND")));
        int sheets = 0;
        QVERIFY(!fx->printed(*form, &sheets).isNull());
        const QVector<PdfText::Word> words = PdfText::words(fx->pdfPath());
        const PdfText::Word end = PdfText::find(words, QStringLiteral("ANSWEREND"));
        QVERIFY2(end.page > 0, "the end of the answer is on paper");
        // Every word once: nothing hidden, nothing cut in two between sheets.
        const QStringList answer = longText(length, QStringLiteral("ANSWEREND")).split(QLatin1Char(' '));
        for (const QString &word : answer) {
            const auto times = std::count_if(words.cbegin(), words.cend(), [&](const PdfText::Word &w) { return w.text == word; });
            QVERIFY2(times == 1, qPrintable(word + QStringLiteral(" printed %1 times").arg(times)));
        }
        for (const QString &sheet : PdfText::pages(fx->pdfPath()))
            QVERIFY(sheet.contains(QStringLiteral("EMIS NUMBER: 700555111")));
        if (screen == QLatin1String("frmBackgroundInfo"))
            QCOMPARE(PdfText::pages(fx->pdfPath()).last().contains(QStringLiteral("LEARNER NAME : DLAMINI Sipho")), true);
        if (!nextHeading.isEmpty()) {
            const PdfText::Word heading = PdfText::find(words, nextHeading);
            QVERIFY(heading.page > 0);
            QVERIFY2(end.page < heading.page || (end.page == heading.page && end.box.bottom() < heading.box.top()),
                     qPrintable(QStringLiteral("end %1 on %2, heading %3 on %4").arg(end.box.bottom()).arg(end.page)
                                    .arg(heading.box.top()).arg(heading.page)));
        }
    }

    // Short answers keep the blocks at their specified tops.
    void shortAnswersKeepTheBlocksAtTheirTops()
    {
        const auto form = kit::opened(QStringLiteral("frmBackgroundInfo"));
        int sheets = 0;
        QVERIFY(!fx->printed(*form, &sheets).isNull());
        QCOMPARE(sheets, 1);
        const QVector<PdfText::Word> words = PdfText::words(fx->pdfPath());
        // Each heading is its block's first cell: the same distance below each top.
        const double inset = PdfText::find(words, QStringLiteral("1.1")).box.top() * 20 - 800;
        const QList<QPair<QString, int>> tops = {{QStringLiteral("1.2"), 2500}, {QStringLiteral("1.3"), 3500},
                                                 {QStringLiteral("1.4"), 6000}};
        for (const auto &[heading, top] : tops)
            QVERIFY2(qAbs(PdfText::find(words, heading).box.top() * 20 - top - inset) < 4, qPrintable(heading));
    }

    void printJobCarriesTheCaptionAndTheLearner()
    {
        const auto form = kit::opened(QStringLiteral("frmBackgroundInfo"));
        QVERIFY(!fx->printed(*form).isNull());
        QCOMPARE(PdfText::title(fx->pdfPath()),
                 QStringLiteral("SNA [Section 1: BACKGROUND INFORMATION ON LEARNER] - DLAMINI Sipho"));
    }

    // The learner's answers as stored (%1 the learner, %2 the year), then the
    // page of the screen's tab: the lines it matches, the texts it holds
    // ("!": leaves to other tabs or screens), the lines its first and its last
    // sheet match ("!": does not), and its sheets (0: any; -n: n or more).
    void eachPagePrintsItsOwnTexts_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("last");
        QTest::addColumn<int>("sheets");
        const QString learnerLine = QStringLiteral("LEARNER NAME : DLAMINI Sipho\\s+ASSESION NUMBER: B-17");
        const QStringList none;
        QTest::newRow("background")
            << "frmBackgroundInfo" << -1
            << QStringList{"INSERT INTO SNE_Learner_Background_Info (LearnerID, Nature_Of_Support_Received, "
                           "Parent_Understanding_Of_Child, Data_Year) VALUES (%1, 'Remedial classes', 'Proud of her drawings', %2)"}
            << QStringList{"EMIS NUMBER: 700555111\\s+\\[ BACKGROUND INFORMATION OF LEARNER \\]", learnerLine}
            << QStringList{"1.1 Early intervention services", "Remedial classes", "1.2 State disability (if any)",
                           "Hearing impairment", "Physical disability", "1.3 Family and home situation",
                           "1.4 Parent's understanding of the child", "Proud of her drawings"}
            << none << none << 1;
        QTest::newRow("health report")
            << "frmHealthReport" << -1
            << QStringList{"INSERT INTO SNE_Criteria_For_Selection (LearnerID, Sub_Section, Score, Data_Year) VALUES "
                           "(%1, 1, 2, %2), (%1, 2, 2, %2)",
                           "INSERT INTO SNE_Health_Professional_Report (LearnerID, Comments, Data_Year) VALUES "
                           "(%1, 'Seen at the clinic', %2)"}
            << none
            << QStringList{"A. HEALTH PROFESSIONAL REPORT", "DLAMINI Sipho", "12/04/2009", "Hearing impairment",
                           "1. MEDICAL RECORDS", "2. AREAS OF IMPAIRMENT AND ACTIVITY LIMITATION", "2.8 Health care needs",
                           "MODERATE", "Seen at the clinic", "!LEARNER NAME"}
            << none << none << 0;
        QTest::newRow("criteria 4")
            << "frmCriteriaSelection4" << -1
            << QStringList{"INSERT INTO SNE_Criteria_For_Selection (LearnerID, Sub_Section, Score, Data_Year) VALUES (%1, 16, 2, %2)"}
            << none
            << QStringList{"B. CRITERIA FOR SELECTION", "Activity limitations:", "ACTIVITY DOMAIN", "SCORE", "VISION",
                           "HEARING", "Decibel loss", "Sound recognition", "!LEARNER NAME"}
            << none << none << 1;
        // The rating grids run on to a second sheet where their items need it;
        // a continued sheet reads alone: learner, the continued mark and the
        // support areas' headings above the ratings it carries on with.
        const QStringList levels{"INSERT INTO SNE_Assessment_Supp_Req (LearnerID, GridID, Support_Area, [Level], Data_Year) "
                                 "VALUES (%1, 1, 2, 'Level 3', %2), (%1, 11, 5, 'Level 4', %2), (%1, 28, 4, 'Level 2', %2), "
                                 "(%1, 45, 2, 'N/A', %2)",
                                 "INSERT INTO SNE_Learner_Supp_Needs (LearnerID, Disability_Descr, Psycho_Social_Support, "
                                 "Data_Year) VALUES (%1, 'Uses a hearing aid in class', ' ', %2)"};
        const QStringList ratingLines{"EMIS NUMBER: 700555111 \\[ ASSESSMENT FOR SUPPORT REQUIREMENTS \\]", learnerLine};
        const QStringList continued{learnerLine, "\\(continued\\)", "Areas of support", "Environmental", "Specialised/"};
        QTest::newRow("assessment 1")
            << "frmAssessment_Support_Reg1" << -1 << levels << ratingLines
            << QStringList{"IF LEARNER HAS DISABILITY-DESCRIPTION", "Uses a hearing aid in class", "PSYCHO-SOCIAL SUPPORT NEEDED",
                           "1. MANAGEMENT AND PLANNING", "a. Meeting and consultation sessions to",
                           "b. ISP Review and monitoring e.g", "HRD", "Level 3"}
            << none << none << 1;
        QTest::newRow("assessment 2")
            << "frmAssessment_Support_Reg2" << -1 << levels << ratingLines
            << QStringList{"Assessment of nature and intensity of additional support needs", "Contact Details",
                           "2. ASSISTIVE TECHNOLOGY AND MATERIALS", "b. Ordering and supply of", "g. Individual support in the",
                           "Level 4"}
            << none << none << 1;
        QTest::newRow("assessment 3")
            << "frmAssessment_Support_Reg3" << -1 << levels << ratingLines
            << QStringList{"Assessment of nature and intensity of additional support needs",
                           "3.1 Adjustments to regular curriculum", "3.2 Additional classroom support strategies",
                           "a. Adjustments to regular curriculum are", "l. Administration of specialised",
                           "m. Support and guide learner's", "Level 2"}
            << none << continued << 2;
        QTest::newRow("assessment 4")
            << "frmAssessment_Support_Reg4" << -1 << levels << ratingLines
            << QStringList{"4. ASSESSMENT", "5. ENVIRONMENTAL ACCESS", "a. Adapted assessment procedures",
                           "h. Teaching of specific safety & access", "Overall Ratings:", "N/A"}
            << none << continued + QStringList{"Areas of support[\\s\\S]*Overall Ratings:"} << 2;
        const QString needs = QStringLiteral("INSERT INTO SNE_Learner_Support_Needs (LearnerID, Support_Area, Low_Moderate_High, "
                                             "School_Need, School_Available, Data_Year) VALUES ");
        QTest::newRow("school request, third area")
            << "frmSchoolRequestSupport" << 2
            << QStringList{needs + "(%1, 3, 'HIGH LEVEL', ' ', 'Braille books', %2), (%1, 1, 'LOW', ' ', 'Class aide', %2)"}
            << QStringList{learnerLine}
            << QStringList{"Support Needs Assessment [Section 3b : SCHOOL REQUEST FORM",
                           "Support area: 3. Curriculum Differentiation", "Braille books", "!Class aide", "!Tshwane South"}
            << none << none << 0;
        QTest::newRow("ILST record, second tab")
            << "frmILSTIntervention" << 1
            << QStringList{"INSERT INTO SNE_ILST_Intervention_Records (LearnerID, Whole_School_Development, Principal_Reason, "
                           "Data_Year) VALUES (%1, 'Whole school plan', 'Principal agrees', %2)"}
            << QStringList{learnerLine}
            << QStringList{"Principal agrees", "4. PRINCIPAL APPROVES REQUEST FOR DBST SUPPORT", "!Whole school plan"}
            << none << none << 0;
        QTest::newRow("action plan, review")
            << "frmActionPlan" << -1 << none
            << QStringList{"^EMIS NUMBER: 700555111 \\[ Section 4: ACTION PLAN FOR ADDITIONAL"}
            << QStringList{"1. DBST REVIEWS ILST REQUEST", "Barriers or concern:", "!LEARNER NAME"}
            << none << none << 0;
        QTest::newRow("action plan, approval")
            << "frmActionPlan3" << -1 << none << none
            << QStringList{"3. APPROVAL BY DISTRICT SENIOR MANAGER", "5. REVIEW OF ACTION TAKEN"}
            << none << none << 0;
        // Factors: the showing tab alone. A long list runs on over further
        // sheets under its question and column headings; enabling factors that
        // run past the barriers' top send the barriers to a sheet of their own.
        const QString community = QStringLiteral("INSERT INTO SNE_Factors_Community (LearnerID, Positive_Influence, Barrier, "
                                                 "Data_Year) VALUES (%1, 'community factor', ' ', %2)");
        const auto classroom = [](int rows) {
            return QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ") + QString::number(rows)
                + QStringLiteral(") INSERT INTO SNE_Factors_Classroom (LearnerID, Enabling_Factor, Barrier, Data_Year) "
                                 "SELECT %1, 'classroom factor ' || i, 'classroom barrier ' || i, %2 FROM n");
        };
        const QString section2 = QStringLiteral(" SNA \\[ Section 2: EXTENDED PROFILE OF LEARNER NEEDS \\]");
        QTest::newRow("factors, classroom")
            << "frmExtendedProfile2" << 1 << QStringList{community, classroom(40)} << none
            << QStringList{"classroom factor 40", "!community factor"}
            << QStringList{section2, "classroom factor 1 "}
            << QStringList{section2, "\\(continued\\)", "classroom barrier 40", "What factors in the classroom",
                           "ENABLING FACTORS\\s+BARRIERS"}
            << -2;
        QTest::newRow("factors, summary")
            << "frmExtendedProfile2" << 3 << QStringList{community, classroom(25)} << none
            << QStringList{"SUMMARY OF BARRIERS TO LEARNING", "!Preview Captured Information"}
            << QStringList{section2, "classroom factor 25", "!classroom barrier 1"} << QStringList{"classroom barrier 25"} << 2;
        // Barriers and strengths that fill the first sheet leave the actions to the next.
        QTest::newRow("ISP, long barrier lists")
            << "frmISP" << -1
            << QStringList{"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 12) INSERT INTO "
                           "SNE_Factors_Community (LearnerID, Positive_Influence, Barrier, Data_Year) SELECT %1, 'strength-' "
                           "|| substr('0' || i, -2), 'barrier-' || substr('0' || i, -2), %2 FROM n",
                           "INSERT INTO SNE_ISP (LearnerID, [Action], Target, Data_Year) VALUES (%1, 1, 'group one target', %2)"}
            << none << none
            << QStringList{"barrier-12", "strength-12", "!group one target"}
            << QStringList{" SNA \\[ ISP : INDIVIDUAL SUPPORT PLAN \\]", "1. ACTIONS TO BE TAKEN",
                           "WHOLE SCHOOL DEVELOPMENT INTERVENTION", "group one target"}
            << 2;
    }
    void eachPagePrintsItsOwnTexts()
    {
        QFETCH(QString, screen);
        QFETCH(int, tab);
        QFETCH(QStringList, stored);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, first);
        QFETCH(QStringList, last);
        QFETCH(int, sheets);
        // Primary disability 2 and additional 3, and a district the page does not print.
        fx->store.exec(QStringLiteral("INSERT INTO Disabilities (id, Name) VALUES (2, 'Hearing impairment'), "
                                      "(3, 'Physical disability')"));
        fx->store.exec(QStringLiteral("UPDATE Learner_Info SET LSENDisabilities = 2 WHERE ID = %1").arg(learner));
        fx->store.exec(QStringLiteral("INSERT INTO MultipleDisabilities (LearnerID, DisabilityID) VALUES (%1, 3)").arg(learner));
        appState().District = QStringLiteral("Tshwane South");
        for (const QString &statement : stored)
            fx->store.exec(statement.arg(learner).arg(Year));
        const auto form = kit::opened(screen);
        if (tab >= 0)
            form->setCurrentPage(tab);
        int pages = 0;
        const QString page = fx->printed(*form, &pages);
        QVERIFY(!page.isNull());
        QVERIFY2(sheets >= 0 ? sheets == 0 || pages == sheets : pages >= -sheets, qPrintable(QString::number(pages)));
        const auto holds = [](const QString &text, const QString &expected, bool regex) {
            const bool absent = expected.startsWith(QLatin1Char('!'));
            const QString what = expected.mid(absent ? 1 : 0);
            return absent != (regex ? text.contains(QRegularExpression(what)) : text.contains(what));
        };
        for (const QString &line : lines)
            QVERIFY2(holds(page, line, true), qPrintable(line + QStringLiteral(" in ") + page));
        for (const QString &text : texts)
            QVERIFY2(holds(page, text, false), qPrintable(text));
        const QStringList printedSheets = PdfText::pages(fx->pdfPath());
        for (const QString &line : first)
            QVERIFY2(holds(printedSheets.first(), line, true), qPrintable(line + QStringLiteral(" in ") + printedSheets.first()));
        for (const QString &line : last)
            QVERIFY2(holds(printedSheets.last(), line, true), qPrintable(line + QStringLiteral(" in ") + printedSheets.last()));
    }
};

QTEST_MAIN(TestScreenFit)
#include "tst_screenfit.moc"
