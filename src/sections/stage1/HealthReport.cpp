#include "HealthReport.h"

#include "AppState.h"
#include "CentralRoutines.h"
#include "Connection.h"
#include "LearnerDetails.h"
#include "PagePrinter.h"
#include "SectionPage.h"
#include "SpreadGrid.h"

#include <QVBoxLayout>
#include <cmath>

using grid::SpreadGrid;
using grid::SpreadModel;

namespace {

const QString ScreenName = QStringLiteral("frmHealthReport");

// gridMedicalRecords
constexpr int RecordCols = 5;
constexpr int RecordRows = 6;
constexpr int ViewedCol = 4;
constexpr int AttachedCol = 5;
constexpr int RecordsRow = 5;
constexpr int TempCol = 4;
constexpr int PermCol = 5;
constexpr int ImpairmentRow = 6;

// gridAreas
constexpr int AreaCols = 4;
constexpr int AreaRows = 11;
constexpr int FirstAreaRow = 3;        // domain d is shown in row d + 2
constexpr int LastAreaRow = 10;
constexpr int CommentsRow = 11;
constexpr int TextLimit = 2000;

// A yes/no value as the statements write it.
QString truthWord(const QString &checkBoxText)
{
    return grid::isChecked(checkBoxText) ? QStringLiteral("True") : QStringLiteral("False");
}

void label(SpreadModel &cells, int col, int row, const QString &text, bool grey = true)
{
    if (grey) {
        cells.setLabel(col, row, text);
    } else {
        cells.setStatic(col, row, text);
        cells.setLocked(col, row, true);
    }
}

} // namespace

frmHealthReport::frmHealthReport(QWidget *parent)
    : SectionScreen(ScreenName, QStringLiteral("SNA [DP : DIAGNOSTIC PROFILE]"), parent)
    , m_gridMedicalRecords(new SpreadGrid(RecordCols, RecordRows, this))
    , m_gridAreas(new SpreadGrid(AreaCols, AreaRows, this))
    , m_record(QStringLiteral("SNE_Health_Professional_Report"))
{
    setPrintButtonName(QStringLiteral("cmdPrint"));

    m_gridMedicalRecords->setObjectName(QStringLiteral("gridMedicalRecords"));
    m_gridAreas->setObjectName(QStringLiteral("gridAreas"));
    addGrid(m_gridMedicalRecords);
    addGrid(m_gridAreas);
}

// Grids ------------------------------------------------------------------------

void frmHealthReport::prepareGrids()
{
    SpreadModel &records = m_gridMedicalRecords->cells();
    records.setColWidths({25, 35, 15, 13, 13});

    label(records, 1, 1, QStringLiteral("A. HEALTH PROFESSIONAL REPORT"));
    records.setBold(1, 1, true);
    records.addSpan(1, 1, 5, 1);

    label(records, 1, 2, QStringLiteral("Name of Learner:"));
    label(records, 2, 2, QString(), false);
    label(records, 3, 2, QStringLiteral("Date of birth:"));
    label(records, 4, 2, QString(), false);
    records.addSpan(4, 2, 2, 1);

    label(records, 1, 3, QStringLiteral("Disability:"));
    label(records, 2, 3, QString(), false);
    records.addSpan(2, 3, 4, 1);

    label(records, 1, 4, QString(), false);
    records.addSpan(1, 4, 5, 1);

    label(records, 1, RecordsRow, QStringLiteral("1. MEDICAL RECORDS"));
    records.setBold(1, RecordsRow, true);
    records.addSpan(1, RecordsRow, 3, 1);
    label(records, 1, ImpairmentRow, QStringLiteral("Is the impairment temporary or permanent?"));
    records.addSpan(1, ImpairmentRow, 3, 1);

    for (const auto &[col, caption] : {std::pair{ViewedCol, "Viewed"}, std::pair{AttachedCol, "Attached"}}) {
        records.setCell(col, RecordsRow, grid::CellSpec());
        records.setCheckBox(col, RecordsRow, QString::fromLatin1(caption));
    }
    // Temporary or permanent: one choice, either box unticks the other.
    for (int col : {TempCol, PermCol})
        records.setCell(col, ImpairmentRow, grid::CellSpec());
    records.setChoiceRow(ImpairmentRow, {{TempCol, QStringLiteral("Temp")}, {PermCol, QStringLiteral("Perm")}});

    SpreadModel &areas = m_gridAreas->cells();
    areas.setColWidths({25, 24, 26, 26});

    label(areas, 1, 1, QStringLiteral("2. AREAS OF IMPAIRMENT AND ACTIVITY LIMITATION"));
    areas.setBold(1, 1, true);
    areas.addSpan(1, 1, 4, 1);
    label(areas, 1, 2, QStringLiteral("NA = Not applicable"));
    label(areas, 2, 2, QStringLiteral("Mild impairment / activity limitation"));
    label(areas, 3, 2, QStringLiteral("Moderate impairment / activity limitation (Level 4 within SIAS framework)"));
    label(areas, 4, 2, QStringLiteral("Severe impairment / activity limitation (Level 5 within SIAS framework )"));

    const QString areaNames[] = {
        QStringLiteral("2.1 Mobility"), QStringLiteral("2.2 Self-care"), QStringLiteral("2.3 Communication"),
        QStringLiteral("2.4 Vision"), QStringLiteral("2.5 Hearing"),
        QStringLiteral("2.6 Mental-psychiatric diagnosis"), QStringLiteral("2.7 Cognition"),
        QStringLiteral("2.8 Health care needs"),
    };
    for (int row = FirstAreaRow; row <= LastAreaRow; ++row) {
        label(areas, 1, row, areaNames[row - FirstAreaRow]);
        // Worked out from the criteria scores on every load: never typed.
        for (int col = 2; col <= 4; ++col) {
            label(areas, col, row, QString(), false);
            areas.setAlignment(col, row, Qt::AlignCenter);
        }
    }

    label(areas, 1, CommentsRow, QStringLiteral("Further Comments"));
    areas.setEdit(2, CommentsRow, TextLimit);
    areas.addSpan(2, CommentsRow, 3, 1);
    areas.setRowHeight(CommentsRow, 60);

    m_gridMedicalRecords->applyLayout();
    m_gridAreas->applyLayout();
}

// Loading ------------------------------------------------------------------------

QVector<StoreRoutine> frmHealthReport::loadRoutines()
{
    SpreadModel &records = m_gridMedicalRecords->cells();
    records.setText(2, 2, appState().CurrentLearnerName);
    records.setText(4, 2, LearnerDetails::shownBirthDate(appState().CurrentLearnerDOB));

    return {{QStringLiteral("getDisability Routine"), [this](Connection &db) { getDisability(db); }},
            {QStringLiteral("getMedicalRecords Routine"), [this](Connection &db) {
                 getMedicalRecords(db);
                 m_record.loaded(medicalRecord());
             }},
            areaRoutine()};
}

void frmHealthReport::afterLoad()
{
    m_gridMedicalRecords->applyLayout();
}

StoreRoutine frmHealthReport::areaRoutine()
{
    return {QStringLiteral("getImpairment_Area Routine"), [this](Connection &db) { getImpairment_Area(db); }};
}

void frmHealthReport::reactivate()
{
    reload({areaRoutine()});
    placeCursor();
}

void frmHealthReport::placeCursor()
{
    m_gridAreas->setActiveCell(2, FirstAreaRow);
    m_gridAreas->setFocus();
}

void frmHealthReport::getDisability(Connection &db)
{
    const Recordset rs = db.query(
        QStringLiteral("SELECT DI.Name AS Disability ")
        + QStringLiteral("FROM Learner_Info  as LI ")
        + QStringLiteral("INNER JOIN Disabilities as DI ON LI.LSENDisabilities = DI.id ")
        + QStringLiteral("WHERE LI.ID = ") + learnerIdText());
    m_disability.clear();
    if (!rs.isEmpty())
        m_disability = rs.text(0, QStringLiteral("Disability"));
    m_gridMedicalRecords->cells().setText(2, 3, m_disability);
}

void frmHealthReport::getMedicalRecords(Connection &db)
{
    const Recordset rs = db.query(
        QStringLiteral("SELECT ID, Impairment_Type, Medical_Record_Viewed, Medical_Record_Attached, Comments ")
        + QStringLiteral("FROM SNE_Health_Professional_Report WHERE ") + learnerAndYearCondition() + QStringLiteral(" ORDER BY ID"));
    m_record.showFirst(rs);
    if (rs.isEmpty())
        return;

    SpreadModel &records = m_gridMedicalRecords->cells();
    const QString type = rs.text(0, QStringLiteral("Impairment_Type")).trimmed();
    const bool temp = type == QLatin1String("TEMP");
    records.setText(TempCol, ImpairmentRow, grid::checkText(temp));
    records.setText(PermCol, ImpairmentRow, grid::checkText(!type.isEmpty() && !temp));
    records.setText(ViewedCol, RecordsRow, grid::checkText(rs.isTrue(QStringLiteral("Medical_Record_Viewed"))));
    records.setText(AttachedCol, RecordsRow, grid::checkText(rs.isTrue(QStringLiteral("Medical_Record_Attached"))));

    m_comments = rs.text(0, QStringLiteral("Comments"));
    m_gridAreas->cells().setText(2, CommentsRow, m_comments);
}

int frmHealthReport::areaLevel(qint32 sum, qint32 count)
{
    if (count <= 0)
        return 0;
    // rint rounds halves to the even neighbour in the default rounding mode;
    // an average of whole numbers is a half only when it is exactly one.
    return int(std::rint(double(sum) / double(count)));
}

void frmHealthReport::getImpairment_Area(Connection &db)
{
    SpreadModel &areas = m_gridAreas->cells();
    // A level that changed must not stay beside its previous word.
    areas.clearText(2, FirstAreaRow, 4, LastAreaRow);

    Recordset rs = db.query(
        QStringLiteral("SELECT c.Sub_Section, c.Score, s.Activity_Domain ")
        + QStringLiteral("FROM SNE_Criteria_For_Selection c ")
        + QStringLiteral("INNER JOIN SNE_lu_Activity_Domain_Sub_Section s ON c.Sub_Section = s.ID ")
        + QStringLiteral("WHERE ") + learnerAndYearCondition(QStringLiteral("c.")) + QStringLiteral(" ORDER By s.Activity_Domain"));

    const auto emitDomain = [&areas](qint32 domain, qint32 sum, qint32 count) {
        const int level = areaLevel(sum, count);
        static const QString words[] = {QStringLiteral("MILD"), QStringLiteral("MODERATE"),
                                        QStringLiteral("SEVERE")};
        const int row = domain + 2;
        // Only the three levels have a column; a level outside them (stored
        // scores the screens never write) shows nothing rather than
        // overwriting the area's name or a neighbour.
        if (level < 1 || level > 3 || row < FirstAreaRow || row > LastAreaRow)
            return;
        areas.setText(level + 1, row, words[level - 1]);
    };

    qint32 current = 0;
    qint32 sum = 0;
    qint32 count = 0;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        const qint32 domain = rs.value(QStringLiteral("Activity_Domain")).toInt();
        if (domain != current) {
            if (current != 0)
                emitDomain(current, sum, count);
            sum = 0;
            count = 0;
        }
        const qint32 score = rs.value(QStringLiteral("Score")).toInt();
        sum += score;
        if (score > 0)
            ++count;
        current = domain;
    }
    if (current != 0)
        emitDomain(current, sum, count);
}

// Saving -------------------------------------------------------------------------

QVector<StoreRoutine> frmHealthReport::saveRoutines()
{
    return {{QStringLiteral("saveMedicalRecord Routine"), [this](Connection &db) { saveMedicalRecord(db); },
             [this] { m_record.committed(); }}};
}

void frmHealthReport::afterSave()
{
    m_comments = m_gridAreas->cells().text(2, CommentsRow);
}

ShownRows::Places frmHealthReport::medicalRecord() const
{
    const SpreadModel &records = m_gridMedicalRecords->cells();
    QString type;
    if (grid::isChecked(records.text(TempCol, ImpairmentRow)))
        type = QStringLiteral("TEMP");
    else if (grid::isChecked(records.text(PermCol, ImpairmentRow)))
        type = QStringLiteral("PERM");
    // The record is kept even with every answer blank, as it always was.
    return ShownRows::onlyPlace({{QStringLiteral("Impairment_Type"), QLatin1Char('\'') + type + QLatin1Char('\'')},
                                 {QStringLiteral("Medical_Record_Viewed"), truthWord(records.text(ViewedCol, RecordsRow))},
                                 {QStringLiteral("Medical_Record_Attached"), truthWord(records.text(AttachedCol, RecordsRow))},
                                 {QStringLiteral("Comments"), ShownRows::quoted(m_gridAreas->cells().text(2, CommentsRow))}},
                                true);
}

void frmHealthReport::saveMedicalRecord(Connection &connection)
{
    m_record.save(connection, medicalRecord(), ShownRows::learnerAndYear());
}

// Printing -----------------------------------------------------------------------

void frmHealthReport::printPage(PagePrinter &printer)
{
    SectionPage::print(printer, QString(), false,
                       {{&m_gridMedicalRecords->cells(), 800}, {&m_gridAreas->cells(), 3000}});
}
