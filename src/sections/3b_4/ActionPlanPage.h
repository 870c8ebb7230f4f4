#pragma once

#include "SectionScreen.h"

namespace grid { class SpreadGrid; }

// What the three Section 4 pages share: their caption, their Next and
// Previous buttons, the heading grid (school, learner, birth date and the
// learner's barriers) at the top of the page, and the printed title. The
// heading is filled on load and never saved.
class ActionPlanPage : public SectionScreen
{
    Q_OBJECT
public:
    static const QString Caption;
    static const QString PrintTitle;

protected:
    ActionPlanPage(const QString &screenName, QWidget *parent);

    grid::SpreadGrid *signatureGrid() const { return m_gridSignature; }
    // Builds the heading and fills its school and learner rows.
    void prepareSignature();
    // Row 3 of the heading: the learner's barriers.
    void showBarriers(const QString &barrierText);

private:
    grid::SpreadGrid *m_gridSignature;
};
