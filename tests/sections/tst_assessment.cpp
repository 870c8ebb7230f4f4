// The four Section 3a rating screens: each loads and saves only its own items'
// levels, only in the areas an item is rated in; the overall rating per area
// on the fourth; the learner fields of the first; the rating key; failures
// that roll back one save routine only. The printed pages are in the page
// table of tst_screenfit.
#include "AssessmentSupport.h"
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

    static QString levelRow(int gridId, int area, const QString &level)
    {
        return QStringLiteral("%1, %2, '%3'").arg(gridId).arg(area).arg(level);
    }
    void storeRows(const QStringList &rows) const
    {
        fx->insert(QStringLiteral("SNE_Assessment_Supp_Req"), QStringLiteral("GridID, Support_Area, [Level]"), rows);
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
        return fx->rows(QStringLiteral("SNE_Assessment_Supp_Req"), QStringLiteral("GridID || '/' || Support_Area || ':' || Level"),
                        QStringLiteral("GridID, Support_Area"), where);
    }

    QString storedRatings() const
    {
        return fx->rows(QStringLiteral("SNE_Assessment_Supp_Req_Rating"), QStringLiteral("Support_Area || ':' || Rating"),
                        QStringLiteral("Support_Area"));
    }

    static QString ratingRow(const SpreadGrid *grid)
    {
        return kit::texts(grid, {{2, 21}, {3, 21}, {4, 21}, {5, 21}, {6, 21}});
    }

private Q_SLOTS:
    void init()
    {
        fx = std::make_unique<kit::Fixture>(false);
        learner = fx->pick(fx->store.addLearner(QStringLiteral("O'Neill"), QStringLiteral("Thandi"), QStringLiteral("C"), 2,
                                                QString(), 1, QStringLiteral("ACC-77")), Year);
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
        QStringList expected = storedLevels(own).split(QLatin1Char(','));
        const auto entry = [](const RatedCell &cell, const QString &level) {
            return QStringLiteral("%1/%2:%3").arg(cell.gridId).arg(cell.area).arg(level);
        };

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

        // Change the first cell, clear the last one, and save.
        const RatedCell first = rated.first();
        const RatedCell last = rated.last();
        QVERIFY(!type(grid, first.area + 1, first.row, QStringLiteral("Level 6")));
        QVERIFY(type(grid, first.area + 1, first.row, QStringLiteral("N/A")));
        QVERIFY(type(grid, last.area + 1, last.row, QString()));
        QVERIFY(form->save());

        // The first level changed and the last one gone; every other level,
        // those the screen cannot show included, stays as the test stored it.
        expected[expected.indexOf(entry(first, levelFor(first.gridId, first.area)))] = entry(first, QStringLiteral("N/A"));
        QVERIFY(expected.removeOne(entry(last, levelFor(last.gridId, last.area))));
        QCOMPARE(storedLevels(own), expected.join(QLatin1Char(',')));
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
        fx->insert(QStringLiteral("SNE_Assessment_Supp_Req_Rating"), QStringLiteral("Support_Area, Rating"), {QStringLiteral("5, 3")});

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

    // The first screen's two texts, held to 255 characters; both blank stores no row.
    void learnerFieldsOfTheFirstScreen_data()
    {
        QTest::addColumn<QString>("disability");
        QTest::addColumn<QString>("support");
        QTest::addColumn<QString>("stored");   // what the store holds ("" for no row)
        const QString long255 = QString(254, QLatin1Char('x')) + QStringLiteral("'");
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
        fx->insert(QStringLiteral("SNE_Learner_Supp_Needs"), QStringLiteral("Disability_Descr, Psycho_Social_Support"),
                   {QStringLiteral("'earlier', 'earlier'")});
        const auto shown = [](const QWidget &form) {
            return kit::text(gridOf(form, "gridDisability"), 1, 2) + QLatin1Char('|') + kit::text(gridOf(form, "gridSupport"), 1, 2);
        };
        {
            auto form = kit::opened<frmAssessment_Support>(screenName(1));
            QCOMPARE(shown(*form), QStringLiteral("earlier|earlier"));
            QCOMPARE(kit::text(gridOf(*form, "gridDisability"), 1, 1),
                     QStringLiteral("IF LEARNER HAS DISABILITY-DESCRIPTION(Attach any diagnostic reports by hospital/specialists)"));
            QCOMPARE(kit::text(gridOf(*form, "gridSupport"), 1, 1),
                     QStringLiteral("PSYCHO-SOCIAL SUPPORT NEEDED(attach report of social worker if available)"));
            QVERIFY(type(gridOf(*form, "gridDisability"), 1, 2, disability));
            QVERIFY(type(gridOf(*form, "gridSupport"), 1, 2, support));
            QVERIFY(form->save());
        }
        QCOMPARE(fx->rows(QStringLiteral("SNE_Learner_Supp_Needs"), QStringLiteral("Disability_Descr || '|' || Psycho_Social_Support")),
                 stored);
        if (!stored.isEmpty())
            QCOMPARE(shown(*kit::opened<frmAssessment_Support>(screenName(1))), stored);
    }

    // Refused ratings stay as stored, while the levels, saved by a routine of
    // their own, stand and the rating row follows them.
    void refusedRatingsLeaveTheLevelsSaved()
    {
        storeLevels(QStringLiteral("1/1:Level 1;2/5:Level 2;35/1:Level 3"));
        fx->insert(QStringLiteral("SNE_Assessment_Supp_Req_Rating"), QStringLiteral("Support_Area, Rating"),
                   {QStringLiteral("1, 2"), QStringLiteral("5, 2")});
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
};

QTEST_MAIN(tst_Assessment)
#include "tst_assessment.moc"
