#include "AppState.h"

AppState &appState()
{
    static AppState state;
    return state;
}

void resetAppState()
{
    appState() = AppState();
}

QString learnerIdText()
{
    return QString::number(appState().CurrentLearnerID);
}

QString dataYearText()
{
    return QString::number(appState().CurrentDataYear);
}

QString learnerAndYearCondition(const QString &alias)
{
    return alias + QStringLiteral("LearnerID = ") + learnerIdText() + QStringLiteral(" AND ") + alias
        + QStringLiteral("Data_Year = ") + dataYearText();
}
