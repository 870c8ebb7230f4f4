#include "ExtendedProfile1.h"

#include "AppState.h"
#include "CentralRoutines.h"
#include "Connection.h"
#include "PagePrinter.h"
#include "SectionPage.h"
#include "SpreadGrid.h"

using grid::SpreadModel;

namespace {

const QString ScreenName = QStringLiteral("frmExtendedProfile1");
const QString CrLf = QStringLiteral("\r\n");

constexpr int Cols = 3;
constexpr int Rows = 16;
constexpr int AnswerLimit = 30000;
constexpr double AnswerHeight = 80;     // points: room for several lines; longer answers grow the row

const char *const StoredColumns[5] = {"Learning", "Communication", "Behavioural_Social_Competence",
                                      "Health_Wellness_Personal_Care", "Physical_Access"};

struct Area
{
    const char *heading;
    QString prompt;
};

const Area Areas[5] = {
    {"LEARNING",
     QStringLiteral("In this section provide information about curriculum challenges relating to learning areas and "
                    "assessment of learning. Refer to your classroom assessment records and summarise key challenges "
                    "for learner. Attach supporting evidence, learner profiles, extacts of portfolios, class records "
                    "and evidence of learning.")},
    {"COMMUNICATION",
     QStringLiteral("Provide information on the child's ability to understand and express information (i.e needs, "
                    "ideas, feelings) using the language system of the community or LOLT). Also include information "
                    "on the learner's mode of communication, e.g. speech or signs, with or without signed support "
                    "systems, e.g Makaton, SASL or pictorial systems, e.g Compic, etc.")},
    {"BEHAVIOURAL AND SOCIAL COMPETENCE",
     QStringLiteral("Provide information on the behaviour of the learner. For example: Unable to work with others, "
                    "difficulty working in class, bullies, aggressive, very shy, substance abuse, withdrawn, positive "
                    "attitude, friendly nature, etc..")},
    {"HEALTH, WELLNESS AND PERSONAL CARE",
     QStringLiteral("Provide information such as: Does the child look healthy, clean, well-fed? What is his/her "
                    "personal grooming? Is he/she dressed appropriately? Emotional well-being? Does the child have "
                    "any illness? Is the child on medication?")},
    {"PHYSICAL ACCESS",
     QStringLiteral("In this section, describe whether the child can move around the school freely. e.g does he/she "
                    "require ramps, rails, level ground, signage, etc.? Availability of relevant assistive devices? "
                    "Access to appropriate toilet facilities. ")
         + QStringLiteral("\r\n")
         + QStringLiteral("Is the learner's attendance at school dependant of the availability of transport? "
                          "Distances travelled by learner on foot to get school.")},
};

} // namespace

frmExtendedProfile1::frmExtendedProfile1(QWidget *parent)
    : SectionScreen(ScreenName, QStringLiteral("SNA [ Section 2: EXTENDED PROFILE OF LEARNER NEEDS ]"), parent)
    , m_gridBarriers(new grid::SpreadGrid(Cols, Rows, this))
{
    setPrintButtonName(QStringLiteral("cmdPrintPage"));
    m_gridBarriers->setObjectName(QStringLiteral("gridBarriers"));
    addGrid(m_gridBarriers);
}

void frmExtendedProfile1::prepareGrids()
{
    SpreadModel &cells = m_gridBarriers->cells();
    cells.setColWidths({32, 32, 32});
    for (int row = 1; row <= Rows; ++row)
        cells.addSpan(1, row, Cols, 1);

    cells.setLabel(1, 1, QStringLiteral("2.1 BARRIERS TO LEARNING AND DEVELOPMENT") + CrLf + CrLf
                             + QStringLiteral("What barriers does the learner experience in terms of the following?"));
    cells.setBold(1, 1, true);
    for (int i = 0; i < 5; ++i) {
        const int answer = AnswerRows[i];
        cells.setLabel(1, answer - 2, QString::fromLatin1(Areas[i].heading));
        cells.setBold(1, answer - 2, true);
        cells.setLabel(1, answer - 1, Areas[i].prompt);
        cells.setEdit(1, answer, AnswerLimit);
        cells.setMinRowHeight(answer, AnswerHeight);
    }
    m_gridBarriers->applyLayout();
}

QVector<StoreRoutine> frmExtendedProfile1::loadRoutines()
{
    return {{QStringLiteral("getLearning_Barrier Routine"), [this](Connection &db) {
        getLearning_Barrier(db);
        m_row.loaded(barriers());
    }}};
}

void frmExtendedProfile1::getLearning_Barrier(Connection &db)
{
    const Recordset rs = db.query(QStringLiteral("SELECT * FROM SNE_Learning_And_Development_Barriers WHERE ")
                                  + learnerAndYearCondition()
                                  + QStringLiteral(" ORDER BY ID"));
    m_row.showFirst(rs);
    if (rs.isEmpty())
        return;
    for (int i = 0; i < 5; ++i)
        m_gridBarriers->cells().setText(1, AnswerRows[i], rs.text(0, QString::fromLatin1(StoredColumns[i])));
}

void frmExtendedProfile1::placeCursor()
{
    m_gridBarriers->setActiveCell(1, AnswerRows[0]);
    m_gridBarriers->setFocus();
}

QVector<StoreRoutine> frmExtendedProfile1::saveRoutines()
{
    return {{QStringLiteral("saveLearning_Barrier Routine"), [this](Connection &db) { saveLearning_Barrier(db); },
             [this] { m_row.committed(); }}};
}

ShownRows::Places frmExtendedProfile1::barriers() const
{
    ShownRows::Values values;
    QString joined;
    for (int i = 0; i < 5; ++i) {
        const QString text = m_gridBarriers->cells().text(1, AnswerRows[i]);
        joined += text;
        values.insert(QString::fromLatin1(StoredColumns[i]), ShownRows::quoted(text));
    }
    return ShownRows::onlyPlace(values, !joined.trimmed().isEmpty());
}

void frmExtendedProfile1::saveLearning_Barrier(Connection &db)
{
    m_row.save(db, barriers(), ShownRows::learnerAndYear());
}

// Long answers flow over as many sheets as they need, so none is lost from paper.
void frmExtendedProfile1::printPage(PagePrinter &printer)
{
    SectionPage::print(printer, QStringLiteral(" [ EXTENDED PROFILE OF LEARNER NEEDS ]"), true,
                       {{&m_gridBarriers->cells(), 800}});
}
