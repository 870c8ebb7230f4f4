// The four Section 3a rating screens: each loads and saves only its own items'
// levels, only in the areas an item is rated in; the overall rating per area
// on the fourth; the learner fields of the first; the rating key; failures
// that roll back one save routine only; and the printed pages.
#include "AssessmentSupport.h"
#include "PdfText.h"
#include "ScreenTestKit.h"

#include <QGroupBox>
#include <QPushButton>
#include <QtTest>

using grid::SpreadGrid;
using kit::gridOf;
using kit::type;

namespace {

// 2014, so the statements carry the year directly followed by "AND".
constexpr int Year = 2014;

QString screenName(int screen)
{
    return QStringLiteral("frmAssessment_Support_Reg%1").arg(screen);
}

struct RatedCell
{
    int gridId;
    int row;
    int area;
};

// The ratable cells of each screen as "item@row:areas".
const char *const RatedCells[] = {
    "1@4:12 2@6:12345",
    "3@3:12345 4@4:13 5@5:12 7@7:124 8@8:124 10@10:1234 11@11:125",
    "12@5:4 13@6:24 14@7:124 16@9:1234 17@10:12345 18@11:1 19@12:14 20@13:4 21@14:1 22@15:4 23@16:4 24@17:4 "
    "25@18:124 26@19:124 27@20:124 28@21:124",
    "29@3:4 30@4:4 31@5:34 32@6:4 35@9:12345 36@10:23 37@11:1 39@13:1234 40@14:12 41@15:12 43@17:12 45@19:12",
};

QVector<RatedCell> ratedCells(int screen)
{
    QVector<RatedCell> cells;
    for (const QString &entry : QString::fromLatin1(RatedCells[screen - 1]).split(QLatin1Char(' '))) {
        const int gridId = entry.section(QLatin1Char('@'), 0, 0).toInt();
        const int row = entry.section(QLatin1Char('@'), 1).section(QLatin1Char(':'), 0, 0).toInt();
        for (const QChar area : entry.section(QLatin1Char(':'), 1))
            cells.append({gridId, row, area.digitValue()});
    }
    return cells;
}

// A level for every cell, differing between neighbours, some of them N/A.
QString levelFor(int gridId, int area)
{
    const int n = (gridId * 3 + area) % 6;
    return n == 5 ? QStringLiteral("N/A") : QStringLiteral("Level %1").arg(n + 1);
}

// The stored GridIDs of each screen.
const char *const OwnRange[] = {"GridID < 3", "GridID BETWEEN 3 AND 11", "GridID BETWEEN 12 AND 28", "GridID > 28"};

} // namespace

class tst_Assessment : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<kit::Fixture> fx;
    int learner = 0;

    // One statement for many levels: "(learner, item, area, 'level', year)" each.
    void storeRows(const QStringList &rows) const
    {
        fx->store.exec(QStringLiteral("INSERT INTO SNE_Assessment_Supp_Req (LearnerID, GridID, Support_Area, [Level], Data_Year) "
                                      "VALUES ") + rows.join(QLatin1Char(',')));
    }

    QString levelRow(int gridId, int area, const QString &level) const
    {
        return QStringLiteral("(%1, %2, %3, '%4', %5)").arg(learner).arg(gridId).arg(area).arg(level).arg(Year);
    }

    // "item/area:level" levels given as "1/1:Level 2;35/1:N/A".
    void storeLevels(const QString &levels) const
    {
        QStringList rows;
        for (const QString &entry : levels.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            rows << levelRow(entry.section(QLatin1Char('/'), 0, 0).toInt(),
                             entry.section(QLatin1Char('/'), 1).section(QLatin1Char(':'), 0, 0).toInt(),
                             entry.section(QLatin1Char(':'), 1));
        storeRows(rows);
    }

    // The learner's stored levels of the year as "item/area:level", in order.
    QString storedLevels(const QString &where = QStringLiteral("1")) const
    {
        return fx->store.scalar(QStringLiteral("SELECT group_concat(GridID || '/' || Support_Area || ':' || Level, ',') FROM "
                                               "(SELECT * FROM SNE_Assessment_Supp_Req WHERE LearnerID = %1 AND Data_Year = %2 "
                                               "AND %3 ORDER BY GridID, Support_Area)").arg(learner).arg(Year).arg(where)).toString();
    }

    QString storedRatings() const
    {
        return fx->store.scalar(QStringLiteral("SELECT group_concat(Support_Area || ':' || Rating, ',') FROM (SELECT * FROM "
                                               "SNE_Assessment_Supp_Req_Rating WHERE LearnerID = %1 AND Data_Year = %2 "
                                               "ORDER BY Support_Area)").arg(learner).arg(Year)).toString();
    }

    static QString ratingRow(const SpreadGrid *grid)
    {
        QStringList ratings;
        for (int col = 2; col <= 6; ++col)
            ratings << grid->cells().text(col, 21);
        return ratings.join(QLatin1Char('|'));
    }

    QString storedLearnerInfo() const
    {
        return fx->store.scalar(QStringLiteral("SELECT Disability_Descr || '|' || Psycho_Social_Support FROM SNE_Learner_Supp_Needs "
                                               "WHERE LearnerID = %1 AND Data_Year = %2").arg(learner).arg(Year)).toString();
    }

private Q_SLOTS:
    void init()
    {
        fx = std::make_unique<kit::Fixture>(false);
        learner = fx->store.addLearner(QStringLiteral("O'Neill"), QStringLiteral("Thandi"), QStringLiteral("C"), 2, QString(), 1,
                                       QStringLiteral("ACC-77"));
        fx->store.pickLearner(learner, Year);
        appState().EmisCode = QStringLiteral("400111222");
    }
    void cleanup() { fx.reset(); }

    void eachScreenLoadsAndSavesOnlyItsOwnLevels_data()
    {
        QTest::addColumn<int>("screen");
        for (int screen = 1; screen <= 4; ++screen)
            QTest::newRow(qPrintable(screenName(screen))) << screen;
    }
    void eachScreenLoadsAndSavesOnlyItsOwnLevels()
    {
        QFETCH(int, screen);
        QStringList rows;
        for (int s = 1; s <= 4; ++s)
            for (const RatedCell &cell : ratedCells(s))
                rows << levelRow(cell.gridId, cell.area, levelFor(cell.gridId, cell.area));
        storeRows(rows);
        // Levels no screen has a cell for: blocked-out areas, caption and heading rows.
        storeLevels(QStringLiteral("1/3:Level 4;4/2:Level 4;6/1:Level 4;15/1:Level 4;29/1:Level 4;33/4:Level 4;45/5:Level 4"));
        const QString own = QString::fromLatin1(OwnRange[screen - 1]);
        const QString others = storedLevels(QStringLiteral("NOT (") + own + QLatin1Char(')'));

        auto form = kit::opened<frmAssessment_Support>(screenName(screen));
        SpreadGrid *grid = gridOf(*form, "gridAreaLevel");
        const grid::SpreadModel &cells = grid->cells();
        const QVector<RatedCell> rated = ratedCells(screen);
        QCOMPARE(cells.maxRows(), screen == 1 ? 6 : screen == 2 ? 11 : 21);
        // Input is taken in the ratable cells only; the other cells of a rated
        // row are blocked out grey; no stray level shows anywhere.
        QSet<int> ratedRows;
        for (const RatedCell &cell : rated)
            ratedRows << cell.row;
        int ratable = 0;
        for (int row = 1; row <= cells.maxRows(); ++row) {
            for (int col = 1; col <= 6; ++col) {
                const bool editable = cells.flags(cells.index(row - 1, col - 1)) & Qt::ItemIsEditable;
                auto it = std::find_if(rated.begin(), rated.end(),
                                       [&](const RatedCell &c) { return c.row == row && c.area + 1 == col; });
                if (it == rated.end()) {
                    QVERIFY2(!editable, qPrintable(QStringLiteral("cell %1,%2").arg(col).arg(row)));
                    if (col > 1 && ratedRows.contains(row)) {
                        QCOMPARE(cells.text(col, row), QString());
                        QCOMPARE(cells.cell(col, row).backColor, QColor(233, 233, 233));
                        QVERIFY(!type(grid, col, row, QStringLiteral("Level 1")));
                    }
                    continue;
                }
                ++ratable;
                QVERIFY(editable);
                QCOMPARE(cells.cell(col, row).type, grid::CellType::ComboBox);
                QCOMPARE(cells.cell(col, row).items, QStringList({"Level 1", "Level 2", "Level 3", "Level 4", "Level 5", "N/A"}));
                QCOMPARE(cells.text(col, row), levelFor(it->gridId, it->area));
            }
        }
        QCOMPARE(ratable, rated.size());
        QVERIFY(!form->hasUnsavedChanges());

        // Change the first cell, clear the last one, and save.
        const RatedCell first = rated.first();
        const RatedCell last = rated.last();
        QVERIFY(!type(grid, first.area + 1, first.row, QStringLiteral("Level 6")));
        QVERIFY(type(grid, first.area + 1, first.row, QStringLiteral("N/A")));
        QVERIFY(type(grid, last.area + 1, last.row, QString()));
        QVERIFY(form->hasUnsavedChanges());
        QVERIFY(form->save());
        QCOMPARE(fx->boxes.texts(), QStringList{QStringLiteral("Your Information has been saved.")});

        // The levels the screen cannot show stay stored as they were.
        const int firstId[] = {1, 3, 12, 29};
        const int lastId[] = {2, 11, 28, 47};
        QMap<QPair<int, int>, QString> expected;
        const QPair<int, int> blocked[] = {{1, 3}, {4, 2}, {6, 1}, {15, 1}, {29, 1}, {33, 4}, {45, 5}};
        for (const QPair<int, int> &cell : blocked) {
            if (cell.first >= firstId[screen - 1] && cell.first <= lastId[screen - 1])
                expected.insert(cell, QStringLiteral("Level 4"));
        }
        for (const RatedCell &cell : rated) {
            if (cell.gridId == last.gridId && cell.area == last.area)
                continue;
            const bool changed = cell.gridId == first.gridId && cell.area == first.area;
            expected.insert({cell.gridId, cell.area}, changed ? QStringLiteral("N/A") : levelFor(cell.gridId, cell.area));
        }
        QStringList levels;
        for (auto it = expected.constBegin(); it != expected.constEnd(); ++it)
            levels << QStringLiteral("%1/%2:%3").arg(it.key().first).arg(it.key().second).arg(it.value());
        QCOMPARE(storedLevels(own), levels.join(QLatin1Char(',')));
        QCOMPARE(storedLevels(QStringLiteral("NOT (") + own + QLatin1Char(')')), others);
    }

    void overallRatings_data()
    {
        // Stored levels, then the ratings row 21 shows (areas 1 to 5) and the ratings stored.
        QTest::addColumn<QString>("levels");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored");
        QTest::newRow("2 and 3 give 2") << "35/1:Level 2;37/1:Level 3" << "2||||" << "1:2";
        QTest::newRow("3 and 4 give 4") << "35/2:Level 3;40/2:Level 4" << "|4|||" << "2:4";
        QTest::newRow("a single 5") << "31/3:Level 5" << "||5||" << "3:5";
        QTest::newRow("1, 2 and 2 give 2") << "29/4:Level 1;30/4:Level 2;32/4:Level 2" << "|||2|" << "4:2";
        QTest::newRow("N/A does not count") << "29/4:Level 4;30/4:N/A;31/4:N/A" << "|||4|" << "4:4";
        QTest::newRow("only N/A: no rating") << "35/5:N/A;17/5:N/A" << "||||" << "";
        QTest::newRow("area 1 on the first and the last screen") << "1/1:Level 2;35/1:Level 5" << "4||||" << "1:4";
        QTest::newRow("every screen counts")
            << "1/1:Level 1;3/1:Level 2;16/1:Level 3;2/5:Level 4;35/5:Level 5;12/4:Level 3;29/4:Level 3"
            << "2|||3|4" << "1:2,4:3,5:4";
    }
    void overallRatings()
    {
        QFETCH(QString, levels);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        storeLevels(levels);
        // A rating stored earlier for an area without levels now is not kept.
        fx->store.exec(QStringLiteral("INSERT INTO SNE_Assessment_Supp_Req_Rating (LearnerID, Support_Area, Rating, Data_Year) "
                                      "VALUES (%1, 5, 3, %2)").arg(learner).arg(Year));

        auto form = kit::opened<frmAssessment_Support>(screenName(4));
        SpreadGrid *grid = gridOf(*form, "gridAreaLevel");
        QCOMPARE(ratingRow(grid), shown);
        for (int col = 2; col <= 6; ++col) {
            QVERIFY(grid->cells().cell(col, 21).bold);
            QVERIFY(!(grid->cells().flags(grid->cells().index(20, col - 1)) & Qt::ItemIsEditable));
        }
        QVERIFY(form->save());
        QCOMPARE(storedRatings(), stored);
    }

    void ratingsFollowSavedLevelsAndClearedAreas()
    {
        storeLevels(QStringLiteral("35/3:Level 3;36/3:Level 4;35/1:Level 2;2/1:Level 4"));
        auto form = kit::opened<frmAssessment_Support>(screenName(4));
        SpreadGrid *grid = gridOf(*form, "gridAreaLevel");
        QCOMPARE(ratingRow(grid), QStringLiteral("3||4||"));

        // An edit counts once it is saved; clearing every level of an area
        // leaves no rating for it, on screen or stored.
        QVERIFY(type(grid, 4, 9, QString()));
        QVERIFY(type(grid, 4, 10, QString()));
        QVERIFY(type(grid, 2, 9, QStringLiteral("Level 5")));
        QCOMPARE(ratingRow(grid), QStringLiteral("3||4||"));
        QVERIFY(form->save());
        QCOMPARE(ratingRow(grid), QStringLiteral("4||||"));   // 4.5 goes to the even 4
        QCOMPARE(storedRatings(), QStringLiteral("1:4"));
        QCOMPARE(storedLevels(), QStringLiteral("2/1:Level 4,35/1:Level 5"));
    }

    void ratingKeyShowsAndHides()
    {
        auto form = kit::opened<frmAssessment_Support>(screenName(2));
        auto *button = form->findChild<QPushButton *>(QStringLiteral("cmdShowKEY"));
        auto *frame = form->findChild<QGroupBox *>(QStringLiteral("fraRatingKey"));
        QVERIFY(button && frame);
        QCOMPARE(button->text(), QStringLiteral(" Show rating KEY >>"));
        QVERIFY(frame->isHidden());
        QCOMPARE(frame->title(), QStringLiteral("To complete this section use the following rating KEY"));
        button->click();
        QCOMPARE(button->text(), QStringLiteral(" Hide rating KEY <<"));
        QVERIFY(!frame->isHidden());
        const SpreadGrid *key = gridOf(*form, "vaSpread2");
        QCOMPARE(key->cells().text(1, 1) + QLatin1Char('|') + key->cells().text(2, 5), QStringLiteral("Level 1|Very High"));
        QVERIFY(key->cells().text(3, 3).startsWith(QStringLiteral("Moderate frequency intervention by ILST")));
        button->click();
        QCOMPARE(button->text(), QStringLiteral(" Show rating KEY >>"));
        QVERIFY(frame->isHidden());
        QVERIFY(!form->hasUnsavedChanges());
    }

    void learnerFieldsOfTheFirstScreen_data()
    {
        QTest::addColumn<QString>("disability");
        QTest::addColumn<QString>("support");
        QTest::addColumn<QString>("stored");   // what the store holds ("" for no row)
        const QString long255 = QString(254, QLatin1Char('x')) + QStringLiteral("'");
        QTest::newRow("apostrophes and quotes")
            << QString::fromUtf8("O'Neill's \"mild\" hearing loss; Zoë's report attached")
            << QStringLiteral("Social worker's visit\r\nevery month")
            << QString::fromUtf8("O'Neill's \"mild\" hearing loss; Zoë's report attached|Social worker's visit\r\nevery month");
        QTest::newRow("255 characters") << long255 << long255 << long255 + QLatin1Char('|') + long255;
        QTest::newRow("typing stops at 255") << long255 + QStringLiteral("yz") << QStringLiteral("-")
                                             << long255 + QStringLiteral("|-");
        QTest::newRow("both blank: no row") << QStringLiteral("  ") << QString() << QString();
    }
    void learnerFieldsOfTheFirstScreen()
    {
        QFETCH(QString, disability);
        QFETCH(QString, support);
        QFETCH(QString, stored);
        fx->store.exec(QStringLiteral("INSERT INTO SNE_Learner_Supp_Needs (LearnerID, Disability_Descr, Psycho_Social_Support, "
                                      "Data_Year) VALUES (%1, 'earlier', 'earlier', %2)").arg(learner).arg(Year));
        {
            auto form = kit::opened<frmAssessment_Support>(screenName(1));
            SpreadGrid *disabilityGrid = gridOf(*form, "gridDisability");
            SpreadGrid *supportGrid = gridOf(*form, "gridSupport");
            QCOMPARE(kit::text(disabilityGrid, 1, 2), QStringLiteral("earlier"));
            QCOMPARE(kit::text(disabilityGrid, 1, 1),
                     QStringLiteral("IF LEARNER HAS DISABILITY-DESCRIPTION(Attach any diagnostic reports by hospital/specialists)"));
            QCOMPARE(kit::text(supportGrid, 1, 1),
                     QStringLiteral("PSYCHO-SOCIAL SUPPORT NEEDED(attach report of social worker if available)"));
            QVERIFY(type(disabilityGrid, 1, 2, disability));
            QVERIFY(form->hasUnsavedChanges());
            QVERIFY(type(supportGrid, 1, 2, support));
            QVERIFY(form->save());
        }
        QCOMPARE(fx->store.count(QStringLiteral("SNE_Learner_Supp_Needs")), stored.isEmpty() ? 0 : 1);
        QCOMPARE(storedLearnerInfo(), stored);
        if (stored.isEmpty())
            return;
        auto form = kit::opened<frmAssessment_Support>(screenName(1));
        QCOMPARE(kit::text(gridOf(*form, "gridDisability"), 1, 2) + QLatin1Char('|') + kit::text(gridOf(*form, "gridSupport"), 1, 2),
                 stored);
    }

    // Refused ratings stay as stored, while the levels, saved by a routine of
    // their own, stand and the rating row follows them.
    void refusedRatingsLeaveTheLevelsSaved()
    {
        storeLevels(QStringLiteral("1/1:Level 1;2/5:Level 2;35/1:Level 3"));
        fx->store.exec(QStringLiteral("INSERT INTO SNE_Assessment_Supp_Req_Rating (LearnerID, Support_Area, Rating, Data_Year) "
                                      "VALUES (%1, 1, 2, %2), (%1, 5, 2, %2)").arg(learner).arg(Year));
        auto form = kit::opened<frmAssessment_Support>(screenName(4));
        SpreadGrid *grid = gridOf(*form, "gridAreaLevel");
        QVERIFY(type(grid, 2, 9, QStringLiteral("Level 5")));
        for (const char *operation : {"INSERT", "UPDATE", "DELETE"})
            fx->store.failWritesTo(QStringLiteral("SNE_Assessment_Supp_Req_Rating"), QString::fromLatin1(operation));
        QVERIFY(!form->save());
        QCOMPARE(storedLevels(), QStringLiteral("1/1:Level 1,2/5:Level 2,35/1:Level 5"));
        QCOMPARE(storedRatings(), QStringLiteral("1:2,5:2"));
        QCOMPARE(ratingRow(grid), QStringLiteral("3||||2"));
    }

    void printedPages_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QStringList>("expected");
        // The rating grid runs on to a second sheet where its items need it.
        QTest::addColumn<int>("sheets");
        QTest::newRow("Reg1") << 1
                              << QStringList{"IF LEARNER HAS DISABILITY-DESCRIPTION", "Uses a hearing aid in class",
                                             "PSYCHO-SOCIAL SUPPORT NEEDED", "1. MANAGEMENT AND PLANNING",
                                             "a. Meeting and consultation sessions to", "b. ISP Review and monitoring e.g",
                                             "HRD", "Level 3"} << 1;
        QTest::newRow("Reg2") << 2
                              << QStringList{"Assessment of nature and intensity of additional support needs", "Contact Details",
                                             "2. ASSISTIVE TECHNOLOGY AND MATERIALS", "b. Ordering and supply of",
                                             "g. Individual support in the", "Level 4"} << 1;
        QTest::newRow("Reg3") << 3
                              << QStringList{"Assessment of nature and intensity of additional support needs",
                                             "3.1 Adjustments to regular curriculum", "3.2 Additional classroom support strategies",
                                             "a. Adjustments to regular curriculum are", "l. Administration of specialised",
                                             "m. Support and guide learner's", "Level 2"} << 2;
        QTest::newRow("Reg4") << 4
                              << QStringList{"4. ASSESSMENT", "5. ENVIRONMENTAL ACCESS", "a. Adapted assessment procedures",
                                             "h. Teaching of specific safety & access", "Overall Ratings:", "N/A"} << 2;
    }
    void printedPages()
    {
        QFETCH(int, screen);
        QFETCH(QStringList, expected);
        QFETCH(int, sheets);
        storeLevels(QStringLiteral("1/2:Level 3;11/5:Level 4;28/4:Level 2;45/2:N/A"));
        fx->store.exec(QStringLiteral("INSERT INTO SNE_Learner_Supp_Needs (LearnerID, Disability_Descr, Psycho_Social_Support, "
                                      "Data_Year) VALUES (%1, 'Uses a hearing aid in class', ' ', %2)").arg(learner).arg(Year));
        auto form = kit::opened<frmAssessment_Support>(screenName(screen));
        int pages = 0;
        const QString page = fx->printed(*form, &pages);
        QCOMPARE(pages, sheets);
        QVERIFY(page.contains(QStringLiteral("EMIS NUMBER: 400111222 [ ASSESSMENT FOR SUPPORT REQUIREMENTS ]")));
        QVERIFY(page.contains(QRegularExpression(QStringLiteral("LEARNER NAME : O'NEILL Thandi\\s+ASSESION NUMBER: ACC-77"))));
        for (const QString &text : expected)
            QVERIFY2(page.contains(text), qPrintable(text));
        // A continued sheet reads alone: learner, the continued mark and the
        // support areas' headings above the ratings it carries on with.
        for (const QString &sheet : PdfText::pages(fx->pdfPath()).mid(1)) {
            QVERIFY(sheet.contains(QRegularExpression(QStringLiteral("LEARNER NAME : O'NEILL Thandi\\s+ASSESION NUMBER: ACC-77"))));
            QVERIFY2(sheet.contains(QStringLiteral("(continued)")), qPrintable(sheet));
            const qsizetype headings = sheet.indexOf(QStringLiteral("Areas of support"));
            QVERIFY2(headings > 0 && sheet.contains(QStringLiteral("Environmental")) && sheet.contains(QStringLiteral("Specialised/")),
                     qPrintable(sheet));
            const qsizetype overall = sheet.indexOf(QStringLiteral("Overall Ratings:"));
            QVERIFY(overall < 0 || overall > headings);
        }
    }

};

QTEST_MAIN(tst_Assessment)
#include "tst_assessment.moc"
