#pragma once

#include "SectionScreen.h"
#include "ShownRows.h"

#include <array>
#include <vector>

class EntryPreviewList;
namespace grid { class SpreadGrid; }

// Section 2, second screen: the factors in the community and family, the
// classroom and the school that help or hinder the learner, one list per
// tab, and a summary tab of every stored barrier and enabling factor.
class frmExtendedProfile2 : public SectionScreen
{
    Q_OBJECT
public:
    explicit frmExtendedProfile2(QWidget *parent = nullptr);

    // The tabs, in order; the summary is the last.
    enum Tab { Community, Classroom, School, Summary };
    static constexpr int FirstEntryRow = 7;

    EntryPreviewList *factorList(Tab tab) const { return m_lists.at(tab); }

protected:
    void prepareGrids() override;
    QVector<StoreRoutine> loadRoutines() override;
    QVector<StoreRoutine> saveRoutines() override;
    void afterSave() override;
    void printPage(PagePrinter &printer) override;
    QPageLayout::Orientation printOrientation() const override { return QPageLayout::Landscape; }
    void placeCursor() override;

private:
    // Reads the lists of the tabs given (every tab on opening) and the summary.
    StoreRoutine getDataRoutine(const QVector<int> &tabs = {Community, Classroom, School});
    void getData(Connection &db, const QVector<int> &tabs);
    void saveData(Connection &db);
    // A tab's entries by their place in its list, as its table's rows.
    ShownRows::Places factors(int tab) const;

    grid::SpreadGrid *m_heading;
    std::array<EntryPreviewList *, 3> m_lists {};
    grid::SpreadGrid *m_summHeader;
    grid::SpreadGrid *m_summEnabling;
    grid::SpreadGrid *m_summBarriers;
    std::vector<ShownRows> m_rows;
};
