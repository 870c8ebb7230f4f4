#include "CriteriaSelection.h"

#include "AppState.h"
#include "CentralRoutines.h"
#include "CriteriaScreens.h"
#include "Connection.h"
#include "LookupContents.h"
#include "PagePrinter.h"
#include "ScreenFamily.h"
#include "SectionPage.h"
#include "SpreadGrid.h"

#include <QVBoxLayout>

using CriteriaScreens::Member;
using CriteriaScreens::Row;
using CriteriaScreens::RowKind;
using grid::SpreadGrid;
using grid::SpreadModel;

namespace {

constexpr int CriteriaCols = 4;
constexpr int CriteriaRows = 2;
constexpr int ScoreCols = 5;
constexpr int ScoreCol = 5;
constexpr int TextLimit = 2000;


const Member &memberNamed(const QString &name)
{
    return ScreenFamily::memberNamed(CriteriaScreens::members(), name);
}

// A score cell's text worth storing: not blank and not "0".
bool isScored(const QString &score)
{
    const QString s = score.trimmed();
    return !s.isEmpty() && s != QLatin1String("0");
}

QString scoreLiteral(const QString &score)
{
    return isScored(score) ? QString::number(score.trimmed().toInt()) : QStringLiteral("NULL");
}

} // namespace

frmCriteriaSelection::frmCriteriaSelection(const QString &memberName, QWidget *parent)
    : SectionScreen(memberNamed(memberName).name, QStringLiteral("SNA [DP : DIAGNOSTIC PROFILE]"), parent)
    , m_member(memberNamed(memberName))
    , m_gridCriteria(new SpreadGrid(CriteriaCols, CriteriaRows, this))
    , m_gridScores(new SpreadGrid(ScoreCols, m_member.rowCount, this))
    , m_scores(QStringLiteral("SNE_Criteria_For_Selection"))
    , m_other(QStringLiteral("SNE_Criteria_For_Selection_Other"))
{
    setPrintButtonName(QStringLiteral("cmdPrint"));

    m_gridCriteria->setObjectName(QStringLiteral("gridCriteria"));
    m_gridScores->setObjectName(QStringLiteral("gridScores"));
    addGrid(m_gridCriteria);
    addGrid(m_gridScores);
}

// Grids ------------------------------------------------------------------------

void frmCriteriaSelection::prepareGrids()
{
    SpreadModel &criteria = m_gridCriteria->cells();
    for (int col = 1; col <= CriteriaCols; ++col)
        criteria.setColWidth(col, 25.25);
    criteria.setStatic(1, 1, QStringLiteral("B. CRITERIA FOR SELECTION"));
    criteria.setBold(1, 1, true);
    criteria.setStatic(1, 2, QStringLiteral("Activity limitations:\r\n1 = None or mild\r\n2 = Moderate\r\n3 = Severe"));
    criteria.addSpan(1, 1, CriteriaCols, 1);
    criteria.addSpan(1, 2, CriteriaCols, 1);
    criteria.setBlockLocked(1, 1, CriteriaCols, CriteriaRows, true);

    SpreadModel &scores = m_gridScores->cells();
    const int rows = m_member.rowCount;
    scores.setColWidths({25, 22, 22, 22, 10});

    // Everything is fixed text unless a row below opens a cell for input.
    for (int row = 1; row <= rows; ++row)
        for (int col = 1; col <= ScoreCols; ++col)
            scores.setStatic(col, row, QString());
    scores.setBlockLocked(1, 1, ScoreCols, rows, true);

    const QStringList titles = CriteriaScreens::columnTitles();
    for (int col = 1; col <= ScoreCols; ++col)
        scores.setText(col, 1, titles.value(col - 1));
    scores.setBlockBold(1, 1, ScoreCols, 1, true);
    scores.setLabelBlock(1, 1, ScoreCols, 1);

    for (const Row &r : m_member.rows) {
        switch (r.kind) {
        case RowKind::Domain:
            scores.setText(1, r.row, r.title);
            scores.setBold(1, r.row, true);
            scores.setText(2, r.row, r.question);
            scores.addSpan(2, r.row, ScoreCols - 1, 1);
            scores.setLabelBlock(1, r.row, ScoreCols, r.row);
            break;
        case RowKind::Item: {
            scores.setText(1, r.row, r.title);
            if (r.lookupTexts) {
                const LimitDescription &levels = limitDescription(r.subSection);
                scores.setText(2, r.row, levels.mild);
                scores.setText(3, r.row, levels.moderate);
                scores.setText(4, r.row, levels.severe);
            } else {
                scores.setText(2, r.row, r.mild);
                scores.setText(3, r.row, r.moderate);
                scores.setText(4, r.row, r.severe);
            }
            scores.setInteger(ScoreCol, r.row, 1, 3);
            scores.setLocked(ScoreCol, r.row, false);
            scores.setAlignment(ScoreCol, r.row, Qt::AlignCenter);
            break;
        }
        case RowKind::Information:
            scores.setText(1, r.row, r.title);
            scores.addSpan(1, r.row, ScoreCols, 1);
            break;
        case RowKind::Separator:
            scores.addSpan(1, r.row, ScoreCols, 1);
            break;
        case RowKind::Other:
            scores.setText(1, r.row, r.title);
            for (int col = 2; col <= 4; ++col) {
                scores.setEdit(col, r.row, TextLimit);
                scores.setLocked(col, r.row, false);
            }
            scores.setInteger(ScoreCol, r.row, 1, 3);
            scores.setLocked(ScoreCol, r.row, false);
            scores.setAlignment(ScoreCol, r.row, Qt::AlignCenter);
            break;
        }
    }

    m_gridCriteria->applyLayout();
    m_gridScores->applyLayout();
}

// Loading ------------------------------------------------------------------------

QVector<StoreRoutine> frmCriteriaSelection::loadRoutines()
{
    return {{QStringLiteral("getScores Routine"), [this](Connection &db) {
        getScores(db);
        m_scores.loaded(scores());
        m_other.loaded(otherConditions());
    }}};
}

void frmCriteriaSelection::placeCursor()
{
    m_gridScores->setActiveCell(ScoreCol, m_member.cursorRow);
    m_gridScores->setFocus();
}

void frmCriteriaSelection::getScores(Connection &connection)
{
    SpreadModel &scores = m_gridScores->cells();
    const Recordset rs = connection.query(
        QStringLiteral("SELECT ID, Sub_Section, Score ")
        + QStringLiteral("FROM SNE_Criteria_For_Selection WHERE ") + learnerAndYearCondition() + m_member.condition
        + QStringLiteral(" ORDER By Sub_Section, ID"));
    m_scores.clear();
    for (int i = 0; i < rs.recordCount(); ++i) {
        // A stored sub-section this member has no row for, or a second score
        // of one sub-section, stays unshown and as it is.
        const int subSection = rs.value(i, QStringLiteral("Sub_Section")).toInt();
        const int row = m_member.rowOfSubSection(subSection);
        if (row > 0 && m_scores.show(subSection, rs.value(i, QStringLiteral("ID")).toLongLong()))
            scores.setText(ScoreCol, row, rs.text(i, QStringLiteral("Score")));
    }

    const Row *other = m_member.otherRow();
    m_other.clear();
    if (!other)
        return;
    const Recordset others = connection.query(
        QStringLiteral("SELECT ID, None_Mild, Moderate, Severe, Score ")
        + QStringLiteral("FROM SNE_Criteria_For_Selection_Other WHERE ") + learnerAndYearCondition() + QStringLiteral(" ORDER BY ID"));
    m_other.showFirst(others);
    if (others.isEmpty())
        return;
    scores.setText(2, other->row, others.text(0, QStringLiteral("None_Mild")));
    scores.setText(3, other->row, others.text(0, QStringLiteral("Moderate")));
    scores.setText(4, other->row, others.text(0, QStringLiteral("Severe")));
    scores.setText(ScoreCol, other->row, others.text(0, QStringLiteral("Score")));
}

// Saving -------------------------------------------------------------------------

QVector<StoreRoutine> frmCriteriaSelection::saveRoutines()
{
    return {{QStringLiteral("saveScores Routine"), [this](Connection &db) { saveScores(db); }, [this] {
                 m_scores.committed();
                 m_other.committed();
             }}};
}

ShownRows::Places frmCriteriaSelection::scores() const
{
    const SpreadModel &cells = m_gridScores->cells();
    ShownRows::Places places;
    for (const Row &r : m_member.rows) {
        if (r.kind != RowKind::Item)
            continue;
        const QString score = cells.text(ScoreCol, r.row);
        places.insert(r.subSection, {{{QStringLiteral("Sub_Section"), QString::number(r.subSection)},
                                      {QStringLiteral("Score"), scoreLiteral(score)}},
                                     isScored(score)});
    }
    return places;
}

// The other conditions' texts are kept with their score, or without one
// (what the user typed is never dropped).
ShownRows::Places frmCriteriaSelection::otherConditions() const
{
    const Row *other = m_member.otherRow();
    if (!other)
        return {};
    const SpreadModel &cells = m_gridScores->cells();
    const QString score = cells.text(ScoreCol, other->row);
    QString texts;
    ShownRows::Values values{{QStringLiteral("Score"), scoreLiteral(score)}};
    const char *columns[] = {"None_Mild", "Moderate", "Severe"};
    for (int col = 2; col <= 4; ++col) {
        texts += cells.text(col, other->row);
        values.insert(QString::fromLatin1(columns[col - 2]), ShownRows::quoted(cells.text(col, other->row)));
    }
    return ShownRows::onlyPlace(values, isScored(score) || !texts.trimmed().isEmpty());
}

void frmCriteriaSelection::saveScores(Connection &connection)
{
    m_scores.save(connection, scores(), ShownRows::learnerAndYear());
    if (m_member.otherRow())
        m_other.save(connection, otherConditions(), ShownRows::learnerAndYear());
}

// Printing -----------------------------------------------------------------------

void frmCriteriaSelection::printPage(PagePrinter &printer)
{
    SectionPage::print(printer, QString(), false,
                       {{&m_gridCriteria->cells(), 800}, {&m_gridScores->cells(), 2000}});
}
