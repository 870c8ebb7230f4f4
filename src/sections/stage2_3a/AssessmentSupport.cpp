#include "AssessmentSupport.h"

#include "AppState.h"
#include "AssessmentSupportScreens.h"
#include "CentralRoutines.h"
#include "Connection.h"
#include "OverallRating.h"
#include "PagePrinter.h"
#include "RatingKey.h"
#include "ScreenFamily.h"
#include "SectionPage.h"
#include "SpreadGrid.h"
#include "SupportItemCaptions.h"

using AssessmentSupportScreens::Item;
using AssessmentSupportScreens::Member;
using AssessmentSupportScreens::areaOfCol;
using AssessmentSupportScreens::colOfArea;
using grid::SpreadGrid;
using grid::SpreadModel;

namespace {

constexpr int AreaGridCols = AssessmentSupportScreens::RatingCols;
constexpr int FirstAreaCol = AssessmentSupportScreens::FirstAreaCol;
constexpr int OverallTextRow = AssessmentSupportScreens::OverallTextRow;
constexpr int OverallRatingRow = AssessmentSupportScreens::OverallRatingRow;
// Disability_Descr and Psycho_Social_Support are TEXT(255).
constexpr int LearnerTextLength = 255;
constexpr int LearnerTextRow = 2;

const QString Br = QStringLiteral("\r\n");

// The place of an item's level in one support area.
int levelPlace(int gridId, int area)
{
    return gridId * 100 + area;
}

const Member &memberNamed(const QString &name)
{
    return ScreenFamily::memberNamed(AssessmentSupportScreens::members(), name);
}

SpreadGrid *makeGrid(const QString &name, int cols, int rows, QWidget *parent)
{
    auto *grid = new SpreadGrid(cols, rows, parent);
    grid->setObjectName(name);
    return grid;
}

// Every build starts from empty, locked cells, so a screen shows nothing of
// an earlier opening and only the cells opened below take input.
void resetCells(SpreadModel &cells)
{
    grid::CellSpec fixedText;
    fixedText.type = grid::CellType::Static;
    fixedText.locked = true;
    for (int row = 1; row <= cells.maxRows(); ++row)
        for (int col = 1; col <= cells.maxCols(); ++col)
            cells.setCell(col, row, fixedText);
}

// A row of text across the whole grid, bold on the label grey.
void setBanner(SpreadModel &cells, int row, const QString &text)
{
    cells.setText(1, row, text);
    cells.addSpan(1, row, cells.maxCols(), 1);
    cells.setBold(1, row, true);
    cells.setLabelBlock(1, row, cells.maxCols(), row);
}

} // namespace

frmAssessment_Support::frmAssessment_Support(const QString &memberName, QWidget *parent)
    : SectionScreen(memberNamed(memberName).name, QStringLiteral("SNA [Section 3a: ASSESSMENT FOR SUPPORT REQUIREMENTS]"),
                    parent)
    , m_member(memberNamed(memberName))
    , m_key(new RatingKey(this))
    , m_heading(makeGrid(m_member.headingGrid, 3, 2, this))
    , m_gridAreaLevel(makeGrid(QStringLiteral("gridAreaLevel"), AreaGridCols, m_member.rowCount, this))
    , m_learnerInfo(QStringLiteral("SNE_Learner_Supp_Needs"))
    , m_levels(QStringLiteral("SNE_Assessment_Supp_Req"))
    , m_ratings(QStringLiteral("SNE_Assessment_Supp_Req_Rating"))
{
    addToBody(m_key);
    if (m_member.learnerFields) {
        m_gridDisability = makeGrid(QStringLiteral("gridDisability"), 1, 2, this);
        m_gridSupport = makeGrid(QStringLiteral("gridSupport"), 1, 2, this);
        addGrid(m_gridDisability);
        addGrid(m_gridSupport);
    }
    // The heading explains how to rate, so it stands right above the ratings.
    addGrid(m_heading);
    addGrid(m_gridAreaLevel);
}

// Grids ------------------------------------------------------------------------

void frmAssessment_Support::prepareGrids()
{
    if (m_member.learnerFields) {
        buildLearnerField(m_gridDisability, QStringLiteral("IF LEARNER HAS DISABILITY-DESCRIPTION(Attach any diagnostic "
                                                           "reports by hospital/specialists)"));
        buildLearnerField(m_gridSupport, QStringLiteral("PSYCHO-SOCIAL SUPPORT NEEDED(attach report of social worker if "
                                                        "available)"));
    }
    buildHeading();
    buildAreaLevels();
}

void frmAssessment_Support::buildLearnerField(SpreadGrid *grid, const QString &title)
{
    SpreadModel &cells = grid->cells();
    resetCells(cells);
    cells.setColWidth(1, 100);
    cells.setText(1, 1, title);
    cells.setBold(1, 1, true);
    cells.setLabelBlock(1, 1, 1, 1);
    cells.setEdit(1, LearnerTextRow, LearnerTextLength, true);
    cells.setLocked(1, LearnerTextRow, false);
    grid->applyLayout();
}

void frmAssessment_Support::buildHeading()
{
    SpreadModel &cells = m_heading->cells();
    resetCells(cells);
    cells.setColWidths({60, 20, 20});
    setBanner(cells, 1, QStringLiteral("Assessment of nature and intensity of additional support needs"));
    cells.setText(1, 2, QStringLiteral("After reviewing possible areas of support, rate the support needed in the relevant "
                                       "column according to the rating scale above. Mark all sections. If no support is "
                                       "needed in any particular area indicate NA. The sections which would not be "
                                       "applicable under each sub-area of support are blocked out. Provide an aggregate "
                                       "rating for each area of support at the end of each section. Aggregate scores are "
                                       "then captured in the school request for support form."));
    cells.setText(2, 2, QStringLiteral("Name of provider (organisation/department)"));
    cells.setText(3, 2, QStringLiteral("Contact Details"));
    cells.setLabelBlock(1, 2, 3, 2);
    m_heading->applyLayout();
}

void frmAssessment_Support::buildAreaLevels()
{
    SpreadModel &cells = m_gridAreaLevel->cells();
    resetCells(cells);
    cells.setColWidths({35, 13, 13, 13, 13, 13});

    const QStringList titles = AssessmentSupportScreens::ratingColumnTitles();
    for (int col = 1; col <= AreaGridCols; ++col) {
        cells.setText(col, 1, titles.value(col - 1));
        cells.setAlignment(col, 1, col == 1 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    }
    cells.setBlockBold(1, 1, AreaGridCols, 1, true);
    cells.setLabelBlock(1, 1, AreaGridCols, 1);

    for (const AssessmentSupportScreens::Heading &heading : m_member.headings)
        setBanner(cells, heading.row, heading.text);

    const QStringList levels = AssessmentSupportScreens::levelChoices();
    for (const Item &item : m_member.items) {
        cells.setText(1, item.captionRow, supportItemCaption(item.gridId));
        // A long caption reads across the grid; its levels follow on the row below.
        if (item.captionRow != item.ratedRow)
            cells.addSpan(1, item.captionRow, AreaGridCols, 1);
        for (int col = FirstAreaCol; col <= AreaGridCols; ++col) {
            if (item.ratedIn(areaOfCol(col))) {
                cells.setComboBox(col, item.ratedRow, levels);
                cells.setLocked(col, item.ratedRow, false);
                cells.setAlignment(col, item.ratedRow, Qt::AlignCenter);
            } else {
                cells.setLabelBlock(col, item.ratedRow, col, item.ratedRow);   // blocked out
            }
        }
    }

    if (m_member.overallRatings) {
        setBanner(cells, OverallTextRow,
                  QStringLiteral("Overall Ratings:") + Br
                      + QStringLiteral("Extent and/or Frequency of teaching/support adjustments.") + Br
                      + QStringLiteral("On a scale of 1-5 (with 1 indicating minor adjustments and 5 indicating extensive "
                                       "adjustments) rate the overall extent and frequency of teaching/support adjustments "
                                       "in each support category."));
        cells.setBold(1, OverallTextRow, false);
        cells.setLabelBlock(1, OverallRatingRow, 1, OverallRatingRow);
        cells.setBlockBold(FirstAreaCol, OverallRatingRow, AreaGridCols, OverallRatingRow, true);
        for (int col = FirstAreaCol; col <= AreaGridCols; ++col)
            cells.setAlignment(col, OverallRatingRow, Qt::AlignCenter);
    }
    m_gridAreaLevel->applyLayout();
}

void frmAssessment_Support::placeCursor()
{
    if (m_gridDisability) {
        m_gridDisability->setActiveCell(1, LearnerTextRow);
        m_gridDisability->setFocus();
        return;
    }
    const Item &first = m_member.items.first();
    m_gridAreaLevel->setActiveCell(colOfArea(first.areas.first()), first.ratedRow);
    m_gridAreaLevel->setFocus();
}

// Loading ------------------------------------------------------------------------

QVector<StoreRoutine> frmAssessment_Support::loadRoutines()
{
    QVector<StoreRoutine> routines;
    if (m_member.learnerFields)
        routines << StoreRoutine{QStringLiteral("getLearnerInfo Routine"), [this](Connection &db) {
            getLearnerInfo(db);
            m_learnerInfo.loaded(learnerInfo());
        }};
    routines << StoreRoutine{QStringLiteral("getAreaLevels Routine"), [this](Connection &db) {
        getAreaLevels(db);
        m_levels.loaded(areaLevels());
    }};
    if (m_member.overallRatings)
        routines << StoreRoutine{QStringLiteral("getFinalRating Routine"), [this](Connection &db) {
            getFinalRating(db);
            showStoredRatings(db);
        }};
    return routines;
}

void frmAssessment_Support::getLearnerInfo(Connection &connection)
{
    const Recordset rs = connection.query(
        QStringLiteral("SELECT ID, Disability_Descr, Psycho_Social_Support ")
        + QStringLiteral("FROM SNE_Learner_Supp_Needs WHERE ") + learnerAndYearCondition() + QStringLiteral(" ORDER BY ID"));
    m_learnerInfo.showFirst(rs);
    if (rs.isEmpty())
        return;
    m_gridDisability->cells().setText(1, LearnerTextRow, rs.text(0, QStringLiteral("Disability_Descr")));
    m_gridSupport->cells().setText(1, LearnerTextRow, rs.text(0, QStringLiteral("Psycho_Social_Support")));
}

void frmAssessment_Support::getAreaLevels(Connection &connection)
{
    SpreadModel &cells = m_gridAreaLevel->cells();
    const Recordset rs = connection.query(
        QStringLiteral("SELECT ID, GridID, Support_Area, [Level] ")
        + QStringLiteral("FROM SNE_Assessment_Supp_Req WHERE ") + learnerAndYearCondition() + m_member.loadRange + m_member.loadOrder
        + QStringLiteral(", ID"));
    m_levels.clear();
    for (int i = 0; i < rs.recordCount(); ++i) {
        // A level stored for a cell the screen has no ratable cell for (a
        // blocked-out area, a caption row), or a second level for one cell,
        // is not shown and stays in the store as it is.
        const Item *item = m_member.item(rs.value(i, QStringLiteral("GridID")).toInt());
        const int area = rs.value(i, QStringLiteral("Support_Area")).toInt();
        if (item && item->ratedIn(area) && m_levels.show(levelPlace(item->gridId, area), rs.value(i, QStringLiteral("ID")).toLongLong()))
            cells.setText(colOfArea(area), item->ratedRow, rs.text(i, QStringLiteral("Level")));
    }
}

void frmAssessment_Support::getFinalRating(Connection &connection)
{
    const Recordset rs = connection.query(
        QStringLiteral("SELECT GridID, Support_Area, [Level] ") + QStringLiteral("FROM SNE_Assessment_Supp_Req ")
        + QStringLiteral("WHERE ") + learnerAndYearCondition()
        + QStringLiteral(" AND [Level] <> 'N/A'") + QStringLiteral(" ORDER BY Support_Area"));
    OverallRating overall;
    for (int i = 0; i < rs.recordCount(); ++i) {
        const int area = rs.value(i, QStringLiteral("Support_Area")).toInt();
        if (AssessmentSupportScreens::ratable(rs.value(i, QStringLiteral("GridID")).toInt(), area))
            overall.addLevel(area, rs.text(i, QStringLiteral("Level")));
    }

    // Only once the levels are read: a failed read keeps the ratings shown.
    // An area without levels then has no rating, rather than an earlier one.
    SpreadModel &cells = m_gridAreaLevel->cells();
    cells.clearText(FirstAreaCol, OverallRatingRow, AreaGridCols, OverallRatingRow);
    const QMap<int, int> ratings = overall.ratings();
    for (auto it = ratings.constBegin(); it != ratings.constEnd(); ++it) {
        if (it.key() >= 1 && it.key() <= AssessmentSupportScreens::AreaCount)
            cells.setText(colOfArea(it.key()), OverallRatingRow, QString::number(it.value()));
    }
}

// Saving -------------------------------------------------------------------------

QVector<StoreRoutine> frmAssessment_Support::saveRoutines()
{
    QVector<StoreRoutine> routines;
    if (m_member.learnerFields)
        routines << StoreRoutine{QStringLiteral("saveLearnerInfo Routine"), [this](Connection &db) { saveLearnerInfo(db); },
                                 [this] { m_learnerInfo.committed(); }};
    routines << StoreRoutine{QStringLiteral("saveAreaLevels Routine"), [this](Connection &db) { saveAreaLevels(db); },
                             [this] { m_levels.committed(); }};
    if (m_member.overallRatings) {
        routines << StoreRoutine{QStringLiteral("getFinalRating Routine"), [this](Connection &db) { getFinalRating(db); }};
        routines << StoreRoutine{QStringLiteral("saveFinalRating Routine"), [this](Connection &db) { saveFinalRating(db); },
                                 [this] { m_ratings.committed(); }};
    }
    return routines;
}

ShownRows::Places frmAssessment_Support::learnerInfo() const
{
    const QString disability = m_gridDisability->cells().text(1, LearnerTextRow);
    const QString psychoSocial = m_gridSupport->cells().text(1, LearnerTextRow);
    return ShownRows::onlyPlace({{QStringLiteral("Disability_Descr"), ShownRows::quoted(disability)},
                                 {QStringLiteral("Psycho_Social_Support"), ShownRows::quoted(psychoSocial)}},
                                !(disability + psychoSocial).trimmed().isEmpty());
}

void frmAssessment_Support::saveLearnerInfo(Connection &connection)
{
    m_learnerInfo.save(connection, learnerInfo(), ShownRows::learnerAndYear());
}

ShownRows::Places frmAssessment_Support::areaLevels() const
{
    const SpreadModel &cells = m_gridAreaLevel->cells();
    ShownRows::Places places;
    for (const Item &item : m_member.items) {
        for (const int area : item.areas) {
            // A level is one of the list's entries; a text loaded from
            // elsewhere is quoted all the same.
            const QString level = cells.text(colOfArea(area), item.ratedRow);
            places.insert(levelPlace(item.gridId, area),
                          {{{QStringLiteral("GridID"), QString::number(item.gridId)},
                            {QStringLiteral("Support_Area"), QString::number(area)},
                            {QStringLiteral("Level"), ShownRows::quoted(level)}},
                           !level.trimmed().isEmpty()});
        }
    }
    return places;
}

void frmAssessment_Support::saveAreaLevels(Connection &connection)
{
    m_levels.save(connection, areaLevels(), ShownRows::learnerAndYear());
}

// The ratings as stored: the save writes an area's rating where it differs
// from the one the levels give. Ratings that follow the levels, as the
// program stores them, are therefore never written again; one that does not
// (another program's, or one stored before the levels last changed) is put
// right by the next save.
void frmAssessment_Support::showStoredRatings(Connection &connection)
{
    const Recordset rs = connection.query(
        QStringLiteral("SELECT ID, Support_Area, Rating FROM SNE_Assessment_Supp_Req_Rating WHERE ")
        + learnerAndYearCondition() + QStringLiteral(" ORDER BY Support_Area, ID"));
    m_ratings.clear();
    QMap<int, int> stored;
    for (int i = 0; i < rs.recordCount(); ++i) {
        const int area = rs.value(i, QStringLiteral("Support_Area")).toInt();
        if (area >= 1 && area <= AssessmentSupportScreens::AreaCount
            && m_ratings.show(area, rs.value(i, QStringLiteral("ID")).toLongLong()))
            stored.insert(area, rs.value(i, QStringLiteral("Rating")).toInt());
    }
    ShownRows::Places places;
    for (int area = 1; area <= AssessmentSupportScreens::AreaCount; ++area)
        places.insert(area, ratingPlace(area, stored.value(area)));
    m_ratings.loaded(places);
}

ShownRows::Place frmAssessment_Support::ratingPlace(int area, int rating)
{
    return {{{QStringLiteral("Support_Area"), QString::number(area)},
             {QStringLiteral("Rating"), rating == 0 ? QStringLiteral("NULL") : QString::number(rating)}},
            rating != 0};
}

ShownRows::Places frmAssessment_Support::overallRatings() const
{
    const SpreadModel &cells = m_gridAreaLevel->cells();
    ShownRows::Places places;
    for (int col = FirstAreaCol; col <= AreaGridCols; ++col)
        places.insert(areaOfCol(col), ratingPlace(areaOfCol(col), cells.text(col, OverallRatingRow).trimmed().toInt()));
    return places;
}

void frmAssessment_Support::saveFinalRating(Connection &connection)
{
    m_ratings.save(connection, overallRatings(), ShownRows::learnerAndYear());
}

// Printing -----------------------------------------------------------------------

void frmAssessment_Support::printPage(PagePrinter &printer)
{
    QVector<SectionPage::Block> blocks;
    for (const AssessmentSupportScreens::PrintBlock &block : m_member.printBlocks) {
        if (const auto *grid = findChild<SpreadGrid *>(block.grid))
            blocks.append({&grid->cells(), block.top, SectionPage::BlockLeft, block.headingRows});
    }
    // The blocks flow: the rating grid runs on over as many sheets as its
    // items need, so no item is left off the paper.
    SectionPage::print(printer, QStringLiteral(" [ ASSESSMENT FOR SUPPORT REQUIREMENTS ]"), true, blocks);
}
