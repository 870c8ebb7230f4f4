#pragma once

#include "SectionScreen.h"
#include "ShownRows.h"

namespace grid { class SpreadGrid; }
namespace CriteriaScreens { struct Member; }

// DP part B, the criteria for selection: one screen class for the six
// members, each shown from its row of CriteriaScreens. A score of 1 to 3 per
// activity is one stored row keyed by the activity's sub-section; the sixth
// member also keeps a free "Other medical conditions" row.
class frmCriteriaSelection : public SectionScreen
{
    Q_OBJECT
public:
    // memberName is one of frmCriteriaSelection1 to frmCriteriaSelection6.
    explicit frmCriteriaSelection(const QString &memberName, QWidget *parent = nullptr);

protected:
    void prepareGrids() override;
    QVector<StoreRoutine> loadRoutines() override;
    QVector<StoreRoutine> saveRoutines() override;
    void printPage(PagePrinter &printer) override;
    void placeCursor() override;

private:
    void getScores(Connection &db);
    void saveScores(Connection &db);
    ShownRows::Places scores() const;
    ShownRows::Places otherConditions() const;

    const CriteriaScreens::Member &m_member;
    grid::SpreadGrid *m_gridCriteria;
    grid::SpreadGrid *m_gridScores;
    ShownRows m_scores;
    ShownRows m_other;
};
