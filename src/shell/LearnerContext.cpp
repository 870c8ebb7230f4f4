#include "LearnerContext.h"

#include "Connection.h"
#include "Recordset.h"

#include <QDate>

bool readLearner(Connection &connection, qint32 learnerId, LearnerFacts &facts)
{
    Recordset rs = connection.query(
        QStringLiteral("SELECT LI.FName, LI.SName, LI.AccessionNo, LI.BirthDate, SG.Name AS GradeName "
                       "FROM Learner_Info AS LI LEFT JOIN SchoolGrades AS SG ON LI.Grade = SG.ID WHERE LI.ID = ")
        + QString::number(learnerId));
    if (rs.isEmpty())
        return false;
    facts.id = learnerId;
    facts.name = rs.text(QStringLiteral("SName")).toUpper() + QLatin1Char(' ') + rs.text(QStringLiteral("FName"));
    facts.accessionNo = rs.text(QStringLiteral("AccessionNo"));
    facts.grade = rs.text(QStringLiteral("GradeName"));
    facts.birthDate = rs.text(QStringLiteral("BirthDate"));
    const QDate date = QDate::fromString(facts.birthDate, QStringLiteral("yyyyMMdd"));
    facts.birthDateShown = date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : facts.birthDate;
    return true;
}

LearnerContext::LearnerContext(const LearnerFacts &learner, qint32 year)
    : m_saved(appState())
{
    AppState &state = appState();
    state.CurrentLearnerID = learner.id;
    state.CurrentLearnerName = learner.name;
    state.CurrentAccessionNo = learner.accessionNo;
    state.CurrentLearnerDOB = learner.birthDate;
    state.CurrentDataYear = year;
    state.LearnerBarrierText.clear();
}

LearnerContext::~LearnerContext()
{
    appState() = m_saved;
}
