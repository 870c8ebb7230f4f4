#include "ILSTIntervention.h"

#include "AppState.h"
#include "CentralRoutines.h"
#include "Connection.h"
#include "FormRows.h"
#include "Section3bPage.h"
#include "SpreadGrid.h"

#include <QPushButton>
#include <QTabWidget>

#include <algorithm>

using grid::SpreadGrid;
using grid::SpreadModel;

namespace {

const QString ScreenName = QStringLiteral("frmILSTIntervention");
const QString Caption =
    QStringLiteral("SNA [Section 3b: ILST RECORD OF INTERVENTIONS TAKEN AND MOTIVATION FOR ASSISTANCE FROM DBST]");
constexpr int TextLimit = 9000;

// gridLearnerAdditionalNeeds: the three comments, on rows 3, 5 and 7.
constexpr int ActionCols = 3;
constexpr int ActionRows = 7;

// gridOther
constexpr int OtherCols = 4;
constexpr int OtherRows = 16;
constexpr int YesCol = 3;
constexpr int NoCol = 4;
constexpr int DiscussedRow = 1;
constexpr int ResponseRow = 3;
constexpr int AnalysisRow = 7;
constexpr int PrincipalRow = 9;
constexpr int PrincipalReasonRow = 11;
constexpr int CircuitRow = 13;
constexpr int CircuitReasonRow = 15;
constexpr int PairRows[] = {DiscussedRow, PrincipalRow, CircuitRow};

// Where each stored column is shown: the grid (0 the actions, 1 the other
// actions), its column and row, whether it is a yes/no pair.
struct Field
{
    const char *column;
    int grid;
    int col;
    int row;
    bool pair;
};
constexpr Field Fields[] = {
    {"Whole_School_Development", 0, 1, 3, false},
    {"Educator_Training", 0, 1, 5, false},
    {"Learner_Support", 0, 1, 7, false},
    {"Learner_Parent_Discussed", 1, YesCol, DiscussedRow, true},
    {"Learner_Parent_Response", 1, 1, ResponseRow, false},
    {"ILST_Analysis_To_DBST", 1, 1, AnalysisRow, false},
    {"Principal_Approve_Request_DBST", 1, YesCol, PrincipalRow, true},
    {"Principal_Reason", 1, 1, PrincipalReasonRow, false},
    {"Circuit_Manager_Endores", 1, YesCol, CircuitRow, true},
    {"Circuit_Manager_Reason", 1, 1, CircuitReasonRow, false},
};

} // namespace

frmILSTIntervention::frmILSTIntervention(QWidget *parent)
    : SectionScreen(ScreenName, Caption, parent)
    , m_gridLearnerAdditionalNeeds(new SpreadGrid(ActionCols, ActionRows, this))
    , m_gridOther(new SpreadGrid(OtherCols, OtherRows, this))
    , m_record(QStringLiteral("SNE_ILST_Intervention_Records"))
{
    previousButton()->setText(QStringLiteral("Previous"));
    setPrintButtonName(QStringLiteral("cmdPrintPage"));
    m_gridLearnerAdditionalNeeds->setObjectName(QStringLiteral("gridLearnerAdditionalNeeds"));
    m_gridOther->setObjectName(QStringLiteral("gridOther"));
    addGrid(m_gridLearnerAdditionalNeeds, addPage(QStringLiteral("Action 1")));
    addGrid(m_gridOther, addPage(QStringLiteral("Other Actions")));
}

void frmILSTIntervention::prepareGrids()
{
    prepareActions();
    prepareOther();
}

void frmILSTIntervention::prepareActions()
{
    SpreadModel &cells = m_gridLearnerAdditionalNeeds->cells();
    cells.setColWidths({30, 30, 30});
    const QString labels[] = {
        QStringLiteral("1. ACTION TAKEN TO ADDRESS LEARNER'S ADDITIONAL SUPPORT NEEDS"),
        QStringLiteral("Comment on whole school development intervention taken (if applicable)"),
        QStringLiteral("Comment on any educator training or other educator supoort given (if applicable)"),
        QStringLiteral("Comment on any learner support given (e.g curriculum differentiation, Individual Support "
                       "Plan, emotional, health or social support)"),
    };
    FormRows::label(cells, 1, labels[0], true);
    for (int i = 1; i <= 3; ++i) {
        FormRows::label(cells, 2 * i, labels[i]);
        FormRows::answer(cells, 2 * i + 1, TextLimit);
    }
    m_gridLearnerAdditionalNeeds->applyLayout();
}

void frmILSTIntervention::prepareOther()
{
    SpreadModel &cells = m_gridOther->cells();
    cells.setColWidths({40, 40, 10, 10});
    const QString labels[OtherRows + 1] = {
        QString(),
        QStringLiteral("2. DISCUSSIONS HELD WITH PARENT/CAREGIVER AND LEARNER"),
        QStringLiteral("Comment on whole school development intervention taken (if applicable)"),
        QString(),
        QStringLiteral("Date:"),
        QStringLiteral("3. ILST ANALYSIS OF ACTION TAKEN AND RECOMMENDATIONS TO DBST"),
        QStringLiteral("Brief comment"),
        QString(),
        QStringLiteral("Date:                         Name of chairperson of ILST:                                                 Signature:"),
        QStringLiteral("4. PRINCIPAL APPROVES REQUEST FOR DBST SUPPORT"),
        QStringLiteral("Reason for decision and recommendation"),
        QString(),
        QStringLiteral("Date:                        Signature:"),
        QStringLiteral("5. CIRCUIT MANAGER ENDORSES REQUEST FOR DBST SUPPORT"),
        QStringLiteral("Reason for decision and recommendation"),
        QString(),
        QStringLiteral("Date:                       Signature:"),
    };
    for (int row = 1; row <= OtherRows; ++row) {
        const bool pair = std::find(std::begin(PairRows), std::end(PairRows), row) != std::end(PairRows);
        if (pair) {
            cells.setLabel(1, row, labels[row]);
            cells.setBold(1, row, true);
            cells.addSpan(1, row, 2, 1);
            cells.setYesNoPair(row, YesCol, NoCol);
        } else if (labels[row].isEmpty()) {
            FormRows::answer(cells, row, TextLimit);
        } else {
            FormRows::label(cells, row, labels[row], row == 5);
        }
    }
    m_gridOther->applyLayout();
}

void frmILSTIntervention::reactivate()
{
    setCurrentPage(0);
}

void frmILSTIntervention::placeCursor()
{
    setCurrentPage(0);
    m_gridLearnerAdditionalNeeds->setActiveCell(1, 3);
    m_gridLearnerAdditionalNeeds->setFocus();
}

// Loading ------------------------------------------------------------------------

QVector<StoreRoutine> frmILSTIntervention::loadRoutines()
{
    return {{QStringLiteral("getData Routine"), [this](Connection &db) {
        getData(db);
        m_record.loaded(record());
    }}};
}

void frmILSTIntervention::getData(Connection &db)
{
    const Recordset rs = db.query(QStringLiteral("SELECT * ") + QStringLiteral("FROM SNE_ILST_Intervention_Records ")
                                  + QStringLiteral("WHERE ") + learnerAndYearCondition() + QStringLiteral(" ORDER BY ID"));
    m_record.showFirst(rs);
    if (rs.isEmpty())
        return;
    SpreadGrid *grids[] = {m_gridLearnerAdditionalNeeds, m_gridOther};
    for (const Field &field : Fields) {
        SpreadModel &cells = grids[field.grid]->cells();
        const QString column = QString::fromLatin1(field.column);
        if (field.pair) {
            const bool yes = rs.isTrue(column);
            cells.setText(YesCol, field.row, grid::checkText(yes));
            cells.setText(NoCol, field.row, grid::checkText(!yes));
        } else {
            cells.setText(field.col, field.row, rs.text(0, column));
        }
    }
}

// Saving --------------------------------------------------------------------------

QVector<StoreRoutine> frmILSTIntervention::saveRoutines()
{
    return {{QStringLiteral("saveData Routine"), [this](Connection &db) { saveData(db); },
             [this] { m_record.committed(); }}};
}

ShownRows::Places frmILSTIntervention::record() const
{
    const SpreadGrid *grids[] = {m_gridLearnerAdditionalNeeds, m_gridOther};
    ShownRows::Values values;
    for (const Field &field : Fields) {
        const QString text = grids[field.grid]->cells().text(field.col, field.row);
        // A yes/no value goes in as the "Yes" box's digit, whatever else the cell holds.
        values.insert(QString::fromLatin1(field.column),
                      ShownRows::quoted(field.pair ? grid::checkText(grid::isChecked(text)) : text));
    }
    // The yes/no boxes always read "1" or "0", so the record is never blank.
    return ShownRows::onlyPlace(values, true);
}

void frmILSTIntervention::saveData(Connection &db)
{
    m_record.save(db, record(), ShownRows::learnerAndYear());
}

// Printing ------------------------------------------------------------------------

void frmILSTIntervention::printPage(PagePrinter &printer)
{
    const SpreadGrid *showing = currentPage() == 1 ? m_gridOther : m_gridLearnerAdditionalNeeds;
    // Both grids are forms under a numbered title row.
    Section3bPage::print(printer, Caption, pages()->tabText(currentPage()), showing->cells(), {1});
}
