#pragma once

#include "SectionScreen.h"
#include "ShownRows.h"

class RatingKey;
namespace grid { class SpreadGrid; }
namespace AssessmentSupportScreens { struct Member; }

// Section 3a, the assessment of support requirements: one screen class for
// the four rating screens, each shown from its row of AssessmentSupportScreens.
// Every item of support is rated Level 1 to Level 5 or N/A in the support
// areas where it applies; one stored record per rated cell. The first member
// also keeps the learner's disability description and psycho-social support;
// the last one shows and stores the overall rating of each support area,
// computed from the saved levels of all four.
class frmAssessment_Support : public SectionScreen
{
    Q_OBJECT
public:
    // memberName is one of frmAssessment_Support_Reg1 to frmAssessment_Support_Reg4.
    explicit frmAssessment_Support(const QString &memberName, QWidget *parent = nullptr);

protected:
    void prepareGrids() override;
    QVector<StoreRoutine> loadRoutines() override;
    QVector<StoreRoutine> saveRoutines() override;
    void printPage(PagePrinter &printer) override;
    void placeCursor() override;

private:
    void buildLearnerField(grid::SpreadGrid *grid, const QString &title);
    void buildHeading();
    void buildAreaLevels();

    void getLearnerInfo(Connection &db);
    void getAreaLevels(Connection &db);
    void getFinalRating(Connection &db);
    void saveLearnerInfo(Connection &db);
    void saveAreaLevels(Connection &db);
    void saveFinalRating(Connection &db);
    void showStoredRatings(Connection &db);
    ShownRows::Places learnerInfo() const;
    ShownRows::Places areaLevels() const;
    ShownRows::Places overallRatings() const;
    static ShownRows::Place ratingPlace(int area, int rating);

    const AssessmentSupportScreens::Member &m_member;
    RatingKey *m_key;
    grid::SpreadGrid *m_gridDisability = nullptr;
    grid::SpreadGrid *m_gridSupport = nullptr;
    grid::SpreadGrid *m_heading;
    grid::SpreadGrid *m_gridAreaLevel;
    ShownRows m_learnerInfo;
    ShownRows m_levels;
    ShownRows m_ratings;
};
