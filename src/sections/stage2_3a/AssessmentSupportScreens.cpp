#include "AssessmentSupportScreens.h"

#include "AssessmentSupport.h"
#include "ScreenFamily.h"
#include "Section3aScreens.h"

namespace AssessmentSupportScreens {

namespace {

const QString Reg1 = QStringLiteral("frmAssessment_Support_Reg1");
const QString Reg2 = QStringLiteral("frmAssessment_Support_Reg2");
const QString Reg3 = QStringLiteral("frmAssessment_Support_Reg3");
const QString Reg4 = QStringLiteral("frmAssessment_Support_Reg4");

const QString AreaGrid = QStringLiteral("gridAreaLevel");
const QString HeaderGrid = QStringLiteral("gridHearder");

const QVector<int> AllAreas{1, 2, 3, 4, 5};

// An item whose level cells share the caption's row.
Item item(int gridId, int row, const QVector<int> &areas)
{
    return Item{gridId, row, row, areas};
}

// An item whose caption is too long to share a row with its level cells: the
// caption runs across the grid and the levels follow on the row below.
Item longItem(int gridId, int captionRow, const QVector<int> &areas)
{
    return Item{gridId, captionRow, captionRow + 1, areas};
}

Member reg1()
{
    Member m;
    m.name = Reg1;
    m.rowCount = 6;
    m.headingGrid = QStringLiteral("gridFamilySistuation");
    m.learnerFields = true;
    m.loadRange = QStringLiteral("AND GridID < 3 ");
    m.loadOrder = QStringLiteral("ORDER BY GridID");
    m.headings = {{2, QStringLiteral("1. MANAGEMENT AND PLANNING")}};
    m.items = {longItem(1, 3, {1, 2}), longItem(2, 5, AllAreas)};
    m.printBlocks = {{QStringLiteral("gridDisability"), 800}, {QStringLiteral("gridSupport"), 2300}, {AreaGrid, 3500, {1}}};
    return m;
}

Member reg2()
{
    Member m;
    m.name = Reg2;
    m.rowCount = 11;
    m.headingGrid = HeaderGrid;
    m.loadRange = QStringLiteral("AND GridID < 12 and GridID > 2 ");
    m.loadOrder = QStringLiteral("ORDER BY GridID, Support_Area");
    m.headings = {{2, QStringLiteral("2. ASSISTIVE TECHNOLOGY AND MATERIALS")}};
    m.items = {item(3, 3, AllAreas),     item(4, 4, {1, 3}),       item(5, 5, {1, 2}),
               longItem(7, 6, {1, 2, 4}), item(8, 8, {1, 2, 4}),    longItem(10, 9, {1, 2, 3, 4}),
               item(11, 11, {1, 2, 5})};
    m.printBlocks = {{HeaderGrid, 800}, {AreaGrid, 2500, {1}}};
    return m;
}

Member reg3()
{
    Member m;
    m.name = Reg3;
    m.rowCount = 21;
    m.headingGrid = HeaderGrid;
    m.loadRange = QStringLiteral("AND GridID < 29 and GridID > 11 ");
    m.loadOrder = QStringLiteral("ORDER BY GridID, Support_Area");
    m.headings = {{2, QStringLiteral("3. CURRICULUM DIFFERENTIATION")},
                  {3, QStringLiteral("3.1 Adjustments to regular curriculum")},
                  {8, QStringLiteral("3.2 Additional classroom support strategies")}};
    m.items = {longItem(12, 4, {4}),        item(13, 6, {2, 4}),       item(14, 7, {1, 2, 4}),
               item(16, 9, {1, 2, 3, 4}),   item(17, 10, AllAreas),    item(18, 11, {1}),
               item(19, 12, {1, 4}),        item(20, 13, {4}),         item(21, 14, {1}),
               item(22, 15, {4}),           item(23, 16, {4}),         item(24, 17, {4}),
               item(25, 18, {1, 2, 4}),     item(26, 19, {1, 2, 4}),   item(27, 20, {1, 2, 4}),
               item(28, 21, {1, 2, 4})};
    m.printBlocks = {{HeaderGrid, 800}, {AreaGrid, 2500, {1}}};
    return m;
}

Member reg4()
{
    Member m;
    m.name = Reg4;
    m.rowCount = OverallRatingRow;
    m.headingGrid = HeaderGrid;
    m.overallRatings = true;
    m.loadRange = QStringLiteral("AND GridID < 46 and GridID > 28 ");
    m.loadOrder = QStringLiteral("ORDER BY GridID, Support_Area");
    m.headings = {{2, QStringLiteral("4. ASSESSMENT")}, {7, QStringLiteral("5. ENVIRONMENTAL ACCESS")}};
    m.items = {item(29, 3, {4}),             item(30, 4, {4}),          item(31, 5, {3, 4}),
               item(32, 6, {4}),             longItem(35, 8, AllAreas), item(36, 10, {2, 3}),
               item(37, 11, {1}),            longItem(39, 12, {1, 2, 3, 4}), item(40, 14, {1, 2}),
               item(41, 15, {1, 2}),         longItem(43, 16, {1, 2}),  longItem(45, 18, {1, 2})};
    m.printBlocks = {{HeaderGrid, 800}, {AreaGrid, 2500, {1}}};
    return m;
}

} // namespace

const Item *Member::item(int gridId) const
{
    for (const Item &i : items)
        if (i.gridId == gridId)
            return &i;
    return nullptr;
}

bool ratable(int gridId, int area)
{
    for (const Member &m : members()) {
        if (const Item *i = m.item(gridId))
            return i->ratedIn(area);
    }
    return false;
}

const QVector<Member> &members()
{
    static const QVector<Member> all = {reg1(), reg2(), reg3(), reg4()};
    return all;
}

const Member *member(const QString &name)
{
    return ScreenFamily::find(members(), name);
}

QStringList levelChoices()
{
    return {QStringLiteral("Level 1"), QStringLiteral("Level 2"), QStringLiteral("Level 3"),
            QStringLiteral("Level 4"), QStringLiteral("Level 5"), QStringLiteral("N/A")};
}

QStringList ratingColumnTitles()
{
    return {QStringLiteral("Areas of support"), QStringLiteral("Specialised/additional staff"), QStringLiteral("HRD"),
            QStringLiteral("Assistive devices"), QStringLiteral("Differentiated Curriculum & assessment"),
            QStringLiteral("Environmental access")};
}

} // namespace AssessmentSupportScreens

void registerSection3aScreens(ScreenRegistry &registry)
{
    ScreenFamily::registerMembers<frmAssessment_Support>(registry, AssessmentSupportScreens::members());
    registry.addChain(ScreenFamily::names(AssessmentSupportScreens::members()));
}
