#include "BackgroundInfo.h"

#include "AppState.h"
#include "Connection.h"
#include "LearnerDetails.h"
#include "MessageBoxes.h"
#include "MultipleDisabilities.h"
#include "PagePrinter.h"
#include "ScreenRegistry.h"
#include "SectionPage.h"
#include "SpreadGrid.h"
#include "StoreError.h"
#include "Stage1Screens.h"

#include <QVBoxLayout>

#include <algorithm>

using grid::SpreadGrid;
using grid::SpreadModel;

namespace {

const QString ScreenName = QStringLiteral("frmBackgroundInfo");

// The three early-intervention columns are TEXT(255); the other two are long
// texts, held to the cells' own limit.
constexpr int ShortTextLength = 255;
constexpr int LongTextLength = 2000;

// The additional-disabilities row of gridDisability.
constexpr int PrimaryCol = 1;
constexpr int AdditionalCol = 2;
constexpr int ButtonCol = 3;
constexpr int DisabilityRow = 2;

SpreadGrid *makeGrid(const QString &name, int rows, QWidget *parent)
{
    auto *grid = new SpreadGrid(3, rows, parent);
    grid->setObjectName(name);
    return grid;
}

// Every grid of the screen is three columns wide; each build starts from
// default cells so a screen opened again shows nothing of its last opening.
void resetCells(SpreadModel &cells, int rows, std::initializer_list<double> widths)
{
    for (int row = 1; row <= rows; ++row)
        for (int col = 1; col <= 3; ++col)
            cells.setCell(col, row, grid::CellSpec());
    cells.setColWidths(widths);
}

// A section with a title row, an explanation row and one text row, each
// spanning the three columns (gridFamilySituation, gridParent_Understanding).
void buildSpannedSection(SpreadModel &cells, const QString &title, const QString &explanation)
{
    resetCells(cells, 3, {24.75, 27.75, 18.12});
    cells.setStatic(1, 1, title);
    cells.setStatic(1, 2, explanation);
    // Texts left under the span of row 2, never shown.
    cells.setStatic(2, 2, QStringLiteral("Name of provider (organisation/department)"));
    cells.setStatic(3, 2, QStringLiteral("Contact Details"));
    cells.setLabelBlock(1, 1, 3, 2);
    for (int row = 1; row <= 3; ++row)
        cells.addSpan(1, row, 3, 1);
    cells.setEdit(1, 3, LongTextLength, true);
}

} // namespace

void registerBackgroundScreens(ScreenRegistry &registry)
{
    registry.add(ScreenName, [](QWidget *parent) -> SectionScreen * { return new frmBackgroundInfo(parent); });
}

frmBackgroundInfo::frmBackgroundInfo(QWidget *parent)
    : SectionScreen(ScreenName, QStringLiteral("SNA [Section 1: BACKGROUND INFORMATION ON LEARNER]"), parent)
    , m_early(makeGrid(QStringLiteral("gridEarlyIntervention"), 3, this))
    , m_disability(makeGrid(QStringLiteral("gridDisability"), 2, this))
    , m_family(makeGrid(QStringLiteral("gridFamilySituation"), 3, this))
    , m_parent(makeGrid(QStringLiteral("gridParent_Understanding"), 3, this))
    , m_background(QStringLiteral("SNE_Learner_Background_Info"))
{
    setPrintButtonName(QStringLiteral("cmdPrintPage"));
    for (SpreadGrid *grid : {m_early, m_disability, m_family, m_parent})
        addGrid(grid);

    connect(m_disability, &SpreadGrid::buttonClicked, this, [this](int col, int row) {
        if (col == ButtonCol && row == DisabilityRow)
            openAdditionalDisabilities();
    });
}

// Grids -----------------------------------------------------------------------

void frmBackgroundInfo::prepareGrids()
{
    buildEarlyIntervention();
    buildDisability();
    buildFamilySituation();
    buildParentUnderstanding();
    for (SpreadGrid *grid : {m_early, m_disability, m_family, m_parent})
        grid->applyLayout();
}

void frmBackgroundInfo::buildEarlyIntervention()
{
    SpreadModel &cells = m_early->cells();
    resetCells(cells, 3, {24.75, 27.75, 18.12});
    cells.setStatic(1, 1, QStringLiteral("1.1 Early intervention services"));
    cells.addSpan(1, 1, 3, 1);
    cells.setStatic(1, 2, QStringLiteral("Name of support received "));
    cells.setStatic(2, 2, QStringLiteral("Name of provider (organisation/department)"));
    cells.setStatic(3, 2, QStringLiteral("Contact Details"));
    cells.setLabelBlock(1, 1, 3, 2);
    for (int col = 1; col <= 3; ++col)
        cells.setEdit(col, 3, ShortTextLength, true);
}

void frmBackgroundInfo::buildDisability()
{
    SpreadModel &cells = m_disability->cells();
    resetCells(cells, 2, {24.75, 30.87, 15.0});
    cells.setStatic(1, 1, QStringLiteral("1.2 State disability (if any)"));
    cells.addSpan(1, 1, 3, 1);
    cells.setLabelBlock(1, 1, 3, 1);
    cells.setComboBox(PrimaryCol, DisabilityRow, QStringList());
    // Filled from the stored additional disabilities; edited only in their own window.
    cells.setStatic(AdditionalCol, DisabilityRow, QString());
    cells.setLocked(AdditionalCol, DisabilityRow, true);
    cells.setButton(ButtonCol, DisabilityRow, QStringLiteral("Additional Disabilities"));
    DisabilityChoices.clear();
    m_choiceListText.clear();
}

void frmBackgroundInfo::buildFamilySituation()
{
    buildSpannedSection(
        m_family->cells(), QStringLiteral("1.3 Family and home situation"),
        QStringLiteral("Include information on family structure, including siblings, other significant adults etc. ")
            + QStringLiteral("\r\n")
            + QStringLiteral("For example: Who lives with the child? Who does not live with the child? "
                             "Any other significant home circumstances, etc."));
}

void frmBackgroundInfo::buildParentUnderstanding()
{
    buildSpannedSection(
        m_parent->cells(), QStringLiteral("1.4 Parent's understanding of the child"),
        QStringLiteral("In this section the parent provides information of how they understand their "
                       "child's strengths and challenges.")
            + QStringLiteral("\r\n")
            + QStringLiteral("For example: What are parent's goals for their child and the child's goals? "
                             "What are the interests of the child?")
            + QStringLiteral("\r\n")
            + QStringLiteral("What support do they need? How would they describe their child's personality? etc.."));
}

void frmBackgroundInfo::placeCursor()
{
    m_early->setFocus();
    m_early->setActiveCell(1, 3);
}

// Loading ---------------------------------------------------------------------

QVector<StoreRoutine> frmBackgroundInfo::loadRoutines()
{
    return {backgroundRoutine(true)};
}

StoreRoutine frmBackgroundInfo::backgroundRoutine(bool full)
{
    return {QStringLiteral("getBackground_Info Routine"), [this, full](Connection &db) { getBackground_Info(db, full); }};
}

bool frmBackgroundInfo::getBackground_Info(bool full)
{
    return reload({backgroundRoutine(full)});
}

void frmBackgroundInfo::getBackground_Info(Connection &db, bool full)
{
    const QString learner = learnerIdText();
    const QString year = dataYearText();

    Recordset rs = db.query(
        QStringLiteral("SELECT BI.*, LI.LSENDisabilities AS MainDisID, DI.Name AS MainDis ")
        // From the learner outwards: the same rows as the stored row RIGHT
        // JOINed to the learner, but a look-up of one learner instead of a
        // pass over every learner's stored row.
        + QStringLiteral("FROM (Learner_Info as LI LEFT JOIN ")
        + QStringLiteral("SNE_Learner_Background_Info as BI ON (BI.LearnerID = LI.ID AND BI.Data_Year = ") + year + QStringLiteral(")) ")
        // An outer join: the stored texts and the additional disabilities load
        // whatever the primary code is (0, NULL, a deleted code), so a save
        // never overwrites texts the screen did not show.
        + QStringLiteral("LEFT JOIN Disabilities as DI ON LI.LSENDisabilities = DI.id ")
        + QStringLiteral("WHERE LI.ID = ") + learner + QStringLiteral(" ORDER BY BI.ID"));

    if (rs.isEmpty()) {
        // The learner is not (or no longer) in the host's records.
        m_storedPrimaryName.clear();
        LoadDisabilityChoices(db, QStringLiteral("Select Di.ID, Di.Name from Disabilities as Di "), DisabilityChoices,
                              QStringLiteral("id"), QStringLiteral("Name"), PrimaryCol, DisabilityRow);
        return;
    }

    if (full) {
        // A second row of the learner and year stays as it is, unshown.
        m_background.showFirst(rs);
        m_early->cells().setText(1, 3, rs.text(QStringLiteral("Nature_Of_Support_Received")));
        m_early->cells().setText(2, 3, rs.text(QStringLiteral("Name_Of_Provider")));
        m_early->cells().setText(3, 3, rs.text(QStringLiteral("Contact_Details")));
        m_family->cells().setText(1, 3, rs.text(QStringLiteral("Family_Situation")));
        m_parent->cells().setText(1, 3, rs.text(QStringLiteral("Parent_Understanding_Of_Child")));
    }

    LoadDisabilityChoices(db, QStringLiteral("Select Di.ID, Di.Name from Disabilities as Di ")
                              + QStringLiteral(" WHERE Di.ID NOT IN (SELECT MDis.DisabilityID FROM MultipleDisabilities as MDis")
                              + QStringLiteral(" INNER JOIN Learner_Info ON MDis.LearnerID = Learner_Info.ID ")
                              + QStringLiteral(" WHERE (((Learner_Info.ID)=") + learner + QStringLiteral(")))"),
                          DisabilityChoices, QStringLiteral("id"), QStringLiteral("Name"), PrimaryCol, DisabilityRow);

    m_disability->cells().setText(AdditionalCol, DisabilityRow, LearnerDetails::loadDis(db, appState().CurrentLearnerID));

    // What the primary cell shows now; a save leaves the stored code alone
    // unless the user chose another name.
    m_storedPrimaryName = rs.text(QStringLiteral("MainDis"));
    CheckPrimaryDisability(m_storedPrimaryName, rs.value(QStringLiteral("MainDisID")).toInt(), true);
    if (full)
        m_background.loaded(backgroundTexts());
}

void frmBackgroundInfo::LoadDisabilityChoices(Connection &db, const QString &query, CodeTable &choices, const QString &codeColumn,
                                              const QString &nameColumn, int col, int row)
{
    m_disability->setActiveCell(col, row);
    Recordset rs = db.query(query);
    QString listText;
    choices.clear();
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        const QString name = rs.text(nameColumn);
        listText += name + QLatin1Char('\t');
        choices.append(CodeEntry{rs.text(codeColumn), name});
    }
    m_choiceListText = listText;
    m_disability->cells().setComboBoxTabText(col, row, listText);
}

bool frmBackgroundInfo::CheckPrimaryDisability(const QString &name, qint32 code, bool loading)
{
    PrimaryDisabilityName = name;
    const QString additional = m_disability->cells().text(AdditionalCol, DisabilityRow);
    bool alsoAdditional = false;
    // A substring search, as stored names are compared: a name that is part of
    // a longer additional name counts as added too.
    if (!name.isEmpty() && !additional.isEmpty() && additional.contains(name, Qt::CaseSensitive)) {
        const bool listed = std::any_of(DisabilityChoices.cbegin(), DisabilityChoices.cend(),
                                        [&](const CodeEntry &entry) { return entry.description == name; });
        if (!listed) {
            // The list leaves out the additional disabilities; the primary must still show.
            DisabilityChoices.append(CodeEntry{QString::number(code), name});
            m_choiceListText = name + QLatin1Char('\t') + m_choiceListText;
            m_disability->cells().setComboBoxTabText(PrimaryCol, DisabilityRow, m_choiceListText);
        }
        if (!loading) {
            m_disability->setFocus();
            const int row = m_disability->activeRow() > 0 ? m_disability->activeRow() : DisabilityRow;
            m_disability->setActiveCell(ButtonCol, row);
            ShowUserMessage(QStringLiteral("The Primary Disablility is also added as an Additional Disability, "
                                           "please correct the information before saving."));
        }
        alsoAdditional = true;
    }
    if (loading)
        m_disability->cells().setText(PrimaryCol, DisabilityRow, name);
    return alsoAdditional;
}

// Saving ----------------------------------------------------------------------

bool frmBackgroundInfo::validate()
{
    const QString name = m_disability->cells().text(PrimaryCol, DisabilityRow);
    return !CheckPrimaryDisability(name, LookupCodeByText(name, DisabilityChoices), false);
}

QVector<StoreRoutine> frmBackgroundInfo::saveRoutines()
{
    return {{QStringLiteral("saveBackgroundInfo Routine"), [this](Connection &db) { saveBackgroundInfo(db); },
             [this] { m_background.committed(); }}};
}

void frmBackgroundInfo::afterSave()
{
    m_storedPrimaryName = m_savedPrimaryName;
}

void frmBackgroundInfo::saveBackgroundInfo(Connection &db)
{
    m_savedPrimaryName = m_storedPrimaryName;
    const QString learner = learnerIdText();
    const QString name = m_disability->cells().text(PrimaryCol, DisabilityRow);

    // A learner removed from the host's records while the screen was open:
    // the rows would belong to nobody (and one more would be added per save).
    if (db.query(QStringLiteral("SELECT ID FROM Learner_Info WHERE ID = ") + learner).isEmpty())
        throw StoreError(StoreError::ItemNotFound,
                         QStringLiteral("The learner %1 is no longer in the school's database, so nothing was saved.")
                             .arg(appState().CurrentLearnerName));

    // The save's one transaction: a failure half way leaves the stored row and
    // the learner's disability code as they were.
    const ShownRows::Places texts = backgroundTexts();
    m_background.save(db, texts, ShownRows::learnerAndYear());

    if (texts.value(ShownRows::OnlyPlace).holdsData) {
        // The code is written only from a choice the user made: a stored code
        // the screen cannot name stays as it is (never 0), and a name shared
        // by two disabilities never turns one code into the other.
        if (name != m_storedPrimaryName) {
            const qint32 code = LookupCodeByText(name, DisabilityChoices);
            db.execute(QStringLiteral("UPDATE Learner_Info SET Learner_Info.LSENDisabilities = ") + QString::number(code)
                       + QStringLiteral(" WHERE Learner_Info.ID = ") + learner);
            m_savedPrimaryName = name;
        }
    }
}

ShownRows::Places frmBackgroundInfo::backgroundTexts() const
{
    const QString nature = m_early->cells().text(1, 3);
    const QString provider = m_early->cells().text(2, 3);
    const QString contact = m_early->cells().text(3, 3);
    const QString family = m_family->cells().text(1, 3);
    const QString parent = m_parent->cells().text(1, 3);
    const QString name = m_disability->cells().text(PrimaryCol, DisabilityRow);
    return ShownRows::onlyPlace({{QStringLiteral("Nature_Of_Support_Received"), ShownRows::quoted(nature)},
                                 {QStringLiteral("Name_Of_Provider"), ShownRows::quoted(provider)},
                                 {QStringLiteral("Contact_Details"), ShownRows::quoted(contact)},
                                 {QStringLiteral("Family_Situation"), ShownRows::quoted(family)},
                                 {QStringLiteral("Parent_Understanding_Of_Child"), ShownRows::quoted(parent)}},
                                !(nature + provider + contact + family + parent + name).trimmed().isEmpty());
}

// Additional disabilities -----------------------------------------------------

void frmBackgroundInfo::openAdditionalDisabilities()
{
    {
        frmMultipleDisabilities window(this);
        window.setLearner(appState().CurrentLearnerName);
        window.setPrimary(PrimaryDisabilityName);
        window.exec();
    }
    getBackground_Info(false);
}

// Printing --------------------------------------------------------------------

void frmBackgroundInfo::printPage(PagePrinter &printer)
{
    SectionPage::print(printer, QStringLiteral(" [ BACKGROUND INFORMATION OF LEARNER ]"), true,
                       {{&m_early->cells(), 800},
                        {&m_disability->cells(), 2500},
                        {&m_family->cells(), 3500},
                        {&m_parent->cells(), 6000}});
}
