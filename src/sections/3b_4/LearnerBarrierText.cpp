#include "LearnerBarrierText.h"

#include "AppState.h"
#include "Connection.h"
#include "LearnerDetails.h"

namespace LearnerBarrierText {

QString compose(const QString &primaryName, const QString &additionalNames)
{
    if (additionalNames.isEmpty())
        return primaryName;
    return primaryName + QStringLiteral(", ") + additionalNames;
}

QString read(Connection &db, qint32 learnerId)
{
    const Recordset rs = db.query(QStringLiteral("SELECT DI.Name FROM Learner_Info as LI ")
                                  + QStringLiteral("LEFT JOIN Disabilities as DI ON (LI.LSENDisabilities = DI.ID) ")
                                  + QStringLiteral("WHERE LI.ID = ") + QString::number(learnerId));
    const QString primary = rs.isEmpty() ? QString() : rs.text(0, QStringLiteral("Name"));
    return compose(primary, LearnerDetails::loadDis(db, learnerId));
}

QString refresh(Connection &db)
{
    AppState &state = appState();
    state.LearnerBarrierText = read(db, state.CurrentLearnerID);
    return state.LearnerBarrierText;
}

QString keep(Connection &db, const QString &primaryName)
{
    AppState &state = appState();
    state.LearnerBarrierText = compose(primaryName, LearnerDetails::loadDis(db, state.CurrentLearnerID));
    return state.LearnerBarrierText;
}

void forget()
{
    appState().LearnerBarrierText.clear();
}

} // namespace LearnerBarrierText
