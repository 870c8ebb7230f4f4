#pragma once

#include "ActionPlanPage.h"
#include "ReviewRow.h"
#include "ShownRows.h"

// Section 4, page 3: the district senior manager's approval and the school's
// discussion with the parent (kept in the learner's shared review row for the
// year), and the review of the actions taken: ten numbered lines, each keeping
// its number whatever lines around it are empty.
class frmActionPlan3 : public ActionPlanPage
{
    Q_OBJECT
public:
    explicit frmActionPlan3(QWidget *parent = nullptr);

protected:
    void prepareGrids() override;
    QVector<StoreRoutine> loadRoutines() override;
    QVector<StoreRoutine> saveRoutines() override;
    void printPage(PagePrinter &printer) override;
    void placeCursor() override;

private:
    void prepareSupportLevel();
    void prepareActionTaken();
    void getSupportLevel(Connection &db);
    void saveSupportLevel(Connection &db);
    void getActionReview(Connection &db);
    void saveActionReview(Connection &db);
    QVector<ReviewRow::Column> approvalColumns() const;
    ShownRows::Places reviewLines() const;

    grid::SpreadGrid *m_gridSupportLevel;
    grid::SpreadGrid *m_gridActionTaken;
    ReviewRow m_review;
    ShownRows m_lines;
};
