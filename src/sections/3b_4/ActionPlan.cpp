#include "ActionPlan.h"

#include "AppState.h"
#include "Connection.h"
#include "FormRows.h"
#include "LearnerBarrierText.h"
#include "ReviewRow.h"
#include "SectionPage.h"
#include "SpreadGrid.h"

using grid::SpreadGrid;
using grid::SpreadModel;

namespace {

const QString ScreenName = QStringLiteral("frmActionPlan");

constexpr int ReviewCols = 5;
constexpr int ReviewRows = 9;
constexpr int YesCol = 4;
constexpr int NoCol = 5;
constexpr int CoordinatorRow = 2;
constexpr int ParentRow = 3;
constexpr int ReasonRow = 4;
constexpr int ReasonCol = 2;
constexpr int ApprovedRow = 6;
constexpr int NotApprovedRow = 8;
constexpr int TextLimit = 9000;

QString flag(const SpreadModel &cells, int row)
{
    return grid::isChecked(cells.text(YesCol, row)) ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

frmActionPlan::frmActionPlan(QWidget *parent)
    : ActionPlanPage(ScreenName, parent)
    , m_gridReview(new SpreadGrid(ReviewCols, ReviewRows, this))
{
    m_gridReview->setObjectName(QStringLiteral("gridReview"));
    addGrid(m_gridReview);
    connect(m_gridReview, &SpreadGrid::cellChanged, this, &frmActionPlan::answerTicked);
}

void frmActionPlan::prepareGrids()
{
    prepareSignature();

    SpreadModel &cells = m_gridReview->cells();
    cells.setColWidths({18, 24, 24, 12, 12});
    FormRows::label(cells, 1, QStringLiteral("1. DBST REVIEWS ILST REQUEST"), true);
    cells.setLabel(1, CoordinatorRow,
                   QStringLiteral("1.1 COORDINATOR OF ILST AND EDUCATOR DISCUSSED WITH PARENT/CAREGIVER AND LEARNER "
                                  "REQUEST MADE TO DBST"));
    cells.addSpan(1, CoordinatorRow, 3, 1);
    cells.setLabel(1, ParentRow, QStringLiteral("1.2 Parent or caregiver accepts the recommendations of ILST"));
    cells.addSpan(1, ParentRow, 3, 1);
    cells.setYesNoPair(CoordinatorRow, YesCol, NoCol);
    cells.setYesNoPair(ParentRow, YesCol, NoCol);

    cells.setLabel(1, ReasonRow, QStringLiteral("Reason (if no)"));
    cells.setEdit(ReasonCol, ReasonRow, TextLimit);
    cells.addSpan(ReasonCol, ReasonRow, 4, 1);

    FormRows::label(cells, 5, QStringLiteral("1.3 ILST request approved with the following amendments (as per action below)"));
    FormRows::answer(cells, ApprovedRow, TextLimit);
    FormRows::label(cells, 7, QStringLiteral("1.4 Not approved and reason (see action plan below for DBST recommendations)"));
    FormRows::answer(cells, NotApprovedRow, TextLimit);
    cells.setStatic(1, 9, QString());
    cells.setLocked(1, 9, true);
    cells.addSpan(1, 9, ReviewCols, 1);
    m_gridReview->applyLayout();
}

// Loading ------------------------------------------------------------------------

QVector<StoreRoutine> frmActionPlan::loadRoutines()
{
    return {{QStringLiteral("getActionPlan Routine"), [this](Connection &db) {
        getActionPlan(db);
        m_review.loaded(reviewColumns());
    }}};
}

// The learner's review row for the data year beside the learner and the name
// of the primary disability: one row per review row, or one row of NULLs for
// the review when there is none yet, whatever the primary code. Written from
// the learner outwards (two LEFT JOINs): the same rows as the review row
// RIGHT JOINed to the learner, but a look-up of one learner rather than a
// pass over every learner for each review row.
QString frmActionPlan::reviewStatement()
{
    return QStringLiteral("SELECT DBSTRR.ID AS ReviewID, DBSTRR.ISLT_Coord_Educ_Req_Made, DBSTRR.Parent_Accept_Recom, DBSTRR.Parent_Reason, ")
        + QStringLiteral("DBSTRR.ISLT_Approved_Reason, DBSTRR.ISLT_Not_Approved_Reason, DI.Name ")
        + QStringLiteral("FROM (Learner_Info as LI ")
        + QStringLiteral("LEFT JOIN Disabilities as DI ")
        + QStringLiteral("ON (LI.LSENDisabilities = DI.ID)) ")
        + QStringLiteral("LEFT JOIN SNE_DBST_Review_ILST_Request AS DBSTRR ")
        + QStringLiteral("ON (DBSTRR.LearnerID = LI.ID AND DBSTRR.Data_Year = ") + dataYearText() + QStringLiteral(") ")
        + QStringLiteral("WHERE LI.ID = ") + learnerIdText() + QStringLiteral(" ORDER BY DBSTRR.ID");
}

void frmActionPlan::getActionPlan(Connection &db)
{
    const Recordset rs = db.query(reviewStatement());
    m_review.showRow(rs, QStringLiteral("ReviewID"));
    if (rs.isEmpty()) {
        LearnerBarrierText::forget();   // no such learner in the host
        return;
    }
    showBarriers(LearnerBarrierText::keep(db, rs.text(0, QStringLiteral("Name"))));

    SpreadModel &cells = m_gridReview->cells();
    cells.setText(ReasonCol, ReasonRow, rs.text(0, QStringLiteral("Parent_Reason")));
    cells.setText(1, ApprovedRow, rs.text(0, QStringLiteral("ISLT_Approved_Reason")));
    cells.setText(1, NotApprovedRow, rs.text(0, QStringLiteral("ISLT_Not_Approved_Reason")));
    showPair(CoordinatorRow, rs.isTrue(QStringLiteral("ISLT_Coord_Educ_Req_Made")));
    showPair(ParentRow, rs.isTrue(QStringLiteral("Parent_Accept_Recom")));
}

void frmActionPlan::showPair(int row, bool yes)
{
    SpreadModel &cells = m_gridReview->cells();
    cells.setText(YesCol, row, grid::checkText(yes));
    cells.setText(NoCol, row, grid::checkText(!yes));
}

void frmActionPlan::afterLoad()
{
    // A stored "Yes" leaves no reason to give: the cell is shut as it would
    // be after the tick. A stored reason stays readable.
    lockUnlockReason();
}

void frmActionPlan::placeCursor()
{
    m_gridReview->setActiveCell(YesCol, CoordinatorRow);
    m_gridReview->setFocus();
}

// Ticks ---------------------------------------------------------------------------

void frmActionPlan::answerTicked(int col, int row)
{
    if (row != ParentRow || (col != YesCol && col != NoCol))
        return;
    const bool wasOpen = m_gridReview->cells().isCellEnabled(ReasonCol, ReasonRow);
    lockUnlockReason();
    // A reason only belongs to a "No": once the answer is no longer "No", the
    // reason given for it goes.
    if (wasOpen && !m_gridReview->cells().isCellEnabled(ReasonCol, ReasonRow))
        m_gridReview->cells().setText(ReasonCol, ReasonRow, QString());
}

void frmActionPlan::lockUnlockReason()
{
    const bool open = grid::isChecked(m_gridReview->cells().text(NoCol, ParentRow));
    for (int col = ReasonCol; col <= ReviewCols; ++col)
        m_gridReview->setCellEnabled(col, ReasonRow, open);
}

// Saving --------------------------------------------------------------------------

QVector<StoreRoutine> frmActionPlan::saveRoutines()
{
    return {{QStringLiteral("saveActionPlan Routine"), [this](Connection &db) { saveActionPlan(db); },
             [this] { m_review.committed(); }}};
}

void frmActionPlan::saveActionPlan(Connection &db)
{
    m_review.save(db, reviewColumns());
}

QVector<ReviewRow::Column> frmActionPlan::reviewColumns() const
{
    const SpreadModel &cells = m_gridReview->cells();
    return {
        {QStringLiteral("ISLT_Coord_Educ_Req_Made"), flag(cells, CoordinatorRow)},
        {QStringLiteral("Parent_Accept_Recom"), flag(cells, ParentRow)},
        {QStringLiteral("Parent_Reason"), ShownRows::quoted(cells.text(ReasonCol, ReasonRow))},
        {QStringLiteral("ISLT_Approved_Reason"), ShownRows::quoted(cells.text(1, ApprovedRow))},
        {QStringLiteral("ISLT_Not_Approved_Reason"), ShownRows::quoted(cells.text(1, NotApprovedRow))},
    };
}

// Printing ------------------------------------------------------------------------

void frmActionPlan::printPage(PagePrinter &printer)
{
    SectionPage::print(printer, PrintTitle, false,
                       {{&signatureGrid()->cells(), 800}, {&m_gridReview->cells(), 2000, SectionPage::BlockLeft, {1}}});
}
