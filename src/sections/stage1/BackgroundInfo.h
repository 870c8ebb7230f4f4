#pragma once

#include "CentralRoutines.h"
#include "SectionScreen.h"
#include "ShownRows.h"

namespace grid { class SpreadGrid; }

// Section 1: background information on the learner. The texts form one row of
// SNE_Learner_Background_Info per learner and year; the primary disability is
// written back into the host's learner record; the additional disabilities
// are edited on frmMultipleDisabilities, opened from the disability row.
class frmBackgroundInfo : public SectionScreen
{
    Q_OBJECT
public:
    explicit frmBackgroundInfo(QWidget *parent = nullptr);

    grid::SpreadGrid *gridEarlyIntervention() const { return m_early; }
    grid::SpreadGrid *gridDisability() const { return m_disability; }
    grid::SpreadGrid *gridFamilySituation() const { return m_family; }
    grid::SpreadGrid *gridParent_Understanding() const { return m_parent; }

    // full: every grid (on opening); otherwise only the disability row, so
    // text edits survive a visit to the additional-disabilities window.
    bool getBackground_Info(bool full);

    // The choices behind the primary-disability list, and the name last
    // loaded or saved (what the additional-disabilities window is told).
    const CodeTable &disabilityChoices() const { return DisabilityChoices; }
    QString primaryDisabilityName() const { return PrimaryDisabilityName; }

    // The "Additional Disabilities" button cell.
    void openAdditionalDisabilities();

protected:
    void prepareGrids() override;
    QVector<StoreRoutine> loadRoutines() override;
    bool validate() override;
    QVector<StoreRoutine> saveRoutines() override;
    void afterSave() override;
    void printPage(PagePrinter &printer) override;
    void placeCursor() override;

private:
    void buildEarlyIntervention();
    void buildDisability();
    void buildFamilySituation();
    void buildParentUnderstanding();

    StoreRoutine backgroundRoutine(bool full);
    void getBackground_Info(Connection &db, bool full);
    void LoadDisabilityChoices(Connection &db, const QString &query, CodeTable &choices, const QString &codeColumn,
                               const QString &nameColumn, int col, int row);
    bool CheckPrimaryDisability(const QString &name, qint32 code, bool loading);
    void saveBackgroundInfo(Connection &db);
    ShownRows::Places backgroundTexts() const;

    grid::SpreadGrid *m_early;
    grid::SpreadGrid *m_disability;
    grid::SpreadGrid *m_family;
    grid::SpreadGrid *m_parent;
    ShownRows m_background;

    CodeTable DisabilityChoices;
    QString m_choiceListText;   // the primary cell's list, names each followed by a tab
    QString PrimaryDisabilityName;
    QString m_storedPrimaryName;   // the stored code's name as last read ("" when it has none)
    QString m_savedPrimaryName;    // what it becomes once the running save commits
};
