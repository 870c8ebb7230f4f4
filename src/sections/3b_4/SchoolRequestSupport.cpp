#include "SchoolRequestSupport.h"

#include "AppState.h"
#include "CentralRoutines.h"
#include "Connection.h"
#include "EntryPreviewList.h"
#include "Section3bPage.h"
#include "SpreadGrid.h"

#include <QDate>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

using grid::SpreadGrid;
using grid::SpreadModel;

namespace {

const QString ScreenName = QStringLiteral("frmSchoolRequestSupport");
const QString Caption =
    QStringLiteral("Support Needs Assessment [Section 3b : SCHOOL REQUEST FORM FOR ADDITIONAL SUPPORT]");

constexpr int PreviewCols = 3;
constexpr int FirstDataRow = 5;
constexpr int LevelCol = 1;
constexpr int HasCol = 2;
constexpr int NeedsCol = 3;
constexpr int StoredTextLimit = 255;   // School_Need and School_Available are TEXT(255)
const QStringList Levels = {QStringLiteral("LOW"), QStringLiteral("MODERATE"), QStringLiteral("HIGH LEVEL")};

struct AreaControls
{
    const char *caption;
    const char *grid;
    const char *box;
    const char *hasOption;
    const char *needsOption;
    const char *add;
    const char *remove;
};
constexpr AreaControls AreaTable[frmSchoolRequestSupport::Areas] = {
    {"1. Staffing", "gridStaffingPreview", "txtAddStaffing", "optStaffingHas", "optStaffingNeed", "cmdAddPreview",
     "cmdRemove"},
    {"2. Assistive Devices", "gridAssistivePreview", "txtAddAssistive", "optAssistiveHas", "optAssistiveNeeds",
     "cmdAddAssistivePreview", "cmdRemoveAssistive"},
    {"3. Curriculum Differentiation", "gridCuriculumPreview", "txtAddCurriculum", "optCurriculumHas",
     "optCurriculumNeeds", "cmdAddCurriculumPreview", "cmdRemoveCurriculum"},
    {"4. HRD", "gridHRDPreview", "txtAddHRD", "optHRDHas", "optHRDNeeds", "cmdAddHRDPreview", "cmdRemoveHRD"},
    {"5. Environmental Access", "gridEnvPreview", "txtAddEnv", "optEnvHas", "optEnvNeeds", "cmdAddEnvPreview",
     "cmdRemoveEnv"},
};

EntryPreviewSpec entrySpec(int area)
{
    const AreaControls &a = AreaTable[area - 1];
    EntryPreviewSpec spec;
    spec.textBoxName = QString::fromLatin1(a.box);
    spec.firstOptionName = QString::fromLatin1(a.hasOption);
    spec.firstOptionCaption = QStringLiteral("What school has");
    spec.secondOptionName = QString::fromLatin1(a.needsOption);
    spec.secondOptionCaption = QStringLiteral("What school needs");
    spec.addButtonName = QString::fromLatin1(a.add);
    spec.removeButtonName = QString::fromLatin1(a.remove);
    spec.firstOptionColumn = HasCol;
    spec.secondOptionColumn = NeedsCol;
    spec.emptyMessage = QStringLiteral("You must enter what School has or what School needs.");
    spec.noOptionMessage = area == 1 ? QStringLiteral("You must select What School HAs or What School Needs options.")
                                     : QStringLiteral("You must select What School Has or What School Needs options.");
    spec.textLimit = StoredTextLimit;
    return spec;
}

} // namespace

frmSchoolRequestSupport::frmSchoolRequestSupport(QWidget *parent)
    : SectionScreen(ScreenName, Caption, parent)
    , m_heading(new SpreadGrid(1, 1, this))
    , m_gridSignature(new SpreadGrid(4, 2, this))
    , m_areaRows(Areas, ShownRows(QStringLiteral("SNE_Learner_Support_Needs")))
{
    nextButton()->setText(QStringLiteral("Next"));
    setPrintButtonName(QStringLiteral("cmdPrintPage"));
    m_heading->setObjectName(QStringLiteral("vaSpread4"));
    m_gridSignature->setObjectName(QStringLiteral("gridSignature"));
    addGrid(m_heading);
    for (int area = 1; area <= Areas; ++area) {
        QWidget *page = addPage(QString::fromLatin1(AreaTable[area - 1].caption));
        auto *grid = new SpreadGrid(PreviewCols, FirstDataRow, this);
        grid->setObjectName(QString::fromLatin1(AreaTable[area - 1].grid));
        auto *list = new EntryPreviewList(grid, FirstDataRow, LevelCol, NeedsCol, entrySpec(area), this);
        m_areas[area - 1] = list;
        addToPage(page, list);
        watchGrid(grid);
        connect(list, &EntryPreviewList::changed, this, &SectionScreen::markChanged);
        connect(list, &EntryPreviewList::entryPlaced, this, [this, grid](int row) { makeLevelCell(grid, row); });
    }
    addGrid(m_gridSignature);
}

void frmSchoolRequestSupport::prepareGrids()
{
    m_heading->cells().setColWidth(1, 69);
    m_heading->cells().setLabel(1, 1, QStringLiteral("1. SUMMARY OF SCHOOL NEEDS IN TERMS OF LEVELS"));
    m_heading->cells().setBold(1, 1, true);
    m_heading->applyLayout();
    for (EntryPreviewList *list : m_areas)
        preparePreview(list->grid());
    prepareSignature();
}

void frmSchoolRequestSupport::preparePreview(SpreadGrid *grid)
{
    SpreadModel &cells = grid->cells();
    cells.setColWidths({14, 28, 27});
    cells.setLabel(1, 1, QStringLiteral("Select Option below and enter the Factor in the box and then click the "
                                        "\"Add to Preview\" button."));
    cells.setBackColor(1, 1, QColor(255, 255, 192));
    cells.setLabel(1, 2, QString());
    cells.setBackColor(1, 2, QColor(128, 128, 128));
    cells.setRowHeight(2, 36);
    cells.setLabel(1, 3, QStringLiteral("Preview Captured Information"));
    for (int row = 1; row <= 3; ++row)
        cells.addSpan(1, row, PreviewCols, 1);
    cells.setLabel(LevelCol, 4, QStringLiteral("LOW/MODERATE/HIGH LEVEL"));
    cells.setLabel(HasCol, 4, QStringLiteral("WHAT SCHOOL HAS"));
    cells.setLabel(NeedsCol, 4, QStringLiteral("WHAT SCHOOL NEEDS"));

    // Entries come only through Add; their cells are never typed into.
    grid::CellSpec entryCell;
    entryCell.type = grid::CellType::Static;
    entryCell.locked = true;
    for (EntryPreviewList *list : m_areas) {
        if (list->grid() != grid)
            continue;
        for (int col = LevelCol; col <= NeedsCol; ++col)
            list->list().setEntryCell(col, entryCell);
    }
    grid->applyLayout();
}

void frmSchoolRequestSupport::prepareSignature()
{
    SpreadModel &cells = m_gridSignature->cells();
    const AppState &state = appState();
    cells.setColWidths({20, 30, 8, 20});
    cells.setLabel(1, 1, QStringLiteral("School:"));
    cells.setStatic(2, 1, state.SchoolName);
    cells.setLabel(3, 1, QStringLiteral("Date:"));
    cells.setStatic(4, 1, QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    cells.setLabel(1, 2, QStringLiteral("District/Circuit/Ward:"));
    cells.setStatic(2, 2, state.District + QStringLiteral(", ") + state.Circuit);
    cells.addSpan(2, 2, 3, 1);
    cells.setBlockLocked(1, 1, 4, 2, true);
    m_gridSignature->applyLayout();
}

void frmSchoolRequestSupport::makeLevelCell(SpreadGrid *grid, int row)
{
    grid->cells().setComboBox(LevelCol, row, Levels);
    grid->cells().setLocked(LevelCol, row, false);
}

void frmSchoolRequestSupport::reactivate()
{
    setCurrentPage(0);
}

void frmSchoolRequestSupport::placeCursor()
{
    setCurrentPage(0);
    m_areas[0]->textBox()->setFocus();
}

// Loading ------------------------------------------------------------------------

QVector<StoreRoutine> frmSchoolRequestSupport::loadRoutines()
{
    return {{QStringLiteral("getData Routine"), [this](Connection &db) {
        getData(db);
        for (int area = 1; area <= Areas; ++area)
            m_areaRows[area - 1].loaded(entries(area));
    }}};
}

void frmSchoolRequestSupport::getData(Connection &db)
{
    Recordset rs = db.query(QStringLiteral("SELECT ID, Support_Area, Low_Moderate_High, School_Need, School_Available ")
                            + QStringLiteral("FROM SNE_Learner_Support_Needs WHERE ") + learnerAndYearCondition()
                            + QStringLiteral(" ORDER BY Support_Area, ID"));
    std::array<QVector<QStringList>, Areas> rows;
    for (ShownRows &shown : m_areaRows)
        shown.clear();
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        // An area the screen has no tab for is left in the store untouched.
        const int area = rs.value(QStringLiteral("Support_Area")).toInt();
        if (area < 1 || area > Areas)
            continue;
        m_areaRows[area - 1].show(int(rows[area - 1].size()), rs.value(QStringLiteral("ID")).toLongLong());
        rows[area - 1].append({rs.text(QStringLiteral("Low_Moderate_High")), rs.text(QStringLiteral("School_Available")),
                               rs.text(QStringLiteral("School_Need"))});
    }
    for (int area = 1; area <= Areas; ++area) {
        EntryPreviewList *list = m_areas[area - 1];
        list->list().setEntries(rows[area - 1]);
        for (int i = 0; i < rows[area - 1].size(); ++i)
            makeLevelCell(list->grid(), FirstDataRow + i);
    }
}

// Saving --------------------------------------------------------------------------

QVector<StoreRoutine> frmSchoolRequestSupport::saveRoutines()
{
    QVector<StoreRoutine> routines;
    for (int area = 1; area <= Areas; ++area)
        routines.append({QStringLiteral("saveData Routine"), [this, area](Connection &db) { saveData(db, area); },
                         [this, area] { m_areaRows[area - 1].committed(); }});
    return routines;
}

ShownRows::Places frmSchoolRequestSupport::entries(int area) const
{
    ShownRows::Places places;
    const QVector<QStringList> rows = m_areas[area - 1]->list().entries();
    for (int i = 0; i < rows.size(); ++i) {
        const QString &level = rows[i].at(0);
        const QString &has = rows[i].at(1);
        const QString &needs = rows[i].at(2);
        ShownRows::Place entry;
        // An empty level stays empty, as it has always been stored.
        entry.values = {{QStringLiteral("Support_Area"), QString::number(area)},
                        {QStringLiteral("Low_Moderate_High"), ShownRows::quotedKeepingEmpty(level)},
                        {QStringLiteral("School_Need"), ShownRows::quoted(needs)},
                        {QStringLiteral("School_Available"), ShownRows::quoted(has)}};
        entry.holdsData = !(level + has + needs).trimmed().isEmpty();
        places.insert(i, entry);
    }
    return places;
}

void frmSchoolRequestSupport::saveData(Connection &db, int area)
{
    m_areaRows[area - 1].save(db, entries(area), ShownRows::learnerAndYear());
}

// Printing ------------------------------------------------------------------------

void frmSchoolRequestSupport::printPage(PagePrinter &printer)
{
    const int showing = qBound(0, currentPage(), Areas - 1);
    Section3bPage::print(printer, Caption, QStringLiteral("Support area: ") + pages()->tabText(showing),
                         m_areas[showing]->grid()->cells(), {FirstDataRow - 1});
}
