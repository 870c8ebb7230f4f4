#include "ActionPlan3.h"

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

const QString ScreenName = QStringLiteral("frmActionPlan3");

// gridSupportLevel
constexpr int LevelCols = 4;
constexpr int LevelRows = 8;
constexpr int ApprovalRow = 3;
constexpr int DiscussedRow = 5;
constexpr int YesCol = 3;
constexpr int NoCol = 4;
constexpr int CommentRow = 7;
constexpr int CommentLimit = 9000;

// gridActionTaken
constexpr int ActionCols = 5;
constexpr int ActionRows = 12;
constexpr int Lines = 10;
constexpr int FirstLineRow = 3;     // line n is on row n + 2
constexpr int NameCol = 1;
constexpr int OutcomeCol = 2;
constexpr int SignatureCol = 3;
constexpr int DesignationCol = 4;
constexpr int DateCol = 5;
constexpr int LineLimit = 2000;
constexpr int StoredNameLimit = 255;   // Name and Designation are TEXT(255)

int lineRow(int line)
{
    return line + FirstLineRow - 1;
}

} // namespace

frmActionPlan3::frmActionPlan3(QWidget *parent)
    : ActionPlanPage(ScreenName, parent)
    , m_gridSupportLevel(new SpreadGrid(LevelCols, LevelRows, this))
    , m_gridActionTaken(new SpreadGrid(ActionCols, ActionRows, this))
    , m_lines(QStringLiteral("SNE_Action_Review"))
{
    m_gridSupportLevel->setObjectName(QStringLiteral("gridSupportLevel"));
    m_gridActionTaken->setObjectName(QStringLiteral("gridActionTaken"));
    addGrid(m_gridSupportLevel);
    addGrid(m_gridActionTaken);
}

void frmActionPlan3::prepareGrids()
{
    prepareSignature();
    prepareSupportLevel();
    prepareActionTaken();
}

void frmActionPlan3::prepareSupportLevel()
{
    SpreadModel &cells = m_gridSupportLevel->cells();
    cells.setColWidths({30, 30, 15, 15});
    FormRows::label(cells, 1, QStringLiteral("3. APPROVAL BY DISTRICT SENIOR MANAGER"), true);
    FormRows::label(cells, 2, QStringLiteral("Comment"));
    FormRows::answer(cells, ApprovalRow, CommentLimit);
    FormRows::label(cells, 4, QStringLiteral("Date:                         District Senior Manager:                                                 Signature:"));
    cells.setLabel(1, DiscussedRow,
                   QStringLiteral("4. SCHOOL DISCUSSED DBST RECOMMENDATION WITH PARENT/CAREGIVER AND LEARNER"));
    cells.setBold(1, DiscussedRow, true);
    cells.addSpan(1, DiscussedRow, 2, 1);
    cells.setYesNoPair(DiscussedRow, YesCol, NoCol);
    FormRows::label(cells, 6, QStringLiteral("Brief comment on learner and parent/caregiver response including goals, aims, hopes "
                                "and wishes for the learner:"));
    FormRows::answer(cells, CommentRow, CommentLimit);
    FormRows::label(cells, 8, QStringLiteral("Date:                        "));
    m_gridSupportLevel->applyLayout();
}

void frmActionPlan3::prepareActionTaken()
{
    SpreadModel &cells = m_gridActionTaken->cells();
    cells.setColWidths({20, 30, 14, 18, 12});
    FormRows::label(cells, 1, QStringLiteral("5. REVIEW OF ACTION TAKEN"), true);
    const QString headings[ActionCols] = {
        QStringLiteral("Name"), QStringLiteral("Outcome of actions taken"), QStringLiteral("Signature"),
        QStringLiteral("Designation"), QStringLiteral("Review Date"),
    };
    for (int col = 1; col <= ActionCols; ++col)
        cells.setLabel(col, 2, headings[col - 1]);
    for (int line = 1; line <= Lines; ++line) {
        const int row = lineRow(line);
        cells.setEdit(NameCol, row, StoredNameLimit);
        cells.setEdit(OutcomeCol, row, LineLimit);
        // Signed on paper: nothing typed here would be kept.
        cells.setStatic(SignatureCol, row, QString());
        cells.setLocked(SignatureCol, row, true);
        cells.setEdit(DesignationCol, row, StoredNameLimit);
        cells.setDate(DateCol, row, QDate(1990, 1, 1), QDate(2100, 12, 31));
    }
    m_gridActionTaken->applyLayout();
}

void frmActionPlan3::placeCursor()
{
    m_gridSupportLevel->setActiveCell(1, ApprovalRow);
    m_gridSupportLevel->setFocus();
}

// Loading ------------------------------------------------------------------------

QVector<StoreRoutine> frmActionPlan3::loadRoutines()
{
    return {{QStringLiteral("getSupportLevel Routine"), [this](Connection &db) {
                 getSupportLevel(db);
                 m_review.loaded(approvalColumns());
             }},
            {QStringLiteral("getActionReview Routine"), [this](Connection &db) {
                 getActionReview(db);
                 m_lines.loaded(reviewLines());
             }}};
}

void frmActionPlan3::getSupportLevel(Connection &db)
{
    showBarriers(LearnerBarrierText::refresh(db));

    const Recordset rs = m_review.select(db, {QStringLiteral("Senior_Manager_Approval"),
                                                QStringLiteral("School_Discussed_Parent"),
                                                QStringLiteral("School_Discussed_Comment")});
    if (rs.isEmpty())
        return;
    SpreadModel &cells = m_gridSupportLevel->cells();
    const bool discussed = rs.isTrue(QStringLiteral("School_Discussed_Parent"));
    cells.setText(discussed ? YesCol : NoCol, DiscussedRow, QStringLiteral("1"));
    cells.setText(1, ApprovalRow, rs.text(0, QStringLiteral("Senior_Manager_Approval")));
    cells.setText(1, CommentRow, rs.text(0, QStringLiteral("School_Discussed_Comment")));
}

void frmActionPlan3::getActionReview(Connection &db)
{
    Recordset rs = db.query(QStringLiteral("SELECT ID, [Action], Name, Outcome, Designation, Review_Date  ")
                            + QStringLiteral("FROM SNE_Action_Review ") + QStringLiteral("WHERE ")
                            + learnerAndYearCondition()
                            + QStringLiteral(" ORDER BY [Action], ID"));
    SpreadModel &cells = m_gridActionTaken->cells();
    m_lines.clear();
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        const int line = rs.value(QStringLiteral("Action")).toInt();
        // A line number the page does not have would land on its headings or
        // off the grid, a second row of one line would hide the first: both
        // stay in the store as they are.
        if (line < 1 || line > Lines || !m_lines.show(line, rs.value(QStringLiteral("ID")).toLongLong()))
            continue;
        const int row = lineRow(line);
        cells.setText(NameCol, row, rs.text(QStringLiteral("Name")));
        cells.setText(OutcomeCol, row, rs.text(QStringLiteral("Outcome")));
        cells.setText(DesignationCol, row, rs.text(QStringLiteral("Designation")));
        cells.setText(DateCol, row, rs.text(QStringLiteral("Review_Date")));
    }
}

// Saving --------------------------------------------------------------------------

QVector<StoreRoutine> frmActionPlan3::saveRoutines()
{
    return {{QStringLiteral("saveSupportLevel Routine"), [this](Connection &db) { saveSupportLevel(db); },
             [this] { m_review.committed(); }},
            {QStringLiteral("saveActionReview Routine"), [this](Connection &db) { saveActionReview(db); },
             [this] { m_lines.committed(); }}};
}

QVector<ReviewRow::Column> frmActionPlan3::approvalColumns() const
{
    const SpreadModel &cells = m_gridSupportLevel->cells();
    const QString discussed = grid::isChecked(cells.text(YesCol, DiscussedRow)) ? QStringLiteral("1") : QStringLiteral("0");
    return {
        {QStringLiteral("Senior_Manager_Approval"), ShownRows::quoted(cells.text(1, ApprovalRow))},
        {QStringLiteral("School_Discussed_Parent"), discussed},
        {QStringLiteral("School_Discussed_Comment"), ShownRows::quoted(cells.text(1, CommentRow))},
    };
}

void frmActionPlan3::saveSupportLevel(Connection &db)
{
    m_review.save(db, approvalColumns());
}

// Blank lines are not stored, and a line keeps its number.
ShownRows::Places frmActionPlan3::reviewLines() const
{
    const SpreadModel &cells = m_gridActionTaken->cells();
    ShownRows::Places lines;
    for (int line = 1; line <= Lines; ++line) {
        const int row = lineRow(line);
        ShownRows::Place place;
        QString joined;
        place.values.insert(QStringLiteral("Action"), QString::number(line));
        const QPair<int, const char *> columns[] = {
            {NameCol, "Name"}, {OutcomeCol, "Outcome"}, {DesignationCol, "Designation"}, {DateCol, "Review_Date"}};
        for (const auto &column : columns) {
            const QString text = cells.text(column.first, row);
            joined += text;
            place.values.insert(QString::fromLatin1(column.second), ShownRows::quoted(text));
        }
        place.holdsData = !joined.trimmed().isEmpty();
        lines.insert(line, place);
    }
    return lines;
}

void frmActionPlan3::saveActionReview(Connection &db)
{
    m_lines.save(db, reviewLines(), ShownRows::learnerAndYear());
}

// Printing ------------------------------------------------------------------------

void frmActionPlan3::printPage(PagePrinter &printer)
{
    SectionPage::print(printer, PrintTitle, false,
                       {{&signatureGrid()->cells(), 800},
                        {&m_gridSupportLevel->cells(), 2000, SectionPage::BlockLeft, {1}},
                        {&m_gridActionTaken->cells(), 5000, SectionPage::BlockLeft, {1, 2}}});
}
