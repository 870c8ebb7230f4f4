#include "ActionPlanPage.h"

#include "AppState.h"
#include "LearnerDetails.h"
#include "SpreadGrid.h"

#include <QPushButton>

using grid::SpreadGrid;
using grid::SpreadModel;

const QString ActionPlanPage::Caption =
    QStringLiteral("SNA [Section 4 : ACTION PLAN FOR ADDITIONAL SUPPORT PROVISION AND MONITORING]");
const QString ActionPlanPage::PrintTitle =
    QStringLiteral(" [ Section 4: ACTION PLAN FOR ADDITIONAL SUPPORT PROVISION AND MONITORING ]");

namespace {
constexpr int BarrierRow = 3;
}

ActionPlanPage::ActionPlanPage(const QString &screenName, QWidget *parent)
    : SectionScreen(screenName, Caption, parent)
    , m_gridSignature(new SpreadGrid(4, 3, this))
{
    nextButton()->setText(QStringLiteral("Next"));
    previousButton()->setText(QStringLiteral("Previous"));
    setPrintButtonName(QStringLiteral("cmdPrintPage"));
    m_gridSignature->setObjectName(QStringLiteral("gridSignature"));
    addGrid(m_gridSignature);
}

void ActionPlanPage::prepareSignature()
{
    SpreadModel &cells = m_gridSignature->cells();
    cells.setColWidths({18, 32, 14, 26});
    const AppState &state = appState();
    const QString texts[3][4] = {
        {QStringLiteral("Name of School:"), state.SchoolName, QStringLiteral("Emis No:"), state.EmisCode},
        {QStringLiteral("Name of Learner:"), state.CurrentLearnerName, QStringLiteral("Date of Birth:"),
         LearnerDetails::shownBirthDate(state.CurrentLearnerDOB)},
        {QStringLiteral("Barriers or concern:"), QString(), QString(), QString()},
    };
    for (int row = 1; row <= 3; ++row) {
        for (int col = 1; col <= 4; ++col) {
            if (col % 2 == 1 && !texts[row - 1][col - 1].isEmpty()) {
                cells.setLabel(col, row, texts[row - 1][col - 1]);
            } else {
                cells.setStatic(col, row, texts[row - 1][col - 1]);
                cells.setLocked(col, row, true);
            }
        }
    }
    cells.addSpan(2, BarrierRow, 3, 1);
    m_gridSignature->applyLayout();
}

void ActionPlanPage::showBarriers(const QString &barrierText)
{
    m_gridSignature->cells().setText(2, BarrierRow, barrierText);
}
