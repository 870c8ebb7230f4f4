#pragma once

#include "SectionScreen.h"
#include "ShownRows.h"

#include <array>
#include <vector>

class ActionGroup;
namespace grid { class SpreadGrid; }

// The individual support plan: five groups of planned actions, one tab each,
// beside the learner's barriers and strengths as recorded for the community
// in Section 2. Each group saves in a transaction of its own.
class frmISP : public SectionScreen
{
    Q_OBJECT
public:
    explicit frmISP(QWidget *parent = nullptr);

    static constexpr int Groups = 5;
    ActionGroup *group(int action) const { return m_groups.at(action - 1); }

protected:
    void prepareGrids() override;
    QVector<StoreRoutine> loadRoutines() override;
    QVector<StoreRoutine> saveRoutines() override;
    void printPage(PagePrinter &printer) override;
    QPageLayout::Orientation printOrientation() const override { return QPageLayout::Landscape; }
    void placeCursor() override;

private:
    void getBarries_Strengths(Connection &db);
    void getAction(Connection &db, ActionGroup *group);
    void saveAction(Connection &db, ActionGroup *group);
    // A group's actions by their place in its list, as SNE_ISP rows.
    ShownRows::Places actions(const ActionGroup *group) const;
    ShownRows &rowsOf(const ActionGroup *group);

    grid::SpreadGrid *m_gridBarrier;
    grid::SpreadGrid *m_gridStrengths;
    grid::SpreadGrid *m_gridHeading;
    grid::SpreadGrid *m_vaSpread3;
    std::array<ActionGroup *, Groups> m_groups {};
    std::vector<ShownRows> m_actionRows;
};
