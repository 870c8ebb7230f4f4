#include "ExtendedProfile2.h"

#include "AppState.h"
#include "CentralRoutines.h"
#include "Connection.h"
#include "EntryPreviewList.h"
#include "FixedTextGrids.h"
#include "PagePrinter.h"
#include "SectionPage.h"
#include "SpreadGrid.h"

#include <QLineEdit>

using grid::SpreadGrid;
using grid::SpreadModel;
using FixedTextGrids::boldLabel;

namespace {

const QString ScreenName = QStringLiteral("frmExtendedProfile2");
const QString Caption = QStringLiteral("SNA [ Section 2: EXTENDED PROFILE OF LEARNER NEEDS ]");
const QString CrLf = QStringLiteral("\r\n");

constexpr int ListCols = 2;
constexpr int SummaryLimit = 9999;

// Lines of an example list: three spaces, an asterisk and a space before each item.
QString bulletLines(std::initializer_list<const char *> items)
{
    QString lines;
    for (const char *item : items)
        lines += CrLf + QStringLiteral("   * ") + QString::fromLatin1(item);
    return lines;
}

QString impactSentence(const char *impact)
{
    return QStringLiteral("Your answer may include a description of any one or more of the factors below, %1 on the "
                          "learner's capacity for learning, for example:").arg(QString::fromLatin1(impact));
}

// What makes one factor tab different from the others.
struct FactorTab
{
    const char *caption;
    const char *table;
    const char *enablingField;
    QString question;
    QString enablingExample;
    QString barrierExample;
    EntryPreviewSpec entry;
};

QVector<FactorTab> factorTabs()
{
    const QString classroomItems = bulletLines({"Teaching methodology", "Curriculum differentiation",
                                                "Classroom management", "Learning and teaching materials",
                                                "Language of teaching and learning", "Knowledge of NCS delivery",
                                                "Peer relationships", "etc"});
    const QString schoolItems = bulletLines({"Ethos of the school", "Policies", "Attitudes",
                                             "School buildings and additional rooms", "Space, class size",
                                             "Access e.g ramps, appropriate toilets / sanitation", "Safe environment",
                                             "Facilities", "Issues of Governance", "etc"});
    const QString positive = impactSentence("which have a positive impact");
    const QString negative = impactSentence("which have had a negative impact");

    const auto entry = [](const char *box, const char *first, const char *second, const char *secondCaption,
                          const char *add, const char *remove, const char *words) {
        EntryPreviewSpec spec;
        spec.textBoxName = QString::fromLatin1(box);
        spec.firstOptionName = QString::fromLatin1(first);
        spec.firstOptionCaption = QStringLiteral("Enabling Factors");
        spec.secondOptionName = QString::fromLatin1(second);
        spec.secondOptionCaption = QString::fromLatin1(secondCaption);
        spec.addButtonName = QString::fromLatin1(add);
        spec.removeButtonName = QString::fromLatin1(remove);
        spec.emptyMessage = QStringLiteral("You must enter the %1 or Barrier.").arg(QString::fromLatin1(words));
        spec.noOptionMessage = QStringLiteral("You must select the %1 or Barrier options.").arg(QString::fromLatin1(words));
        return spec;
    };

    return {
        {"COMMUNITY", "SNE_Factors_Community", "Positive_Influence",
         QStringLiteral("What factors in the community and family are impacting on the child's learning and development?"),
         QStringLiteral("e.g good relationships with family members, caregiver present, community based support "
                        "structures, home based care, etc."),
         QStringLiteral("e.g poverty, violence, physical abuse, substance abuse, sexual abuse, poor parenting or "
                        "absence of parental figures, trauma, illness. "),
         entry("txtAddCommunityFactor", "optPositive", "optBarriers", "Barrier", "cmdAddPreview", "cmdRemove",
               "Positive Infuence")},
        {"CLASSROOM", "SNE_Factors_Classroom", "Enabling_Factor",
         QStringLiteral("What factors in the classroom are impacting on the learner's capacity to participate in the "
                        "learning process?"),
         positive + classroomItems, negative + classroomItems,
         entry("txtAddClassroomFactor", "optEnabling", "optClassroomBarrier", "Barriers", "cmdAddToClassPreview",
               "cmdRemoveFromClassPreview", "Enabling Factor")},
        {"SCHOOL", "SNE_Factors_School", "Enabling_Factor",
         QStringLiteral("What factors in the school are impacting on the learner's participation in the programmes "
                        "offered at the school?"),
         positive + schoolItems, negative + schoolItems,
         entry("txtAddSchoolFactor", "optSchoolEnabling", "optSchoolBarrier", "Barriers", "cmdAddToSchoolPreview",
               "cmdRemoveFromSchoolPreview", "Enabling Factor")},
    };
}

const char *const ListGridNames[3] = {"gridCommunity", "gridClassroom", "gridSchool"};
constexpr int ColumnHeadingRow = 5;   // "ENABLING FACTORS" and "BARRIERS"

} // namespace

frmExtendedProfile2::frmExtendedProfile2(QWidget *parent)
    : SectionScreen(ScreenName, Caption, parent)
    , m_heading(FixedTextGrids::oneColumn("vaSpread1", 1, 100, this))
    , m_summHeader(FixedTextGrids::oneColumn("gridSummHeader", 1, 100, this))
    , m_summEnabling(FixedTextGrids::oneColumn("gridSummEnabling", 2, 100, this))
    , m_summBarriers(FixedTextGrids::oneColumn("gridSummBarriers", 2, 100, this))
{
    setPrintButtonName(QStringLiteral("cmdPrintPage"));
    addGrid(m_heading);

    const QVector<FactorTab> tabs = factorTabs();
    for (int t = 0; t < 3; ++t) {
        m_rows.emplace_back(QString::fromLatin1(tabs[t].table));
        QWidget *page = addPage(QString::fromLatin1(tabs[t].caption));
        auto *grid = new SpreadGrid(ListCols, FirstEntryRow, this);
        grid->setObjectName(QString::fromLatin1(ListGridNames[t]));
        m_lists[t] = new EntryPreviewList(grid, FirstEntryRow, 1, ListCols, tabs[t].entry, this);
        addToPage(page, m_lists[t]);
        watchGrid(grid);
        connect(m_lists[t], &EntryPreviewList::changed, this, &SectionScreen::markChanged);
    }

    QWidget *summary = addPage(QStringLiteral("SUMMARY OF BARRIERS TO LEARNING"));
    for (SpreadGrid *grid : {m_summHeader, m_summEnabling, m_summBarriers})
        addGrid(grid, summary);
}

void frmExtendedProfile2::prepareGrids()
{
    boldLabel(m_heading->cells(), 1, 1,
              QStringLiteral("2.2 CONTEXTUAL FACTORS IMPACTING ON THE LEARNER, COMMUNITY AND FAMILY") + CrLf);
    m_heading->applyLayout();

    const QVector<FactorTab> tabs = factorTabs();
    grid::CellSpec entryCell;
    entryCell.type = grid::CellType::Static;
    entryCell.locked = true;
    for (int t = 0; t < 3; ++t) {
        SpreadGrid *grid = m_lists[t]->grid();
        SpreadModel &cells = grid->cells();
        cells.setColWidths({48, 48});
        boldLabel(cells, 1, 1, tabs[t].question, ListCols);
        boldLabel(cells, 1, 2,
                  QStringLiteral("Select Option below and enter the Factor in the box and then click the "
                                 "\"Add to Preview\" button."),
                  ListCols);
        cells.setLabel(1, 3, QString());
        cells.addSpan(1, 3, ListCols, 1);
        boldLabel(cells, 1, 4, QStringLiteral("Preview Captured Information"), ListCols);
        boldLabel(cells, 1, ColumnHeadingRow, QStringLiteral("ENABLING FACTORS"));
        boldLabel(cells, 2, ColumnHeadingRow, QStringLiteral("BARRIERS"));
        cells.setLabel(1, 6, tabs[t].enablingExample);
        cells.setLabel(2, 6, tabs[t].barrierExample);
        m_lists[t]->list().setEntryCell(1, entryCell);
        m_lists[t]->list().setEntryCell(2, entryCell);
        grid->applyLayout();
    }

    boldLabel(m_summHeader->cells(), 1, 1, QStringLiteral("SUMMARY OF BARRIERS TO LEARNING") + CrLf);
    boldLabel(m_summEnabling->cells(), 1, 1, QStringLiteral("ENABLING FACTORS"));
    boldLabel(m_summBarriers->cells(), 1, 1, QStringLiteral("BARRIERS") + CrLf);
    // The summaries are rebuilt from the store on every load; text typed
    // there would never be kept, so the cells are shown read-only.
    for (SpreadGrid *grid : {m_summEnabling, m_summBarriers}) {
        grid->cells().setStatic(1, 2, QString());
        grid->cells().setLocked(1, 2, true);
        grid->cells().setRowHeight(2, 0);
    }
    for (SpreadGrid *grid : {m_summHeader, m_summEnabling, m_summBarriers})
        grid->applyLayout();
}

// Loading ----------------------------------------------------------------------

StoreRoutine frmExtendedProfile2::getDataRoutine(const QVector<int> &tabs)
{
    return {QStringLiteral("getData Routine"), [this, tabs](Connection &db) {
        getData(db, tabs);
        for (int t : tabs)
            m_rows[t].loaded(factors(t));
    }};
}

QVector<StoreRoutine> frmExtendedProfile2::loadRoutines()
{
    return {getDataRoutine()};
}

void frmExtendedProfile2::getData(Connection &db, const QVector<int> &tabs)
{
    m_summBarriers->cells().setText(1, 2, QString());
    m_summEnabling->cells().setText(1, 2, QString());
    QString barriers;
    QString enabling;

    const QVector<FactorTab> factorTabList = factorTabs();
    for (int t = 0; t < 3; ++t) {
        const FactorTab &factorTab = factorTabList[t];
        const Recordset rs = db.query(QStringLiteral("SELECT * FROM %1 ").arg(QString::fromLatin1(factorTab.table))
                                      + QStringLiteral("WHERE ") + learnerAndYearCondition() + QStringLiteral(" ORDER BY ID"));
        const bool refill = tabs.contains(t);
        if (refill)
            m_rows[t].clear();
        if (rs.isEmpty())
            continue;
        QVector<QStringList> rows;
        for (int r = 0; r < rs.recordCount(); ++r) {
            const QString factor = rs.text(r, QString::fromLatin1(factorTab.enablingField));
            const QString barrier = rs.text(r, QStringLiteral("Barrier"));
            barriers += barrier + CrLf;
            enabling += factor + CrLf;
            if (refill) {
                m_rows[t].show(r, rs.value(r, QStringLiteral("ID")).toLongLong());
                rows.append({factor, barrier});
            }
        }
        if (refill)
            m_lists[t]->list().setEntries(rows);
    }
    m_summBarriers->cells().setText(1, 2, barriers);
    m_summEnabling->cells().setText(1, 2, enabling);
    m_summBarriers->applyLayout();
    m_summEnabling->applyLayout();
}

void frmExtendedProfile2::placeCursor()
{
    setCurrentPage(Community);
    m_lists[Community]->textBox()->setFocus();
}

// Saving -----------------------------------------------------------------------

QVector<StoreRoutine> frmExtendedProfile2::saveRoutines()
{
    return {{QStringLiteral("saveData Routine"), [this](Connection &db) { saveData(db); }, [this] {
                 for (ShownRows &rows : m_rows)
                     rows.committed();
             }}};
}

ShownRows::Places frmExtendedProfile2::factors(int tab) const
{
    const QString enablingField = QString::fromLatin1(factorTabs()[tab].enablingField);
    const QVector<QStringList> rows = m_lists[tab]->list().entries();
    ShownRows::Places places;
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList &row = rows.at(i);
        // Gaps close when the list is read back.
        places.insert(i, {{{enablingField, ShownRows::quoted(row.at(0))}, {QStringLiteral("Barrier"), ShownRows::quoted(row.at(1))}},
                          !(row.at(0) + row.at(1)).trimmed().isEmpty()});
    }
    return places;
}

void frmExtendedProfile2::saveData(Connection &db)
{
    for (int t = 0; t < 3; ++t)
        m_rows[t].save(db, factors(t), ShownRows::learnerAndYear());
}

// The lists the save wrote are shown as stored (gaps closed) and the summary
// is rebuilt; a list the save did not touch is left as it stands.
void frmExtendedProfile2::afterSave()
{
    QVector<int> written;
    for (int t = 0; t < 3; ++t) {
        if (m_rows[t].wrote())
            written << t;
    }
    if (!written.isEmpty())
        reload({getDataRoutine(written)});
}

// Printing ---------------------------------------------------------------------

void frmExtendedProfile2::printPage(PagePrinter &printer)
{
    const SectionPage::Head head =
        SectionPage::landscapeHead(QStringLiteral(" SNA [ Section 2: EXTENDED PROFILE OF LEARNER NEEDS ]"));
    PageFlow flow(printer, SectionPage::everySheet(head), SectionPage::BlockGap);
    if (currentPage() == Summary) {
        flow.placeGrid(m_summHeader->cells(), 800, 300);
        flow.placeGrid(m_summEnabling->cells(), 1500, 300, {1});
        flow.placeGrid(m_summBarriers->cells(), 4500, 300, {1});
        return;
    }
    // A list that runs on repeats its question and its column headings.
    flow.placeGrid(m_lists[qBound(0, currentPage(), 2)]->grid()->cells(), 800, 300, {1, ColumnHeadingRow});
}
