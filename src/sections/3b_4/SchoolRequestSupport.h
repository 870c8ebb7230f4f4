#pragma once

#include "SectionScreen.h"
#include "ShownRows.h"

#include <array>
#include <vector>

class EntryPreviewList;
namespace grid { class SpreadGrid; }

// Section 3b, page 1: the school's request for additional support. Per
// support area, on a tab of its own, a list of what the school has and what
// it needs, each row with a level of LOW, MODERATE or HIGH LEVEL.
class frmSchoolRequestSupport : public SectionScreen
{
    Q_OBJECT
public:
    static constexpr int Areas = 5;

    explicit frmSchoolRequestSupport(QWidget *parent = nullptr);

    EntryPreviewList *area(int number) const { return m_areas[number - 1]; }
    void reactivate() override;

protected:
    void prepareGrids() override;
    QVector<StoreRoutine> loadRoutines() override;
    QVector<StoreRoutine> saveRoutines() override;
    void printPage(PagePrinter &printer) override;
    QPageLayout::Orientation printOrientation() const override { return QPageLayout::Landscape; }
    void placeCursor() override;

private:
    void preparePreview(grid::SpreadGrid *grid);
    void prepareSignature();
    // The level cell of a row that holds an entry: chosen from the list.
    void makeLevelCell(grid::SpreadGrid *grid, int row);
    void getData(Connection &db);
    void saveData(Connection &db, int area);
    // The entries of an area's list by their position, as stored rows.
    ShownRows::Places entries(int area) const;

    grid::SpreadGrid *m_heading;
    grid::SpreadGrid *m_gridSignature;
    std::array<EntryPreviewList *, Areas> m_areas{};
    std::vector<ShownRows> m_areaRows;
};
