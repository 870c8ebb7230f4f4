#pragma once

#include <QString>
#include <QtGlobal>

// The process-wide values every screen reads: where the store is, the school,
// the picked learner and the chosen years. Identifiers are 32-bit: learner IDs
// above 32767 exist in real schools.
struct AppState
{
    QString DatabasePath;

    QString SchoolName;
    QString EmisCode;
    QString Circuit;
    QString District;

    qint32 CurrentLearnerID = 0;
    QString CurrentLearnerName;
    QString CurrentAccessionNo;
    QString CurrentLearnerDOB;

    qint32 CurrentDataYear = 0;
    qint32 ReportYear = 0;

    QString LearnerBarrierText;
};

AppState &appState();
void resetAppState();

// The learner and the data year as every statement writes them: decimal integers.
QString learnerIdText();
QString dataYearText();
// "LearnerID = <learner> AND Data_Year = <year>", each column behind alias
// ("c.") when given: the condition of every statement on the current
// learner's rows of the data year.
QString learnerAndYearCondition(const QString &alias = QString());
