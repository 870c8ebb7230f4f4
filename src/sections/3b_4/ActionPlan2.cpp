#include "ActionPlan2.h"

#include "AppState.h"
#include "CentralRoutines.h"
#include "Connection.h"
#include "FormRows.h"
#include "LearnerBarrierText.h"
#include "ReviewRow.h"
#include "SectionPage.h"
#include "SpreadGrid.h"

using grid::SpreadGrid;
using grid::SpreadModel;

namespace {

const QString ScreenName = QStringLiteral("frmActionPlan2");
const QString Br = QStringLiteral("\r\n");

// gridStrategy
constexpr int StrategyCols = 7;
constexpr int StrategyRows = 40;
constexpr int Slots = 30;
constexpr int LinesPerKind = 5;
constexpr int TextLimit = 60;
constexpr int LevelCol = 2;
constexpr int LevelLimit = 1;
// Column 7 is headed "Budget" but has always been kept in Timeframe; column 6
// (headed "Timeframe") goes to Budget, as stored rows rely on.
const QString StrategyColumns[StrategyCols] = {
    QStringLiteral("Support_Needed"), QStringLiteral("Support_Level"), QStringLiteral("School_Steps"),
    QStringLiteral("Learner_Steps"),  QStringLiteral("Person_Responsible"), QStringLiteral("Budget"),
    QStringLiteral("Timeframe"),
};

// gridDBST_Support_Level
constexpr int LevelCols = 5;
constexpr int LevelRows = 2;
constexpr int SiteRow = 1;
constexpr int FirstSiteCol = 3;     // site value v is ticked in column v + 2
constexpr int LastSiteCol = 5;

} // namespace

frmActionPlan2::frmActionPlan2(QWidget *parent)
    : ActionPlanPage(ScreenName, parent)
    , m_gridStrategy(new SpreadGrid(StrategyCols, StrategyRows, this))
    , m_gridSupportLevel(new SpreadGrid(LevelCols, LevelRows, this))
    , m_strategy(QStringLiteral("SNE_DBST_Support_Strategy"))
{
    m_gridStrategy->setObjectName(QStringLiteral("gridStrategy"));
    m_gridSupportLevel->setObjectName(QStringLiteral("gridDBST_Support_Level"));
    addGrid(m_gridSupportLevel);
    addGrid(m_gridStrategy);
}

int frmActionPlan2::slotRow(int slot)
{
    if (slot < 1 || slot > Slots)
        return 0;
    // Four heading rows, then a heading row before every block of five lines.
    return slot + 4 + (slot - 1) / LinesPerKind;
}

void frmActionPlan2::prepareGrids()
{
    prepareSignature();
    prepareStrategy();
    prepareSupportLevel();
}

void frmActionPlan2::prepareStrategy()
{
    SpreadModel &cells = m_gridStrategy->cells();
    cells.setColWidths({20, 9, 16, 16, 12, 10, 10});
    FormRows::label(cells, 1, QStringLiteral("2. DBST SUPPORT STRATEGY ACTION PLAN FOR SCHOOL (Refer to SNA: Section 3b)"),
                    true);

    cells.setLabel(1, 2, QStringLiteral("Type of support needed") + Br + QStringLiteral("Fill in where applicable"));
    cells.setLabel(2, 2, QStringLiteral("Support Level") + Br + QStringLiteral("L,M,H"));
    cells.setLabel(3, 2, QStringLiteral("STEPS TO BE TAKEN"));
    cells.addSpan(3, 2, 2, 1);
    cells.setLabel(5, 2, QStringLiteral("Person responsible"));
    cells.setLabel(6, 2, QStringLiteral("Timeframe"));
    cells.setLabel(7, 2, QStringLiteral("Budget"));
    for (int col = 5; col <= 7; ++col)
        cells.addSpan(col, 2, 1, 2);
    cells.setLabel(1, 3, QString());
    cells.setLabel(2, 3, QString());
    cells.setLabel(3, 3, QStringLiteral("SCHOOL LEVEL"));
    cells.setLabel(4, 3, QStringLiteral("LEARNER LEVEL"));

    const QString kinds[] = {
        QStringLiteral("Specialised staff e.g Learning Support Educator, counsellor"),
        QStringLiteral("Assistive devices e.g wheelchair, FM radio system"),
        QStringLiteral("Curriculum differentiation e.g access to therapy programmes"),
        QStringLiteral("Training e.g educators need info on ADHD and implications for classroom management"),
        QStringLiteral("Environmental access e.g ramps, support rails"),
        QStringLiteral("Social support e.g grants, nutrition "),
    };
    for (int kind = 0; kind < 6; ++kind)
        FormRows::label(cells, slotRow(kind * LinesPerKind + 1) - 1, kinds[kind]);
    for (int slot = 1; slot <= Slots; ++slot) {
        const int row = slotRow(slot);
        for (int col = 1; col <= StrategyCols; ++col)
            cells.setEdit(col, row, col == LevelCol ? LevelLimit : TextLimit);
    }
    FormRows::label(cells, StrategyRows, QString());
    m_gridStrategy->applyLayout();
}

void frmActionPlan2::prepareSupportLevel()
{
    SpreadModel &cells = m_gridSupportLevel->cells();
    cells.setColWidths({26, 26, 13, 13, 13});
    cells.setLabel(1, SiteRow, QStringLiteral("DBST support strategy to be implemented at school site level") + Br
                                   + QStringLiteral("(Please tick relevant block)"));
    cells.addSpan(1, SiteRow, 2, 1);
    cells.setChoiceRow(SiteRow, {{3, QStringLiteral("Completely")},
                                 {4, QStringLiteral("Partially")},
                                 {5, QStringLiteral("Alternate site")}});
    cells.setLabel(1, 2, QStringLiteral("Date:  "));
    cells.setLabel(2, 2, QStringLiteral("Chairperson of DBST: "));
    cells.setLabel(3, 2, QStringLiteral("Signature:"));
    cells.setStatic(4, 2, QString());
    cells.setLocked(4, 2, true);
    cells.addSpan(4, 2, 2, 1);
    m_gridSupportLevel->applyLayout();
}

void frmActionPlan2::placeCursor()
{
    m_gridStrategy->setActiveCell(1, slotRow(1));
    m_gridStrategy->setFocus();
}

// Loading ------------------------------------------------------------------------

QVector<StoreRoutine> frmActionPlan2::loadRoutines()
{
    return {{QStringLiteral("getSupportStrategy Routine"), [this](Connection &db) {
                 getSupportStrategy(db);
                 m_strategy.loaded(strategyLines());
             }},
            {QStringLiteral("getSupportLevel Routine"), [this](Connection &db) {
                 getSupportLevel(db);
                 m_review.loaded(siteColumns());
             }}};
}

void frmActionPlan2::getSupportStrategy(Connection &db)
{
    showBarriers(LearnerBarrierText::refresh(db));

    Recordset rs = db.query(
        QStringLiteral("SELECT ID, Support_Area, Support_Needed, Support_Level, School_Steps, Learner_Steps, Person_Responsible, Timeframe, Budget, ")
        + QStringLiteral("School_Outcome, Learner_Outcome, Designation, Review_Date ")
        + QStringLiteral("FROM SNE_DBST_Support_Strategy ")
        + QStringLiteral("WHERE ") + learnerAndYearCondition()
        + QStringLiteral(" ORDER BY Support_Area, ID"));
    SpreadModel &cells = m_gridStrategy->cells();
    m_strategy.clear();
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        // A slot the page does not have would land on a heading or off the
        // grid; a second line in one slot would hide the first. Both stay
        // in the store as they are.
        const int slot = rs.value(QStringLiteral("Support_Area")).toInt();
        const int row = slotRow(slot);
        if (row == 0 || !m_strategy.show(slot, rs.value(QStringLiteral("ID")).toLongLong()))
            continue;
        for (int col = 1; col <= StrategyCols; ++col)
            cells.setText(col, row, rs.text(StrategyColumns[col - 1]));
    }
}

void frmActionPlan2::getSupportLevel(Connection &db)
{
    const Recordset rs = m_review.select(db, {QStringLiteral("DBST_Support_School_Site")});
    if (rs.isEmpty())
        return;
    const int site = rs.value(0, QStringLiteral("DBST_Support_School_Site")).toInt();
    if (site < 1 || site > 3)
        return;
    SpreadModel &cells = m_gridSupportLevel->cells();
    for (int col = FirstSiteCol; col <= LastSiteCol; ++col)
        cells.setText(col, SiteRow, grid::checkText(col == site + FirstSiteCol - 1));
}

// Saving --------------------------------------------------------------------------

QVector<StoreRoutine> frmActionPlan2::saveRoutines()
{
    return {{QStringLiteral("saveSupportStrategy Routine"), [this](Connection &db) { saveSupportStrategy(db); },
             [this] { m_strategy.committed(); }},
            {QStringLiteral("saveSupportLevel Routine"), [this](Connection &db) { saveSupportLevel(db); },
             [this] { m_review.committed(); }}};
}

// Each line keeps its slot, blank lines before it or not, so it comes back to
// the place it was typed in. The outcomes, designation and review date of a
// line are not on this page and keep their stored values.
ShownRows::Places frmActionPlan2::strategyLines() const
{
    const SpreadModel &cells = m_gridStrategy->cells();
    ShownRows::Places lines;
    for (int slot = 1; slot <= Slots; ++slot) {
        const int row = slotRow(slot);
        ShownRows::Place line;
        QString joined;
        line.values.insert(QStringLiteral("Support_Area"), QString::number(slot));
        for (int col = 1; col <= StrategyCols; ++col) {
            joined += cells.text(col, row);
            line.values.insert(StrategyColumns[col - 1], ShownRows::quoted(cells.text(col, row)));
        }
        line.holdsData = !joined.trimmed().isEmpty();
        lines.insert(slot, line);
    }
    return lines;
}

void frmActionPlan2::saveSupportStrategy(Connection &db)
{
    m_strategy.save(db, strategyLines(), ShownRows::learnerAndYear());
}

QVector<ReviewRow::Column> frmActionPlan2::siteColumns() const
{
    const SpreadModel &cells = m_gridSupportLevel->cells();
    int site = 0;
    for (int col = FirstSiteCol; col <= LastSiteCol; ++col) {
        if (grid::isChecked(cells.text(col, SiteRow)))
            site = col - FirstSiteCol + 1;   // the last ticked box wins
    }
    return {{QStringLiteral("DBST_Support_School_Site"), QString::number(site)}};
}

void frmActionPlan2::saveSupportLevel(Connection &db)
{
    m_review.save(db, siteColumns());
}

// Printing ------------------------------------------------------------------------

void frmActionPlan2::printPage(PagePrinter &printer)
{
    // The strategy runs on over as many sheets as its lines need.
    SectionPage::print(printer, PrintTitle, false,
                       {{&signatureGrid()->cells(), 800},
                        {&m_gridSupportLevel->cells(), 2000},
                        {&m_gridStrategy->cells(), 3500, SectionPage::BlockLeft, {1, 2, 3}}});
}
