#pragma once

#include "SectionScreen.h"
#include "ShownRows.h"

namespace grid { class SpreadGrid; }

// Section 3b, page 2: the ILST's record of the interventions taken for the
// learner and its motivation for asking the DBST for help. One stored record
// per learner and year, shown on two tabs.
class frmILSTIntervention : public SectionScreen
{
    Q_OBJECT
public:
    explicit frmILSTIntervention(QWidget *parent = nullptr);

    void reactivate() override;

protected:
    void prepareGrids() override;
    QVector<StoreRoutine> loadRoutines() override;
    QVector<StoreRoutine> saveRoutines() override;
    void printPage(PagePrinter &printer) override;
    QPageLayout::Orientation printOrientation() const override { return QPageLayout::Landscape; }
    void placeCursor() override;

private:
    void prepareActions();
    void prepareOther();
    void getData(Connection &db);
    void saveData(Connection &db);
    ShownRows::Places record() const;

    grid::SpreadGrid *m_gridLearnerAdditionalNeeds;
    grid::SpreadGrid *m_gridOther;
    ShownRows m_record;
};
