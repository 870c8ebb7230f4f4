#pragma once

#include "SectionScreen.h"
#include "ShownRows.h"

namespace grid { class SpreadGrid; }

// Section 2, first screen: the learner's barriers to learning and development
// as free text under five areas, one stored row per learner and year.
class frmExtendedProfile1 : public SectionScreen
{
    Q_OBJECT
public:
    explicit frmExtendedProfile1(QWidget *parent = nullptr);

    // The grid rows holding the five answers, in stored column order.
    static constexpr int AnswerRows[5] = {4, 7, 10, 13, 16};

protected:
    void prepareGrids() override;
    QVector<StoreRoutine> loadRoutines() override;
    QVector<StoreRoutine> saveRoutines() override;
    void printPage(PagePrinter &printer) override;
    void placeCursor() override;

private:
    void getLearning_Barrier(Connection &db);
    void saveLearning_Barrier(Connection &db);
    ShownRows::Places barriers() const;

    grid::SpreadGrid *m_gridBarriers;
    ShownRows m_row{QStringLiteral("SNE_Learning_And_Development_Barriers")};
};
