#include "IndividualSupportPlan.h"

#include "ActionGroup.h"
#include "AppState.h"
#include "CentralRoutines.h"
#include "Connection.h"
#include "FixedTextGrids.h"
#include "PagePrinter.h"
#include "SectionPage.h"
#include "SpreadGrid.h"

#include <QHBoxLayout>

using grid::SpreadGrid;
using grid::SpreadModel;
using FixedTextGrids::boldLabel;

namespace {

const QString ScreenName = QStringLiteral("frmISP");
const QString CrLf = QStringLiteral("\r\n");

const char *const StoredFields[ActionGroup::Fields] = {"Target", "Strategy", "Achievement_Criteria",
                                                       "Person_Responsible", "Review_Date", "Review_Comments"};

QVector<ActionGroupSpec> groupSpecs()
{
    return {
        {1, "gridAddAction", "gridActionPreview", "cmdAddPreview", "cmdRemove",
         QStringLiteral("Whole school development intervention"),
         QStringLiteral("WHOLE SCHOOL DEVELOPMENT INTERVENTION")},
        {2, "gridAdd2Action", "gridAction2Preview", "cmdAddTo2Preview", "cmdRemoveFrom2Preview",
         QStringLiteral("Educator training or other educator support to be given"),
         QStringLiteral("EDUCATOR TRAINING OR OTHER EDUCATOR SUPPORT TO BE GIVEN")},
        {3, "gridAdd3Action", "gridAction3Preview", "cmdAddTo3Preview", "cmdRemoveFrom3Preview",
         QStringLiteral("Learner support to be given(e.g curriculum differentiation,adapted assessment "
                        "strategies,emotional)"),
         QStringLiteral("LEARNER SUPPORT TO BE GIVEN")},
        {4, "gridAdd4Action", "gridAction4Preview", "cmdAddTo4Preview", "cmdRemoveFrom4Preview",
         QStringLiteral("Consultation with parents / caregivers"),
         QStringLiteral("CONSULTATION WITH PARENTS/CAREGIVERS")},
        {5, "gridAdd5Action", "gridAction5Preview", "cmdAddTo5Preview", "cmdRemoveFrom5Preview",
         QStringLiteral("Support to be provided by DBST"),
         QStringLiteral("SUPPORT TO BE PROVIDED BY THE DBST")},
    };
}

} // namespace

frmISP::frmISP(QWidget *parent)
    : SectionScreen(ScreenName, QStringLiteral("SNA [ ISP : INDIVIDUAL SUPPORT PLAN ]"), parent)
    , m_gridBarrier(FixedTextGrids::oneColumn("gridBarrier", 1, 55, this))
    , m_gridStrengths(FixedTextGrids::oneColumn("gridStrengths", 1, 55, this))
    , m_gridHeading(FixedTextGrids::oneColumn("gridHeading", 1, 112, this))
    , m_vaSpread3(FixedTextGrids::oneColumn("vaSpread3", 2, 112, this))
    , m_actionRows(Groups, ShownRows(QStringLiteral("SNE_ISP")))
{
    setPrintButtonName(QStringLiteral("cmdPrintPage"));

    // Barriers and strengths side by side, as on the printed page.
    auto *beside = new QWidget(this);
    auto *besideLayout = new QHBoxLayout(beside);
    besideLayout->setContentsMargins(0, 0, 0, 0);
    for (SpreadGrid *grid : {m_gridBarrier, m_gridStrengths}) {
        grid->setFitToContents(true);
        besideLayout->addWidget(grid, 0, Qt::AlignTop);
    }
    besideLayout->addStretch(1);
    addToBody(beside);
    addGrid(m_gridHeading);
    addGrid(m_vaSpread3);

    const QVector<ActionGroupSpec> specs = groupSpecs();
    for (int g = 0; g < Groups; ++g) {
        QWidget *page = addPage(QStringLiteral("Action %1").arg(g + 1));
        m_groups[g] = new ActionGroup(specs[g], this);
        addToPage(page, m_groups[g]);
        watchGrid(m_groups[g]->entryGrid());
        watchGrid(m_groups[g]->previewGrid());
        connect(m_groups[g], &ActionGroup::changed, this, &SectionScreen::markChanged);
    }
}

void frmISP::prepareGrids()
{
    boldLabel(m_gridBarrier->cells(), 1, 1, QStringLiteral("Barrier/s or concern:") + CrLf);
    boldLabel(m_gridStrengths->cells(), 1, 1, QStringLiteral("Strengths:"));
    boldLabel(m_gridHeading->cells(), 1, 1,
              QStringLiteral("1. ACTIONS TO BE TAKEN TO ADDRESS LEARNER'S ADDITIONAL SUPPORT NEEDS"));
    SpreadModel &targets = m_vaSpread3->cells();
    boldLabel(targets, 1, 1, QStringLiteral("SUPPORT TARGETS (To be completed by the educator in consultation with the "
                                         "ILST, partents and learner)"));
    targets.setLabel(1, 2, QStringLiteral("Interventions planned by school, class educator with inputs from the "
                                          "Learning Support educator or counsellor/social auxillary worker, parent "
                                          "and learner."));
    for (SpreadGrid *grid : {m_gridBarrier, m_gridStrengths, m_gridHeading, m_vaSpread3})
        grid->applyLayout();
    for (ActionGroup *group : m_groups)
        group->prepare();
}

// Loading ----------------------------------------------------------------------

QVector<StoreRoutine> frmISP::loadRoutines()
{
    QVector<StoreRoutine> routines = {
        {QStringLiteral("getBarriers Routine"), [this](Connection &db) { getBarries_Strengths(db); }}};
    for (ActionGroup *group : m_groups)
        routines.append({QStringLiteral("getAction Routine"), [this, group](Connection &db) {
            getAction(db, group);
            rowsOf(group).loaded(actions(group));
        }});
    return routines;
}

// Both grids keep the records' positions: a record without a barrier leaves
// its row of the barriers grid empty, and likewise for the strengths.
void frmISP::getBarries_Strengths(Connection &db)
{
    const Recordset rs = db.query(QStringLiteral("SELECT * FROM SNE_Factors_Community ")
                                  + QStringLiteral("WHERE ") + learnerAndYearCondition());
    if (rs.isEmpty())
        return;
    SpreadModel &barriers = m_gridBarrier->cells();
    SpreadModel &strengths = m_gridStrengths->cells();
    barriers.setMaxRows(rs.recordCount() + 1);
    strengths.setMaxRows(rs.recordCount() + 1);
    // Shown from Section 2, stored there: read-only here.
    for (int k = 0; k < rs.recordCount(); ++k) {
        const QString barrier = rs.text(k, QStringLiteral("Barrier"));
        const QString positive = rs.text(k, QStringLiteral("Positive_Influence"));
        barriers.setStatic(1, k + 2, barrier.trimmed().isEmpty() ? QString() : barrier);
        strengths.setStatic(1, k + 2, positive.trimmed().isEmpty() ? QString() : positive);
    }
    barriers.setBlockLocked(1, 2, 1, barriers.maxRows(), true);
    strengths.setBlockLocked(1, 2, 1, strengths.maxRows(), true);
    m_gridBarrier->applyLayout();
    m_gridStrengths->applyLayout();
}

void frmISP::getAction(Connection &db, ActionGroup *group)
{
    const Recordset rs = db.query(QStringLiteral("SELECT * FROM SNE_ISP ") + QStringLiteral("WHERE LearnerID = ")
                                  + learnerIdText() + QStringLiteral(" AND Action = ")
                                  + QString::number(group->spec().action) + QStringLiteral(" AND Data_Year = ")
                                  + dataYearText() + QStringLiteral(" ORDER BY ID"));
    ShownRows &rows = rowsOf(group);
    rows.clear();
    if (rs.isEmpty())
        return;
    QVector<QStringList> actions;
    for (int r = 0; r < rs.recordCount(); ++r) {
        rows.show(r, rs.value(r, QStringLiteral("ID")).toLongLong());
        QStringList fields;
        for (const char *field : StoredFields)
            fields.append(rs.text(r, QString::fromLatin1(field)));
        actions.append(fields);
    }
    group->setActions(actions);
}

void frmISP::placeCursor()
{
    setCurrentPage(0);
    m_groups[0]->entryGrid()->setActiveCell(1, ActionGroup::EntryRow);
    m_groups[0]->entryGrid()->setFocus();
}

// Saving -----------------------------------------------------------------------

QVector<StoreRoutine> frmISP::saveRoutines()
{
    QVector<StoreRoutine> routines;
    for (ActionGroup *group : m_groups)
        routines.append({QStringLiteral("saveAction Routine"), [this, group](Connection &db) { saveAction(db, group); },
                         [this, group] { rowsOf(group).committed(); }});
    return routines;
}

ShownRows &frmISP::rowsOf(const ActionGroup *group)
{
    return m_actionRows[std::size_t(group->spec().action - 1)];
}

ShownRows::Places frmISP::actions(const ActionGroup *group) const
{
    ShownRows::Places places;
    const QVector<QStringList> rows = group->actions();
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList &f = rows.at(i);
        ShownRows::Place action{{{QStringLiteral("Action"), QString::number(group->spec().action)}},
                                !f.join(QString()).trimmed().isEmpty()};
        for (int field = 0; field < ActionGroup::Fields; ++field) {
            const QString name = QString::fromLatin1(StoredFields[field]);
            // The review date goes in as the grid shows it; an empty one stays empty.
            action.values.insert(name, name == QLatin1String("Review_Date")
                                           ? ShownRows::quotedKeepingEmpty(f.at(field))
                                           : ShownRows::quoted(f.at(field)));
        }
        places.insert(i, action);
    }
    return places;
}

void frmISP::saveAction(Connection &db, ActionGroup *group)
{
    rowsOf(group).save(db, actions(group), ShownRows::learnerAndYear());
}

// Printing ---------------------------------------------------------------------

void frmISP::printPage(PagePrinter &printer)
{
    const SectionPage::Head head = SectionPage::landscapeHead(QStringLiteral(" SNA [ ISP : INDIVIDUAL SUPPORT PLAN ]"));
    // The page head on every sheet; no gap between pushed blocks, so short
    // texts keep their specified tops.
    PageFlow flow(printer, SectionPage::everySheet(head), 0);

    // Barriers and strengths side by side; when either runs past the actions'
    // heading it finishes on sheets of their own and the actions start afresh.
    constexpr double Overhang = 3000;
    constexpr double HeadingTop = 2300;
    if (!flow.placeBeside({{&m_gridBarrier->cells(), 300, {1}}, {&m_gridStrengths->cells(), 6500, {1}}}, 800, Overhang,
                          HeadingTop))
        flow.breakSheet();

    flow.placeGrid(m_gridHeading->cells(), HeadingTop, 300);
    const ActionGroup *group = m_groups[qBound(0, currentPage(), Groups - 1)];
    printer.setFont(QStringLiteral("Times New Roman"), 9, true);
    const double titleTop = flow.reserve(2600, 200);
    printer.setPosition(260, titleTop);
    printer.printLine(group->spec().paperTitle);
    printer.setBold(false);
    // A group that runs on names itself in the continued mark and repeats
    // its column headings (its first row is the screen's instruction).
    flow.setContinuedMark(group->spec().paperTitle + QStringLiteral("  (continued)"));
    flow.placeGrid(group->previewGrid()->cells(), 2800, 300, {ActionGroup::FirstActionRow - 1});
}
