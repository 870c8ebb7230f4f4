#pragma once

#include "SectionScreen.h"
#include "ShownRows.h"

#include <QString>

namespace grid { class SpreadGrid; }

// DP: the health professional's report. The medical-record answers and the
// comments are one stored row per learner and year; the eight area levels are
// worked out from the scores of the six criteria screens every time this
// screen becomes active, and are never saved from here.
class frmHealthReport : public SectionScreen
{
    Q_OBJECT
public:
    explicit frmHealthReport(QWidget *parent = nullptr);

    // Next Page hides the report while the criteria screens are open, so the
    // user's unsaved answers are still there when the chain comes back.
    bool keptWhileChainContinues() const override { return true; }
    // Back from the criteria screens: the scores may have changed.
    void reactivate() override;

    // The birth date as the grid shows it: the host's yyyymmdd rearranged as
    // dd/mm/yyyy. A short or odd text shows what pieces it has.
    // The level of a domain from its score sum and the number of its scores
    // above 0: the average rounded to the nearest whole number, halves to the
    // even one. 0 when there is no score to average.
    static int areaLevel(qint32 sum, qint32 count);

protected:
    void prepareGrids() override;
    QVector<StoreRoutine> loadRoutines() override;
    void afterLoad() override;
    QVector<StoreRoutine> saveRoutines() override;
    void afterSave() override;
    void printPage(PagePrinter &printer) override;
    void placeCursor() override;

private:
    StoreRoutine areaRoutine();
    void getDisability(Connection &db);
    void getMedicalRecords(Connection &db);
    void getImpairment_Area(Connection &db);
    void saveMedicalRecord(Connection &db);
    ShownRows::Places medicalRecord() const;

    grid::SpreadGrid *m_gridMedicalRecords;
    grid::SpreadGrid *m_gridAreas;
    QString m_disability;
    QString m_comments;
    ShownRows m_record;
};
