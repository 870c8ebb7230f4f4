#pragma once

#include "ActionPlanPage.h"
#include "ReviewRow.h"
#include "ShownRows.h"

// Section 4, page 2: the DBST's support strategy for the school, six kinds of
// support with five lines each, and where it is carried out (the site choice,
// kept in the learner's shared review row for the year).
class frmActionPlan2 : public ActionPlanPage
{
    Q_OBJECT
public:
    explicit frmActionPlan2(QWidget *parent = nullptr);

    // The grid row of a strategy line's slot (1 to 30); 0 outside that range.
    static int slotRow(int slot);

protected:
    void prepareGrids() override;
    QVector<StoreRoutine> loadRoutines() override;
    QVector<StoreRoutine> saveRoutines() override;
    void printPage(PagePrinter &printer) override;
    void placeCursor() override;

private:
    void prepareStrategy();
    void prepareSupportLevel();
    void getSupportStrategy(Connection &db);
    void saveSupportStrategy(Connection &db);
    void getSupportLevel(Connection &db);
    void saveSupportLevel(Connection &db);
    ShownRows::Places strategyLines() const;
    QVector<ReviewRow::Column> siteColumns() const;

    grid::SpreadGrid *m_gridStrategy;
    grid::SpreadGrid *m_gridSupportLevel;
    ShownRows m_strategy;
    ReviewRow m_review;
};
