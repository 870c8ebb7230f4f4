#pragma once

#include "ActionPlanPage.h"
#include "ReviewRow.h"

// Section 4, page 1: the DBST's review of the ILST's request, kept in the
// learner's shared review row for the year. The reason cell of row 4 takes
// text only while "No" of row 3 (the parent does not accept) is ticked.
class frmActionPlan : public ActionPlanPage
{
    Q_OBJECT
public:
    explicit frmActionPlan(QWidget *parent = nullptr);

    // What the page reads: the current learner's review row for the data year
    // with the primary disability's name (host dialect).
    static QString reviewStatement();

protected:
    void prepareGrids() override;
    QVector<StoreRoutine> loadRoutines() override;
    void afterLoad() override;
    QVector<StoreRoutine> saveRoutines() override;
    void printPage(PagePrinter &printer) override;
    void placeCursor() override;

private:
    void getActionPlan(Connection &db);
    void saveActionPlan(Connection &db);
    QVector<ReviewRow::Column> reviewColumns() const;
    void showPair(int row, bool yes);
    // Locks and greys the reason cell unless "No" of row 3 is ticked.
    void lockUnlockReason();
    void answerTicked(int col, int row);

    grid::SpreadGrid *m_gridReview;
    ReviewRow m_review;
};
